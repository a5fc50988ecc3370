// The real machine: the platform interfaces over the Win32 API.
//
// Wide calls only, so that every name reaches the system exactly as it is,
// whatever its script. Absolute drive paths go through the "\\?\" form, so
// names with trailing dots or blanks and paths beyond MAX_PATH work too.
#pragma once

#include "platform/platform.h"

namespace platform::win32 {

class Machine : public FileSystem,
                public Drives,
                public Processes,
                public Clock,
                public Settings,
                public System {
 public:
  Machine();
  Platform platform() { return {*this, *this, *this, *this, *this, *this}; }
  Clock& clock() { return *this; }
  // Wine follows links when deleting or changing attributes; there the
  // machine refuses to act on a link at all.
  bool underWine() const { return wine_; }

  // FileSystem
  std::optional<DirEntry> stat(const Text& path) override;
  uint32_t attributes(const Text& path) override;
  void setAttributes(const Text& path, uint32_t attributes) override;
  std::vector<DirEntry> list(const Text& folder, const Text& pattern) override;
  uint64_t fileLength(const Text& path) override;
  void deleteFile(const Text& path) override;
  void createFolder(const Text& path) override;
  void removeFolder(const Text& path) override;
  void moveFolder(const Text& from, const Text& to) override;
  std::string readAll(const Text& path) override;
  void writeFile(const Text& path, const std::string& bytes, bool append) override;

  // Drives
  std::vector<char16_t> letters() override;
  DriveType type(const Text& rootPath) override;
  bool isReady(char16_t letter) override;
  std::optional<Text> volumeName(char16_t letter) override;
  std::optional<Text> shareName(char16_t letter) override;
  std::optional<uint64_t> totalBytes(char16_t letter) override;

  // Processes
  std::unique_ptr<Process> start(const Text& commandLine, int showStyle) override;
  void shellOpen(const Text& file, const Text& parameters, int showStyle) override;

  // Clock
  double secondsSinceMidnight() override;
  double monotonic() override;

  // Settings: HKCU\Software\<app>\<section>, string values.
  Text get(const Text& app, const Text& section, const Text& key) override;
  void set(const Text& app, const Text& section, const Text& key, const Text& value) override;

  // System
  Text appFolder() override;
  std::optional<Text> environment(const Text& name) override;
  double random() override;
  std::string toAnsi(const Text& text) override;
  Text fromAnsi(const std::string& bytes) override;
  char16_t decimalPoint() override;

 private:
  void refuseLinkUnderWine(const Text& path);

  bool wine_ = false;
  long long frequency_ = 1;
  uint64_t seed_ = 0;
};

}  // namespace platform::win32
