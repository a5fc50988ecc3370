// Drives and browsing: the drive table and its poll, the folder list and tree, the file list.
//
// The drive table ListView1 mirrors the hidden drive list Drive1; the hidden
// list List2 holds one drive designation per row and its selection is the
// chosen drive. Choosing a drive refills the folder list List1 (the root and
// the first-level folders) and points the file list filList at the drive.
// Choosing a folder or a file puts its path into Text1, whose change handler
// examines it during a clean run; a file choice also shows its size, moves
// the progress bar and, while a run logs, appends the file to File.txt.
#pragma once

#include <optional>

#include "shell/frm_main.h"

namespace browse {

using core::Text;

class Browse {
 public:
  // Binds the handlers of the browsing controls and fills the shared
  // procedures RebuildDriveList and RebuildFolderTree.
  explicit Browse(shell::FrmMain& frm);
  // Load step: the drive signature into Text2.
  void writeSignature();
  // Load step: the drive table, built unless there are no drives, and the first drive chosen.
  void loadDriveTable();

  // One tick of the drive poll (Timer2).
  void poll();
  // The entries of Drive1 joined without separator.
  Text driveSignature() const;

 private:
  void rebuildDriveList();
  // Rebuilds the table when the number of drives changed, then chooses the first drive.
  void driveTableStep(bool clearRows);
  void selectAfterRebuild(int remembered);
  void rebuildFolderTree(const std::optional<Text>& listDrive);

  void driveChosen();
  void tableClicked();
  void openDrive();
  void folderClicked();
  void openFolder();
  void fileClicked();
  void expandNode(const Text& key);
  void collapseNode(const Text& key);
  void treeOptionClicked();

  shell::FrmMain& frm_;
  platform::Platform& platform_;
};

}  // namespace browse
