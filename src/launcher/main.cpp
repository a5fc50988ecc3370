// Ascendor: starts the program named by the first line of _AdAscendor, a
// file beside the launcher, with the "runas" verb (so the system asks for
// consent and runs it elevated), passing the launcher's own argument text
// with "/admin" appended. Shows no window, does not wait, and ends at once.
//
// ANSI calls throughout: the configuration and the command line are text of
// the system's ANSI code page and reach the shell unchanged.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <string>

#include "launcher/command.h"

namespace {

// The full path of this program.
std::string programPath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Reads the configuration. Only the first line counts, so reading stops at
// the first carriage return (or after 64 KiB, which no program name needs).
std::variant<std::string, launcher::Problem> readConfiguration(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
               ? launcher::Problem::Missing
               : launcher::Problem::Unreadable;
  }
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  bool failed = false;
  while (content.find('\r') == std::string::npos && content.size() < 65536) {
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      failed = true;
      break;
    }
    if (got == 0) break;
    content.append(buffer, got);
  }
  CloseHandle(file);
  if (failed) return launcher::Problem::Unreadable;
  return content;
}

// The report goes to a message box, or to the standard error stream when
// ASCENDOR_QUIET is set (for scripts and tests, where nobody can answer a box).
void report(launcher::Problem problem) {
  const char* text = launcher::reportText(problem);
  if (GetEnvironmentVariableA("ASCENDOR_QUIET", nullptr, 0) > 0) {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err != nullptr && err != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      std::string line = std::string(text) + "\r\n";
      WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    return;
  }
  MessageBoxA(nullptr, text, "Ascendor", MB_OK | MB_ICONERROR);
}

}  // namespace

// Exit code: 0 when the shell took the start, 1 when the configuration named
// no program (reported), 2 when the shell refused or failed (the user
// declining consent included; not reported, the shell has said what it had
// to say).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string folder(launcher::folderOf(programPath()));
  auto content = readConfiguration(folder + "\\" + launcher::kConfigName);
  if (auto* problem = std::get_if<launcher::Problem>(&content)) {
    report(*problem);
    return 1;
  }
  auto line = launcher::programLine(std::get<std::string>(content));
  if (auto* problem = std::get_if<launcher::Problem>(&line)) {
    report(*problem);
    return 1;
  }
  const char* commandLine = GetCommandLineA();
  auto start = launcher::startFor(folder, std::get<std::string>(line),
                                  launcher::argumentText(commandLine ? commandLine : ""));
  HINSTANCE result = ShellExecuteA(nullptr, "runas", start.file.c_str(), start.parameters.c_str(),
                                   nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32 ? 0 : 2;
}
