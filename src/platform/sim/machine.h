// A simulated Windows machine for the native tests.
//
// Drives with letters, types, labels and media that come and go; folders and
// files with the four attributes, case-insensitive names kept in the order
// they were made (the "file system order"), wildcards, folder links, locked
// and write-protected media; a settings store, started programs that end
// when told, pseudo-random numbers and a Latin-1 ANSI code page.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::sim {

class Machine : public FileSystem, public Drives, public Processes, public Settings, public System {
 public:
  explicit Machine(Clock& clock);
  ~Machine() override;

  Platform platform() { return {*this, *this, *this, clock_, *this, *this}; }

  // ---- building the machine (tests) ----
  void addDrive(char16_t letter, DriveType type, const Text& label = {},
                uint64_t totalBytes = 16'000'000'000ULL);
  void removeDrive(char16_t letter);
  void setMedia(char16_t letter, bool present);
  void setWriteProtected(char16_t letter, bool on);
  void setLabel(char16_t letter, const Text& label);
  void setShare(char16_t letter, const Text& share);
  void setTotalBytes(char16_t letter, std::optional<uint64_t> bytes);
  void addFolder(const Text& path, uint32_t attributes = attr::Directory);
  void addFile(const Text& path, const std::string& content = {},
               uint32_t attributes = attr::Archive);
  // A file whose length is given without content (large files).
  void addSizedFile(const Text& path, uint64_t size, uint32_t attributes = attr::Archive);
  // A folder link (junction or symbolic link) at `path` pointing at `target`.
  void addFolderLink(const Text& path, const Text& target);
  // A file or folder that is in use elsewhere: it cannot be deleted or moved.
  void setLocked(const Text& path, bool locked);
  // A folder whose entries cannot be listed.
  void setUnreadable(const Text& path, bool unreadable);
  bool exists(const Text& path);
  std::string content(const Text& path);

  // ---- what the program did ----
  struct Started {
    Text commandLine;
    int show;
  };
  std::vector<Started> started;     // start()
  std::vector<Started> shellOpens;  // shellOpen(): file + " " + parameters
  // How long a started program runs, in seconds of the clock (0 by default),
  // and what it does when it starts.
  std::function<double(const Text& commandLine)> runTime;
  std::function<void(const Text& commandLine)> onStart;
  // Programs that cannot be started (the command line starts with this text).
  std::vector<Text> unstartable;
  std::map<Text, Text> environmentVariables;
  std::map<Text, Text> settingsStore;  // "app\section\key" -> value
  bool settingsReadOnly = false;
  Text applicationFolder = u"C:\\Norvane";

  // ---- FileSystem ----
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

  // ---- Drives ----
  std::vector<char16_t> letters() override;
  DriveType type(const Text& rootPath) override;
  bool isReady(char16_t letter) override;
  std::optional<Text> volumeName(char16_t letter) override;
  std::optional<Text> shareName(char16_t letter) override;
  std::optional<uint64_t> totalBytes(char16_t letter) override;

  // ---- Processes ----
  std::unique_ptr<Process> start(const Text& commandLine, int showStyle) override;
  void shellOpen(const Text& file, const Text& parameters, int showStyle) override;

  // ---- Settings ----
  Text get(const Text& app, const Text& section, const Text& key) override;
  void set(const Text& app, const Text& section, const Text& key, const Text& value) override;

  // ---- System ----
  Text appFolder() override { return applicationFolder; }
  std::optional<Text> environment(const Text& name) override;
  double random() override;
  std::string toAnsi(const Text& text) override;
  Text fromAnsi(const std::string& bytes) override;
  char16_t decimalPoint() override { return u'.'; }

  struct Node;
  struct Drive;

 private:
  struct Resolved;
  Drive& driveOf(const Text& path);
  Node* lookup(const Text& path, bool followLastLink = true);
  Node& need(const Text& path);
  Node& parentFor(const Text& path, Text& leaf);
  void checkWritable(const Text& path);

  Clock& clock_;
  std::map<char16_t, std::unique_ptr<Drive>> drives_;
  uint64_t seed_ = 12345;
  uint32_t nextPid_ = 100;
};

// Wildcard match as the system's file search does it: "*" and "?", case
// ignored, and "*.*" matching every name.
bool matchesPattern(const Text& name, const Text& pattern);

}  // namespace platform::sim
