// What Norvane asks of the operating system, as small interfaces.
//
// Two implementations exist: platform/win32 (the real machine, wide calls
// only) and platform/sim (a simulated Windows machine for the native tests).
// Every failing call throws platform::Error with the system's error number;
// the subsystems decide per step whether to skip or to abandon (see attempt()).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/text.h"

namespace platform {

using core::Text;

// Win32 error numbers that callers and the simulation share.
namespace err {
constexpr uint32_t FileNotFound = 2;
constexpr uint32_t PathNotFound = 3;
constexpr uint32_t AccessDenied = 5;
constexpr uint32_t WriteProtect = 19;
constexpr uint32_t NotReady = 21;
constexpr uint32_t SharingViolation = 32;
constexpr uint32_t FileExists = 80;
constexpr uint32_t InvalidName = 123;
constexpr uint32_t DirNotEmpty = 145;
constexpr uint32_t AlreadyExists = 183;
}  // namespace err

using core::attempt;
using core::Error;

// File attribute bits, as the system stores them.
namespace attr {
constexpr uint32_t ReadOnly = 0x1;
constexpr uint32_t Hidden = 0x2;
constexpr uint32_t System = 0x4;
constexpr uint32_t Directory = 0x10;
constexpr uint32_t Archive = 0x20;
constexpr uint32_t Normal = 0x80;
constexpr uint32_t ReparsePoint = 0x400;
}  // namespace attr

struct DirEntry {
  Text name;            // as stored on the disk, without folder
  uint32_t attributes;  // attr bits
  uint64_t size;        // bytes; 0 for folders
  bool isFolder() const { return attributes & attr::Directory; }
  bool isLink() const { return attributes & attr::ReparsePoint; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Exact lookup of one path (no wildcards): the entry as stored on the disk.
  // A drive root ("G:\") is a folder entry whose name is the root itself.
  virtual std::optional<DirEntry> stat(const Text& path) = 0;
  virtual uint32_t attributes(const Text& path) = 0;
  virtual void setAttributes(const Text& path, uint32_t attributes) = 0;
  // Entries of `folder` whose names match `pattern` ("*", "*.*", "*.ini", an
  // exact name), in the file system's order, without "." and "..".
  virtual std::vector<DirEntry> list(const Text& folder, const Text& pattern) = 0;
  virtual uint64_t fileLength(const Text& path) = 0;
  virtual void deleteFile(const Text& path) = 0;
  virtual void createFolder(const Text& path) = 0;
  // Removes an empty folder, or the link itself when `path` is a folder link.
  virtual void removeFolder(const Text& path) = 0;
  virtual void moveFolder(const Text& from, const Text& to) = 0;
  virtual std::string readAll(const Text& path) = 0;
  // Creates (or, with append, extends) a file with the given bytes.
  virtual void writeFile(const Text& path, const std::string& bytes, bool append) = 0;
};

enum class DriveType : int {
  Unknown = 0,
  NoRootDir = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6
};

class Drives {
 public:
  virtual ~Drives() = default;
  // The drive letters of the system (upper case), in letter order.
  virtual std::vector<char16_t> letters() = 0;
  // The system's drive type for any root path text; a text that is not a
  // root such as "c: [SYSTEM]\" answers NoRootDir.
  virtual DriveType type(const Text& rootPath) = 0;
  virtual bool isReady(char16_t letter) = 0;
  // The volume name of a ready local drive (empty when it has none).
  virtual std::optional<Text> volumeName(char16_t letter) = 0;
  // The share path of a network drive ("\\server\share").
  virtual std::optional<Text> shareName(char16_t letter) = 0;
  virtual std::optional<uint64_t> totalBytes(char16_t letter) = 0;
};

// A started program.
class Process {
 public:
  virtual ~Process() = default;
  virtual uint32_t id() const = 0;
  virtual bool running() = 0;
  virtual uint32_t exitCode() = 0;
  // The handle the Win32 event loop waits on; null in the simulation.
  virtual void* waitHandle() const = 0;
};

// Window styles for started programs.
namespace show {
constexpr int Hidden = 0;
constexpr int Normal = 1;
}  // namespace show

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts a command line ("Explorer G:\Photos\") without waiting.
  virtual std::unique_ptr<Process> start(const Text& commandLine, int showStyle) = 0;
  // The shell's open verb on a document or program (a batch file, a folder).
  virtual void shellOpen(const Text& file, const Text& parameters, int showStyle) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Local time of day in seconds, with a fractional part.
  virtual double secondsSinceMidnight() = 0;
  // Seconds from an arbitrary origin; never goes backwards.
  virtual double monotonic() = 0;
};

// Per-user settings: values addressed by application, section and key.
class Settings {
 public:
  virtual ~Settings() = default;
  // A missing value reads as empty text.
  virtual Text get(const Text& app, const Text& section, const Text& key) = 0;
  virtual void set(const Text& app, const Text& section, const Text& key, const Text& value) = 0;
};

class System {
 public:
  virtual ~System() = default;
  // The folder of the program's executable, without a trailing backslash.
  virtual Text appFolder() = 0;
  virtual std::optional<Text> environment(const Text& name) = 0;
  // Pseudo-random numbers, at least 0 and below 1.
  virtual double random() = 0;
  // The system's ANSI code page; characters it lacks become "?".
  virtual std::string toAnsi(const Text& text) = 0;
  virtual Text fromAnsi(const std::string& bytes) = 0;
  virtual char16_t decimalPoint() = 0;
};

// The whole machine, as handed to the subsystems.
struct Platform {
  FileSystem& files;
  Drives& drives;
  Processes& processes;
  Clock& clock;
  Settings& settings;
  System& system;
};

}  // namespace platform
