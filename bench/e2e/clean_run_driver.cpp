// clean_run_driver: times one clean run of the running Norvane, from the
// click on Clean to the run driver Timer10 back at 0, answering the results
// window at once with OK (delete all listed files). Built and run by
// clean_run_bench.sh beside it, under Wine, with the drive already chosen.
//
// It speaks the automation protocol itself (one process for the whole run,
// instead of one norvane-automate process per request) and polls every
// `poll` milliseconds, so that it sees the results window and the end of the
// run within that time (the script measures CPU times from /proc).
//
// Prints one line: wall=<s> results_at=<s> rows=<n> list5=<n> list1=<n>
// root_files=<n> requests=<n>; exit status 1 on a failure. wall runs from the
// click to Timer10 read back at 0; results_at until the results window was
// seen.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "automation/win32/client.h"

namespace {

automation::win32::Client* client = nullptr;
long requests = 0;

std::wstring ask(const std::wstring& request) {
  ++requests;
  return client->ask(request);
}

[[noreturn]] void fail(const char* what, const std::wstring& answer) {
  std::fprintf(stderr, "clean_run_driver: %s: %ls\n", what, answer.c_str());
  std::exit(1);
}

double now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Polls `target` until it reads `value`; the time it was first seen so.
double waitFor(const std::wstring& target, const std::wstring& value, DWORD pollMs,
               double timeout) {
  double start = now();
  for (;;) {
    if (ask(L"get " + target) == value) return now();
    if (now() - start > timeout) fail("timed out waiting", target + L" = " + value);
    Sleep(pollMs);
  }
}

}  // namespace

int main(int argc, char** argv) {
  DWORD pollMs = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10;
  automation::win32::Client driver(L"Norvane.BenchClient");
  client = &driver;
  if (!FindWindowW(automation::kServerClass, nullptr)) fail("no Norvane", L"");

  std::wstring list5 = ask(L"get frmMain.List5.listcount");
  std::wstring interval = ask(L"get frmMain.Timer10.interval");
  if (interval != L"0") fail("a run is going on", interval);

  double t0 = now();
  std::wstring clicked = ask(L"click frmMain.Command1");
  if (clicked != L"ok") fail("click on Clean", clicked);
  double shown = waitFor(L"Form4.visible", L"true", pollMs, 600);
  // What the run reached, read while the results window waits.
  std::wstring rows = ask(L"get Form4.ListView1.listcount");
  std::wstring list1 = ask(L"get frmMain.List1.listcount");
  std::wstring rootFiles = ask(L"get frmMain.filList.listcount");
  std::wstring ok = ask(L"click Form4.Command2");
  if (ok != L"ok") fail("click on OK", ok);
  double end = waitFor(L"frmMain.Timer10.interval", L"0", pollMs, 600);

  std::printf(
      "wall=%.3f results_at=%.3f rows=%ls list5=%ls list1=%ls root_files=%ls requests=%ld\n",
      end - t0, shown - t0, rows.c_str(), list5.c_str(), list1.c_str(), rootFiles.c_str(),
      requests);
  return 0;
}
