#include "platform/win32/machine.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>
#include <winnetwk.h>

#include <cmath>

namespace platform::win32 {

namespace {

// char16_t and wchar_t are both UTF-16 code units on Windows.
const wchar_t* w(const Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }
Text fromWide(const wchar_t* s) { return Text(reinterpret_cast<const char16_t*>(s)); }
Text fromWide(const wchar_t* s, size_t n) { return Text(reinterpret_cast<const char16_t*>(s), n); }

[[noreturn]] void fail(const char* what) { throw Error(GetLastError(), what); }

bool isDrivePath(const Text& p) {
  return p.size() >= 3 && p[1] == u':' && p[2] == u'\\' &&
         ((p[0] >= u'A' && p[0] <= u'Z') || (p[0] >= u'a' && p[0] <= u'z'));
}

// The "\\?\" form of an absolute drive path: no trimming of trailing dots or
// blanks, no MAX_PATH limit.
Text extended(const Text& p) { return isDrivePath(p) ? u"\\\\?\\" + p : p; }

Text withoutTrailingSlash(const Text& p) {
  return p.size() > 3 && p.back() == u'\\' ? p.substr(0, p.size() - 1) : p;
}

uint64_t size64(DWORD high, DWORD low) { return (uint64_t(high) << 32) | low; }

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE && h_) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_; }

 private:
  HANDLE h_;
};

class Win32Process : public Process {
 public:
  Win32Process(HANDLE process, DWORD id) : process_(process), id_(id) {}
  ~Win32Process() override { CloseHandle(process_); }
  uint32_t id() const override { return id_; }
  // The handle tells whether the program still runs; its exit code cannot,
  // since a program may end with the code 259 itself.
  bool running() override { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
  uint32_t exitCode() override {
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) return 0;
    return code;
  }
  void* waitHandle() const override { return process_; }

 private:
  HANDLE process_;
  DWORD id_;
};

HKEY openSection(const Text& app, const Text& section, bool create) {
  Text key = u"Software\\" + app + u"\\" + section;
  HKEY h = nullptr;
  LONG r = create ? RegCreateKeyExW(HKEY_CURRENT_USER, w(key), 0, nullptr, 0,
                                    KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &h, nullptr)
                  : RegOpenKeyExW(HKEY_CURRENT_USER, w(key), 0, KEY_QUERY_VALUE, &h);
  if (r != ERROR_SUCCESS) {
    if (!create) return nullptr;
    throw Error(static_cast<uint32_t>(r), "settings store");
  }
  return h;
}

}  // namespace

Machine::Machine() {
  // A drive without a medium must answer with an error, not a system dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  wine_ = ntdll && GetProcAddress(ntdll, "wine_get_version");
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  frequency_ = f.QuadPart;
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  seed_ = static_cast<uint64_t>(c.QuadPart) * 2654435761u + GetCurrentProcessId();
}

// ---- FileSystem --------------------------------------------------------

std::optional<DirEntry> Machine::stat(const Text& path) {
  Text p = withoutTrailingSlash(path);
  if (p.find_first_of(u"*?") != Text::npos) return std::nullopt;  // exact names only
  if (p.size() == 3 && isDrivePath(p)) {
    DWORD a = GetFileAttributesW(w(extended(p)));
    if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return DirEntry{p, a, 0};
  }
  WIN32_FIND_DATAW fd;
  HANDLE h =
      FindFirstFileExW(w(extended(p)), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, 0);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD e = GetLastError();
    if (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND || e == ERROR_INVALID_NAME)
      return std::nullopt;
    throw Error(e, "stat");
  }
  FindClose(h);
  bool folder = fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  return DirEntry{fromWide(fd.cFileName), fd.dwFileAttributes,
                  folder ? 0 : size64(fd.nFileSizeHigh, fd.nFileSizeLow)};
}

uint32_t Machine::attributes(const Text& path) {
  DWORD a = GetFileAttributesW(w(extended(withoutTrailingSlash(path))));
  if (a == INVALID_FILE_ATTRIBUTES) fail("attributes");
  return a;
}

void Machine::refuseLinkUnderWine(const Text& path) {
  if (!wine_) return;
  DWORD a = GetFileAttributesW(w(extended(withoutTrailingSlash(path))));
  if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT))
    throw Error(ERROR_ACCESS_DENIED, "acting on a link is refused here");
}

void Machine::setAttributes(const Text& path, uint32_t a) {
  refuseLinkUnderWine(path);
  if (!SetFileAttributesW(w(extended(withoutTrailingSlash(path))), a ? a : FILE_ATTRIBUTE_NORMAL))
    fail("set attributes");
}

std::vector<DirEntry> Machine::list(const Text& folder, const Text& pattern) {
  Text base = folder;
  if (base.empty() || base.back() != u'\\') base.push_back(u'\\');
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileExW(w(extended(base + pattern)), FindExInfoBasic, &fd,
                              FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  std::vector<DirEntry> out;
  if (h == INVALID_HANDLE_VALUE) {
    DWORD e = GetLastError();
    if (e == ERROR_FILE_NOT_FOUND || e == ERROR_NO_MORE_FILES) {
      // No match: an empty list, provided the folder itself exists.
      if (GetFileAttributesW(w(extended(withoutTrailingSlash(folder)))) != INVALID_FILE_ATTRIBUTES)
        return out;
      fail("list");
    }
    throw Error(e, "list");
  }
  do {
    Text name = fromWide(fd.cFileName);
    if (name == u"." || name == u"..") continue;
    bool isFolder = fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    out.push_back(
        {name, fd.dwFileAttributes, isFolder ? 0 : size64(fd.nFileSizeHigh, fd.nFileSizeLow)});
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

uint64_t Machine::fileLength(const Text& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(w(extended(path)), GetFileExInfoStandard, &d)) fail("file length");
  if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) throw Error(ERROR_FILE_NOT_FOUND, "a folder");
  return size64(d.nFileSizeHigh, d.nFileSizeLow);
}

void Machine::deleteFile(const Text& path) {
  refuseLinkUnderWine(path);
  if (!DeleteFileW(w(extended(path)))) fail("delete file");
}

void Machine::createFolder(const Text& path) {
  if (!CreateDirectoryW(w(extended(withoutTrailingSlash(path))), nullptr)) fail("create folder");
}

void Machine::removeFolder(const Text& path) {
  refuseLinkUnderWine(path);
  if (!RemoveDirectoryW(w(extended(withoutTrailingSlash(path))))) fail("remove folder");
}

void Machine::moveFolder(const Text& from, const Text& to) {
  refuseLinkUnderWine(from);
  if (!MoveFileExW(w(extended(withoutTrailingSlash(from))), w(extended(withoutTrailingSlash(to))),
                   0))
    fail("move folder");
}

std::string Machine::readAll(const Text& path) {
  Handle h(CreateFileW(w(extended(path)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) fail("open for reading");
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h.get(), &size)) fail("file size");
  if (size.QuadPart > (1LL << 30)) throw Error(ERROR_NOT_ENOUGH_MEMORY, "file too large to read");
  std::string out(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < out.size()) {
    DWORD got = 0;
    if (!ReadFile(h.get(), out.data() + done, static_cast<DWORD>(out.size() - done), &got, nullptr))
      fail("read");
    if (got == 0) break;
    done += got;
  }
  out.resize(done);
  return out;
}

void Machine::writeFile(const Text& path, const std::string& bytes, bool append) {
  refuseLinkUnderWine(path);
  Handle h(CreateFileW(w(extended(path)), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                       FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) fail("open for writing");
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD put = 0;
    if (!WriteFile(h.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put,
                   nullptr))
      fail("write");
    done += put;
  }
}

// ---- Drives ------------------------------------------------------------

std::vector<char16_t> Machine::letters() {
  DWORD mask = GetLogicalDrives();
  std::vector<char16_t> out;
  for (int i = 0; i < 26; ++i)
    if (mask & (1u << i)) out.push_back(static_cast<char16_t>(u'A' + i));
  return out;
}

DriveType Machine::type(const Text& rootPath) {
  return static_cast<DriveType>(GetDriveTypeW(w(rootPath)));
}

bool Machine::isReady(char16_t letter) {
  Text root{letter, u':', u'\\'};
  return GetFileAttributesW(w(root)) != INVALID_FILE_ATTRIBUTES;
}

std::optional<Text> Machine::volumeName(char16_t letter) {
  if (!isReady(letter)) return std::nullopt;
  Text root{letter, u':', u'\\'};
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(w(root), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
    return std::nullopt;
  return fromWide(label);
}

std::optional<Text> Machine::shareName(char16_t letter) {
  Text local{letter, u':'};
  wchar_t remote[1024];
  DWORD size = 1024;
  if (WNetGetConnectionW(w(local), remote, &size) != NO_ERROR) return std::nullopt;
  return fromWide(remote);
}

std::optional<uint64_t> Machine::totalBytes(char16_t letter) {
  Text root{letter, u':', u'\\'};
  ULARGE_INTEGER avail, total, free;
  if (!GetDiskFreeSpaceExW(w(root), &avail, &total, &free)) return std::nullopt;
  return total.QuadPart;
}

// ---- Processes ---------------------------------------------------------

std::unique_ptr<Process> Machine::start(const Text& commandLine, int showStyle) {
  std::wstring cmd(w(commandLine));  // CreateProcessW may write into it
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showStyle);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    fail("start program");
  CloseHandle(pi.hThread);
  return std::make_unique<Win32Process>(pi.hProcess, pi.dwProcessId);
}

void Machine::shellOpen(const Text& file, const Text& parameters, int showStyle) {
  auto r = reinterpret_cast<INT_PTR>(ShellExecuteW(
      nullptr, L"open", w(file), parameters.empty() ? nullptr : w(parameters), nullptr, showStyle));
  if (r <= 32) throw Error(static_cast<uint32_t>(r), "shell open");
}

// ---- Clock -------------------------------------------------------------

double Machine::secondsSinceMidnight() {
  // The precise clock exists from Windows 8 on; older systems get the tick clock.
  using PreciseTime = void(WINAPI*)(LPFILETIME);
  static auto precise = reinterpret_cast<PreciseTime>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
  FILETIME utc, local;
  if (precise)
    precise(&utc);
  else
    GetSystemTimeAsFileTime(&utc);
  FileTimeToLocalFileTime(&utc, &local);
  uint64_t ticks = (uint64_t(local.dwHighDateTime) << 32) | local.dwLowDateTime;
  constexpr uint64_t kDay = 86400ULL * 10'000'000ULL;
  return static_cast<double>(ticks % kDay) / 1e7;
}

double Machine::monotonic() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(frequency_);
}

// ---- Settings ----------------------------------------------------------

Text Machine::get(const Text& app, const Text& section, const Text& key) {
  HKEY h = openSection(app, section, false);
  if (!h) return {};
  wchar_t buf[1024];
  DWORD type = 0, size = sizeof buf - sizeof(wchar_t);
  LONG r = RegQueryValueExW(h, w(key), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(h);
  if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  size_t n = size / sizeof(wchar_t);
  while (n > 0 && buf[n - 1] == 0) --n;
  return fromWide(buf, n);
}

void Machine::set(const Text& app, const Text& section, const Text& key, const Text& value) {
  HKEY h = openSection(app, section, true);
  LONG r = RegSetValueExW(h, w(key), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
  if (r != ERROR_SUCCESS) throw Error(static_cast<uint32_t>(r), "settings store");
}

// ---- System ------------------------------------------------------------

Text Machine::appFolder() {
  std::wstring buf(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
  Text path = fromWide(buf.c_str(), n);
  size_t slash = path.find_last_of(u'\\');
  return slash == Text::npos ? Text() : path.substr(0, slash);
}

std::optional<Text> Machine::environment(const Text& name) {
  DWORD n = GetEnvironmentVariableW(w(name), nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring buf(n, L'\0');
  n = GetEnvironmentVariableW(w(name), buf.data(), n);
  return fromWide(buf.c_str(), n);
}

double Machine::random() {
  seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<double>(seed_ >> 11) / static_cast<double>(1ULL << 53);
}

std::string Machine::toAnsi(const Text& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, w(text), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, w(text), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

Text Machine::fromAnsi(const std::string& bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return fromWide(out.c_str(), out.size());
}

char16_t Machine::decimalPoint() {
  wchar_t buf[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) > 0 && buf[0]) return buf[0];
  return u'.';
}

}  // namespace platform::win32
