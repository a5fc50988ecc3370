// holdfile <file> <release-file>: a test tool that keeps <file> open the way
// a running program keeps a file in use (no sharing for writing or deleting)
// until <release-file> exists, at most two minutes. Prints "holding" once
// the file is open; exits 1 when it cannot be opened.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <cstdio>

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc != 3) {
    std::fprintf(stderr, "usage: holdfile <file> <release-file>\n");
    return 2;
  }
  HANDLE h = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "holdfile: cannot open (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("holding\n");
  std::fflush(stdout);
  for (int i = 0; i < 1200 && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(100);
  CloseHandle(h);
  return 0;
}
