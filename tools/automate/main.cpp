// norvane-automate: sends one request to the running Norvane and prints the
// answer on one line (UTF-8). Exit status 0, or 1 when the answer is an
// error, when no Norvane runs, or when a wait times out.
//
//   norvane-automate forms | msgbox | answer <1|6|7>
//   norvane-automate get <target> | set <target> <value> | click <target> [key]
//   norvane-automate dblclick <target> | select <target> <index>
//   norvane-automate wait <target> <value> [timeout-ms]    (polls get; 10 s by default)
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "automation/win32/client.h"

namespace {

using automation::win32::Client;

void print(const std::wstring& line) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(out, &mode)) {
    std::wstring text = line + L"\n";
    WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), n,
                      nullptr, nullptr);
  bytes += '\n';
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool isError(const std::wstring& answer) { return answer.rfind(L"error: ", 0) == 0; }

int finish(const std::wstring& answer) {
  print(answer);
  return isError(answer) ? 1 : 0;
}

// wait <target> <value> [timeout-ms]: polls the target until it reads the value.
int wait(Client& client, const std::vector<std::wstring>& args) {
  if (args.size() < 3) return finish(L"error: wait needs a target and a value");
  DWORD timeout = args.size() > 3 ? wcstoul(args[3].c_str(), nullptr, 10) : 10000;
  DWORD start = GetTickCount();
  std::wstring last;
  for (;;) {
    last = client.ask(L"get " + args[1]);
    if (last == args[2]) return finish(last);
    if (GetTickCount() - start >= timeout) break;
    Sleep(50);
  }
  return finish(L"error: timed out waiting for " + args[1] + L" to read '" + args[2] +
                L"'; it reads '" + last + L"'");
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args(argv + 1, argv + argc);
  LocalFree(argv);
  if (args.empty()) {
    print(
        L"usage: norvane-automate forms | get <target> | set <target> <value> | click "
        L"<target> | select <target> <index> | wait <target> <value> [ms] | msgbox | answer "
        L"<1|6|7>");
    return 1;
  }
  Client client(L"Norvane.AutomateClient");
  if (args[0] == L"wait") return wait(client, args);
  std::wstring request;
  for (const auto& a : args) request += (request.empty() ? L"" : L" ") + a;
  return finish(client.ask(request));
}
