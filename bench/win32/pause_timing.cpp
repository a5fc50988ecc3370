// How long Pause(0.01) really waits on the Win32 loop, and how much CPU the
// waiting costs. A measuring program, not a test: run it on the machine in
// question (under Wine here) and read the figures.
//
// Build (from the repository, after building the Windows libraries):
//   x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -static -DUNICODE -D_UNICODE -DNOMINMAX \
//     -Isrc bench/win32/pause_timing.cpp build-a-win64/libnorvane_win32.a \
//     build-a-win64/libnorvane_core.a -lcomctl32 -lgdi32 -lmsimg32 -lwinmm -lole32 \
//     -lshlwapi -lmpr -luuid -o pause_timing.exe
// Run: pause_timing.exe [count]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/win32/machine.h"
#include "ui/win32/loop.h"

namespace {
double cpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto seconds = [](const FILETIME& f) {
    return ((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}
}  // namespace

int main(int argc, char** argv) {
  int count = argc > 1 ? std::atoi(argv[1]) : 300;
  platform::win32::Machine machine;
  ui::win32::Loop loop(machine.clock());
  std::vector<double> waits;
  double cpu0 = cpuSeconds(), wall0 = machine.monotonic();
  for (int i = 0; i < count; ++i) {
    double t0 = machine.monotonic();
    loop.pause(0.01);
    waits.push_back((machine.monotonic() - t0) * 1000.0);
  }
  double wall = machine.monotonic() - wall0, cpu = cpuSeconds() - cpu0;
  std::sort(waits.begin(), waits.end());
  double sum = 0;
  for (double w : waits) sum += w;
  std::printf(
      "Pause(0.01) x %d: mean %.2f ms, median %.2f ms, min %.2f ms, p95 %.2f ms, max %.2f ms\n",
      count, sum / count, waits[waits.size() / 2], waits.front(), waits[waits.size() * 95 / 100],
      waits.back());
  std::printf("CPU %.3f s over %.3f s wall: %.1f %% of one core\n", cpu, wall, 100.0 * cpu / wall);
  return 0;
}
