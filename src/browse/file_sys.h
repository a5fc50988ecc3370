// The window's file-system object: drives with their kind, readiness and
// names, folders with their sub-folders, and moving a folder.
//
// A thin layer over the platform: every question is asked when it is read,
// so a drive that comes or goes between two reads is seen as it is now.
// Failures throw core::Error, as the platform's calls do.
#pragma once

#include <memory>
#include <vector>

#include "platform/platform.h"
#include "shell/frm_main.h"

namespace browse {

using core::Text;

// Drive kinds in the numbering the drive and folder code works with (this is
// not the system's GetDriveType numbering).
namespace kind {
constexpr int Unknown = 0;
constexpr int Removable = 1;
constexpr int Fixed = 2;
constexpr int Network = 3;
constexpr int CdRom = 4;
constexpr int RamDisk = 5;
}  // namespace kind

int kindOf(platform::DriveType type);

class Folder {
 public:
  Folder(platform::Platform& platform, Text path, Text name);
  // Full path, without a trailing backslash except for a drive root ("G:\").
  const Text& Path() const { return path_; }
  // The folder's name as the disk stores it; empty for a drive root.
  const Text& Name() const { return name_; }
  // The direct sub-folders, hidden and system ones and folder links
  // included, in the file system's order. Fails when the folder cannot be
  // listed.
  std::vector<Folder> SubFolders() const;

 private:
  platform::Platform* platform_;
  Text path_;
  Text name_;
};

class Drive {
 public:
  Drive(platform::Platform& platform, char16_t letter);
  int DriveType() const;
  bool IsReady() const;
  // The volume name; fails when the drive is not ready.
  Text VolumeName() const;
  // The share path of a network drive ("\\server\share"); empty otherwise.
  Text ShareName() const;
  char16_t DriveLetter() const { return letter_; }
  Text Path() const { return Text{letter_, u':'}; }
  // The root folder ("G:\"); fails when the drive is not ready.
  Folder RootFolder() const;

 private:
  platform::Platform* platform_;
  char16_t letter_;
};

class FileSys {
 public:
  explicit FileSys(platform::Platform& platform) : platform_(platform) {}
  // Every drive of the system, ready or not, in letter order.
  std::vector<Drive> Drives() const;
  // The folder at `path` ("G:\Photos", "G:\Photos\", "G:\", "G:"); fails
  // when there is no folder there.
  Folder GetFolder(const Text& path) const;
  // Moves a folder with everything in it to a new path on the same drive.
  void MoveFolder(const Text& source, const Text& destination);

 private:
  platform::Platform& platform_;
};

// The main window's FileSys, created on first use and kept with the window.
FileSys& fileSys(shell::FrmMain& frm);

}  // namespace browse
