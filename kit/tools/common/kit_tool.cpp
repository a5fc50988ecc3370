#include "kit_tool.h"

#include <windows.h>
// after windows.h
#include <shlobj.h>

#include "cleaner/emptying.h"
#include "platform/win32/machine.h"

namespace kit {

namespace {

core::Text text(const std::wstring& s) { return core::Text(s.begin(), s.end()); }

// The long form of a full path: "." and ".." resolved, trailing dots and
// blanks dropped, 8.3 short names spelled out, so that the folder compares
// with the protected folders as the file system sees them.
std::wstring longFullPath(const std::wstring& path) {
  if (path.empty()) return path;
  DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(n);
  DWORD m = GetLongPathNameW(full.c_str(), nullptr, 0);
  if (m == 0) return full;  // missing: the emptying logic refuses it
  std::wstring longer(m, L'\0');
  m = GetLongPathNameW(full.c_str(), longer.data(), m);
  longer.resize(m);
  return longer;
}

}  // namespace

std::wstring environment(const wchar_t* name) {
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return {};
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(name, value.data(), n);
  value.resize(n);
  return value;
}

std::wstring windowsFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  UINT n = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  return n > 0 && n <= MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

int emptyFolderTool(const std::wstring& folder) {
  // A relative or otherwise odd value is refused as it stands, before the
  // system would resolve it against the working folder.
  if (cleaner::canonicalFolder(text(folder)).empty())
    return static_cast<int>(cleaner::Refusal::NotAFullPath);

  cleaner::Protected keep;
  keep.windowsFolder = text(longFullPath(windowsFolder()));
  keep.profileFolders.push_back(text(longFullPath(environment(L"USERPROFILE"))));
  wchar_t profile[MAX_PATH + 1] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile)))
    keep.profileFolders.push_back(text(longFullPath(profile)));

  platform::win32::Machine machine;
  return cleaner::emptyIfAllowed(machine, text(longFullPath(folder)), keep, nullptr,
                                 [] { Sleep(250); });
}

}  // namespace kit
