// plugdrive: plugs a Unix folder in as a drive letter, or pulls it out, while
// Wine runs, so that tests can put in and pull out a stick under a running
// Norvane.
//
//   plugdrive add <letter> <unix-path> <removable|fixed|cdrom> [label]
//   plugdrive remove <letter>
//   plugdrive list
//
// Wine does not notice a dosdevices symlink made or removed while its server
// runs. Its mount manager does: a "define Unix drive" request creates or
// removes the drive (symlink and registry entry included) and every process
// sees the change at once through GetLogicalDrives. The label, when given, is
// written as .windows-label in the folder's root, which is where Wine reads a
// drive's label from; the mount manager reads that file only when the drive is
// defined, so the drive is defined once more after the label is written.
//
// Exit status: 0 done, 1 the request failed, 2 wrong usage.

// windows.h first: the other Windows headers rely on its definitions.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <winioctl.h>
// clang-format on

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The mount manager's request for defining or removing a drive backed by a
// Unix path. The record is followed by the strings its offsets point at
// (offsets count bytes from the start of the record; 0 means absent).
struct UnixDriveRequest {
  ULONG size;
  ULONG type;     // DRIVE_REMOVABLE, DRIVE_FIXED, DRIVE_CDROM; DRIVE_NO_ROOT_DIR removes
  ULONG fs_type;  // unused when defining
  DWORD serial;   // unused when defining
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;  // the Unix folder, UTF-8, NUL-terminated
  USHORT device_offset;
  USHORT label_offset;
};

constexpr DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

int usage() {
  std::fputs(
      "usage: plugdrive add <letter> <unix-path> <removable|fixed|cdrom> [label]\n"
      "       plugdrive remove <letter>\n"
      "       plugdrive list\n",
      stderr);
  return 2;
}

// Prints a Win32 failure with its number, the way the tests want to read it.
int fail(const char* what) {
  std::fprintf(stderr, "plugdrive: %s failed (error %lu)\n", what, GetLastError());
  return 1;
}

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// Accepts "g", "G", "g:" or "G:".
bool parseLetter(const std::wstring& arg, wchar_t& letter) {
  if (arg.empty() || arg.size() > 2 || (arg.size() == 2 && arg[1] != L':')) return false;
  wchar_t c = arg[0] | 0x20;
  if (c < L'a' || c > L'z') return false;
  letter = c;
  return true;
}

bool parseType(const std::wstring& arg, ULONG& type) {
  if (arg == L"removable")
    type = DRIVE_REMOVABLE;
  else if (arg == L"fixed")
    type = DRIVE_FIXED;
  else if (arg == L"cdrom")
    type = DRIVE_CDROM;
  else
    return false;
  return true;
}

int sendRequest(wchar_t letter, ULONG type, const std::string& unixPath) {
  std::vector<char> buffer(sizeof(UnixDriveRequest) + unixPath.size() + 1, '\0');
  auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
  request->size = ULONG(buffer.size());
  request->type = type;
  request->letter = letter;
  if (type != DRIVE_NO_ROOT_DIR) {
    request->mount_point_offset = USHORT(sizeof(UnixDriveRequest));
    std::memcpy(buffer.data() + sizeof(UnixDriveRequest), unixPath.c_str(), unixPath.size() + 1);
  }
  HANDLE manager =
      CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return fail("opening the mount manager");
  DWORD returned = 0;
  BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), DWORD(buffer.size()), nullptr,
                            0, &returned, nullptr);
  DWORD error = GetLastError();
  CloseHandle(manager);
  SetLastError(error);
  return ok ? 0 : fail("the mount manager request");
}

// Writes the label file into the folder's root through the new drive, so
// that the path needs no translation. Wine shows it there as a hidden file.
int writeLabel(wchar_t letter, const std::wstring& label) {
  std::wstring path = std::wstring(1, letter) + L":\\.windows-label";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return fail("writing .windows-label");
  std::string bytes = utf8(label) + "\n";
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok ? 0 : fail("writing .windows-label");
}

const char* typeName(UINT type) {
  switch (type) {
    case DRIVE_REMOVABLE:
      return "removable";
    case DRIVE_FIXED:
      return "fixed";
    case DRIVE_REMOTE:
      return "remote";
    case DRIVE_CDROM:
      return "cdrom";
    case DRIVE_RAMDISK:
      return "ramdisk";
    default:
      return "unknown";
  }
}

// One line per drive: "g: removable LABEL" (the label is empty when the
// drive has none or no medium).
int list() {
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    wchar_t root[] = {wchar_t(L'a' + i), L':', L'\\', 0};
    wchar_t label[MAX_PATH + 1] = {};
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    if (!GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
      label[0] = 0;
    SetErrorMode(old);
    std::printf("%c: %s %s\n", char('a' + i), typeName(GetDriveTypeW(root)), utf8(label).c_str());
  }
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return usage();
  std::vector<std::wstring> args(argv + 1, argv + argc);
  LocalFree(argv);

  const std::wstring& command = args[0];
  wchar_t letter = 0;
  if (command == L"list" && args.size() == 1) return list();
  if (command == L"remove" && args.size() == 2 && parseLetter(args[1], letter))
    return sendRequest(letter, DRIVE_NO_ROOT_DIR, {});
  ULONG type = 0;
  if (command == L"add" && (args.size() == 4 || args.size() == 5) && parseLetter(args[1], letter) &&
      parseType(args[3], type)) {
    std::string unixPath = utf8(args[2]);
    if (int status = sendRequest(letter, type, unixPath)) return status;
    if (args.size() == 4) return 0;
    if (int status = writeLabel(letter, args[4])) return status;
    return sendRequest(letter, type, unixPath);
  }
  return usage();
}
