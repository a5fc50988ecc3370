#include "browse/browse.h"

#include "browse/file_sys.h"
#include "browse/sizes.h"
#include "platform/lookup.h"
#include "ui/event_loop.h"

namespace browse {

using core::attempt;
using core::Error;

namespace {

// Icons of the drive table, indices 1 to 6 of UniImageList1.
constexpr int kIconNone = 0;
constexpr int kIconLocal = 1;
constexpr int kIconCd = 2;
constexpr int kIconRemovable = 3;

// The path of file `name` in folder `folder`; a drive root (three
// characters, such as "G:\") already ends in its backslash.
Text itemPath(const Text& folder, const Text& name) {
  return folder.size() == 3 ? folder + name : folder + u"\\" + name;
}

// Kind key (image of imgMain) and name of a drive's tree node.
struct NodeLook {
  const char* image;
  Text name;
};

NodeLook nodeLook(const Drive& drive) {
  int type = kind::Unknown;
  bool ready = false;
  attempt([&] { type = drive.DriveType(); });
  attempt([&] { ready = drive.IsReady(); });
  auto volume = [&](const char16_t* absent) {
    Text name = absent;
    if (ready) {
      name.clear();
      attempt([&] { name = drive.VolumeName(); });
    }
    return name;
  };
  switch (type) {
    case kind::CdRom:
      return {"cdrom", volume(u"CD-ROM Drive")};
    case kind::Fixed:
      return {"harddrive", volume(u"Hard Drive")};
    case kind::Network: {
      Text name = u"Network Drive";
      if (ready) {
        name.clear();
        attempt([&] { name = drive.ShareName(); });
      }
      return {"netdrive", name};
    }
    case kind::Removable: {
      char16_t letter = drive.DriveLetter();
      if (letter == u'A' || letter == u'B') return {"floppydrive", volume(u"Floppy Drive")};
      return {"removabledrive", volume(u"Removable Drive")};
    }
    default:
      return {"unknowndrive", volume(u"Unknown")};
  }
}

}  // namespace

Browse::Browse(shell::FrmMain& frm) : frm_(frm), platform_(frm.app().platform()) {
  // Icons 1 to 3 are the local disk, the CD drive and the removable drive;
  // the rest complete the set of six pictures drawn for the table.
  for (auto picture : {"drive.1", "drive.2", "drive.3", "drive.4", "drive.5", "drive.0"})
    frm_.UniImageList1.add(picture, picture);

  frm_.RebuildDriveList = [this] { rebuildDriveList(); };
  frm_.RebuildFolderTree = [this](const std::optional<Text>& d) { rebuildFolderTree(d); };

  frm_.Timer2.tick += [this] { poll(); };
  frm_.List2.click += [this] { driveChosen(); };
  frm_.ListView1.click += [this] { tableClicked(); };
  // The table's mouse handling only keeps the window in shape.
  frm_.ListView1.mouseMove +=
      [this](const ui::MouseEvent&) { attempt([&] { frm_.LayoutRule(); }); };
  frm_.ListView1.dblClick += [this] { openDrive(); };
  frm_.List2.dblClick += [this] { openDrive(); };
  frm_.List1.click += [this] { folderClicked(); };
  frm_.List1.dblClick += [this] { openFolder(); };
  frm_.filList.click += [this] { fileClicked(); };
  frm_.tvFolders.expand += [this](const Text& key) { expandNode(key); };
  frm_.tvFolders.collapse += [this](const Text& key) { collapseNode(key); };
  frm_.Check5.click += [this] { treeOptionClicked(); };
}

// ---- drive table and poll ------------------------------------------------

Text Browse::driveSignature() const {
  Text signature;
  for (auto& entry : frm_.Drive1.items()) signature += entry;
  return signature;
}

void Browse::writeSignature() {
  attempt([&] { frm_.Text2.setText(u""); });
  for (int i = 0; i < frm_.Drive1.listCount(); ++i)
    attempt([&] { frm_.Text2.setText(frm_.Text2.text() + frm_.Drive1.list(i)); });
}

void Browse::loadDriveTable() { driveTableStep(false); }

void Browse::poll() {
  attempt([&] { frm_.Drive1.refresh(); });
  // Text2 is a plain text box: it holds the signature as the ANSI code page
  // carries it, so the fresh signature is compared in that form. A volume
  // name in another script would otherwise read as a change on every tick.
  if (frm_.app().ansiRoundTrip(driveSignature()) == frm_.Text2.text()) return;
  attempt([&] { frm_.LayoutRule(); });
  writeSignature();
  attempt([&] {
    rebuildFolderTree(std::nullopt);
    frm_.tvFolders.setLineStyle(1);
  });
  attempt([&] { frm_.Drive1.setDrive(u"c:"); });
  driveTableStep(true);
}

void Browse::driveTableStep(bool clearRows) {
  int remembered = frm_.List2.listIndex();
  attempt([&] { frm_.Drive1.refresh(); });
  int count = frm_.Drive1.listCount();
  // An empty count (before the first rebuild) reads as 0.
  if (count == frm_.LastDriveCount.value_or(0)) {
    attempt([&] { frm_.List2.setListIndex(0); });
    return;
  }
  frm_.LastDriveCount = static_cast<int16_t>(count);
  frm_.List2.clear();
  if (clearRows) frm_.ListView1.clear();
  rebuildDriveList();
  selectAfterRebuild(remembered);
}

void Browse::rebuildDriveList() {
  auto& drive1 = frm_.Drive1;
  char16_t point = u'.';
  attempt([&] { point = platform_.system.decimalPoint(); });
  int icon = kIconNone;  // a kind without an icon of its own keeps the previous row's
  int count = drive1.listCount();
  for (int i = 0; i < count; ++i) {
    Text entry;
    if (!attempt([&] { entry = drive1.list(i); })) continue;
    Text name = u" " + core::from(entry, 2);
    Text letter = core::upper(core::left(entry, 2));
    // The entry text itself is asked for its kind: "c: [SYSTEM]\" is no root
    // path, so a drive with a description reads as a local disk.
    int type = 0;
    attempt([&] { type = static_cast<int>(platform_.drives.type(entry + u"\\")); });
    uint64_t total = 0;
    if (letter != u"A:" && letter != u"B:")
      attempt([&] { total = platform_.drives.totalBytes(letter[0]).value_or(0); });
    const char16_t* defaultName = nullptr;
    switch (type) {
      case 1:
      case 3:
        icon = kIconLocal;
        defaultName = u" Local Disk";
        break;
      case 2:
        icon = kIconRemovable;
        defaultName = u" Removable Disk";
        break;
      case 4:
        icon = kIconNone;
        defaultName = u" Removable Disk";
        break;
      case 5:
        icon = kIconCd;
        defaultName = u" CD Drive";
        break;
      default:
        break;
    }
    if (defaultName && name == u" ") name = defaultName;
    Text size = driveSizeText(total, point);
    attempt([&] { frm_.List2.addItem(letter); });
    frm_.app().loop().pause(0.01);
    attempt([&] {
      int row = frm_.ListView1.addRow(u"");
      frm_.ListView1.setCell(row, 1, name + u" (" + letter + u")");
      frm_.ListView1.setCell(row, 2, size);
      frm_.ListView1.setIcon(row, icon);
    });
  }
}

void Browse::selectAfterRebuild(int remembered) {
  int rows = frm_.List2.listCount();
  attempt([&] { frm_.List2.setListIndex(rows - 1); });
  if (remembered >= rows) remembered = rows - 1;
  attempt([&] { frm_.List2.setListIndex(remembered); });
  attempt([&] { frm_.List2.setListIndex(0); });
}

void Browse::driveChosen() {
  frm_.Picture11.setVisible(true);
  if (frm_.List2.listIndex() == -1) return;
  attempt([&] { frm_.Drive1.setListIndex(frm_.List2.listIndex()); });
  if (frm_.Drive1.listIndex() != frm_.List2.listIndex()) {
    // The drive is not available: the choice goes back to the drive that
    // Drive1 still holds, and this handler runs again for it.
    attempt([&] { frm_.List2.setListIndex(frm_.Drive1.listIndex()); });
    return;
  }
  attempt([&] {
    rebuildFolderTree(frm_.Drive1.drive());
    frm_.tvFolders.setLineStyle(1);
  });
  attempt([&] { frm_.Text1.setText(u""); });
  attempt([&] { frm_.filList.setPath(core::upper(core::left(frm_.Drive1.drive(), 2)) + u"\\"); });
  attempt([&] { frm_.ListView1.setSelected(frm_.List2.listIndex()); });
  if (frm_.filList.listCount() > 0) attempt([&] { frm_.filList.setListIndex(0); });
}

void Browse::tableClicked() {
  int row = frm_.ListView1.selected();
  if (row < 0) return;
  attempt([&] { frm_.List2.setListIndex(row); });
}

void Browse::openDrive() {
  attempt([&] {
    Text entry = frm_.Drive1.list(frm_.List2.listIndex());
    platform_.processes.start(u"Explorer " + core::left(entry, 2) + u"\\", platform::show::Normal);
  });
}

// ---- folder list and tree ------------------------------------------------

void Browse::rebuildFolderTree(const std::optional<Text>& listDrive) {
  auto& tree = frm_.tvFolders;
  attempt([&] { tree.clear(); });
  Text listLetter;
  if (listDrive) {
    listLetter = core::upper(core::left(*listDrive, 2));
    attempt([&] { frm_.List1.clear(); });
    attempt([&] { frm_.List1.addItem(listLetter + u"\\"); });
  }
  FileSys& fs = fileSys(frm_);
  std::vector<Drive> drives;
  if (!attempt([&] { drives = fs.Drives(); })) return;
  for (auto& drive : drives) {
    NodeLook look = nodeLook(drive);
    Text letter{core::upperUnit(drive.DriveLetter())};
    attempt([&] { tree.add(u"", drive.Path(), look.name + u" (" + letter + u":)", look.image); });
    bool ready = false;
    attempt([&] { ready = drive.IsReady(); });
    if (!ready) continue;
    std::vector<Folder> folders;
    if (!attempt([&] { folders = fs.GetFolder(drive.RootFolder().Path()).SubFolders(); })) continue;
    for (auto& folder : folders) {
      attempt([&] { tree.add(drive.Path(), folder.Path(), folder.Name(), "closedfolder"); });
      if (listDrive && core::upper(core::left(folder.Path(), 2)) == listLetter)
        attempt([&] { frm_.List1.addItem(folder.Path()); });
    }
  }
}

// Expanding a node fills the level below its children, so that each child
// shows whether it has children of its own.
void Browse::expandNode(const Text& key) {
  auto& tree = frm_.tvFolders;
  attempt([&] {
    const auto* node = tree.node(key);
    if (node && node->image == "closedfolder") tree.setImage(key, "openfolder");
  });
  std::vector<Folder> children;
  if (!attempt([&] { children = fileSys(frm_).GetFolder(key + u"\\").SubFolders(); })) return;
  for (auto& child : children) {
    std::vector<Folder> grandchildren;
    if (!attempt([&] { grandchildren = child.SubFolders(); })) continue;
    for (auto& g : grandchildren)
      attempt([&] { tree.add(child.Path(), g.Path(), g.Name(), "closedfolder"); });
  }
}

void Browse::collapseNode(const Text& key) {
  attempt([&] {
    const auto* node = frm_.tvFolders.node(key);
    if (node && node->image == "openfolder") frm_.tvFolders.setImage(key, "closedfolder");
  });
}

// The tree is hidden; the box switches its check boxes on and off.
void Browse::treeOptionClicked() {
  attempt([&] { frm_.tvFolders.setCheckboxes(frm_.Check5.value() == 1); });
}

// ---- file list -----------------------------------------------------------

void Browse::folderClicked() {
  frm_.List1.setToolTip(frm_.List1.selectedText());
  frm_.Picture11.setVisible(true);
  try {
    frm_.filList.setPattern(u"*.*");
    Text folder = frm_.List1.selectedText();
    frm_.Text1.setText(u"");
    frm_.Text1.setText(folder);
    frm_.filList.setPath(folder);
    // During a run, choosing a folder passes its first file through the
    // examination; behind a folder link lie files of another place, which
    // the run must never list or change.
    if (frm_.Timer10.interval() == 10 && frm_.filList.listCount() > 0 &&
        !platform::isFolderLink(platform_.files, folder))
      frm_.filList.setListIndex(0);
  } catch (const Error&) {
    // A folder that cannot be opened shows an empty file list.
    attempt([&] { frm_.filList.setPath(u""); });
    attempt([&] { frm_.filList.setPattern(u"0000000"); });
  }
}

void Browse::openFolder() {
  attempt([&] {
    platform_.processes.start(u"Explorer " + frm_.List1.selectedText() + u"\\",
                              platform::show::Normal);
  });
}

void Browse::fileClicked() {
  const Text folder = frm_.List1.selectedText();
  const Text name = frm_.filList.fileName();
  frm_.filList.setToolTip(name);
  frm_.Picture11.setVisible(true);
  attempt([&] { frm_.filList.setPath(folder); });

  int count = frm_.filList.listCount();
  int index = frm_.filList.listIndex();
  attempt([&] {
    if (count == 0) throw Error(11, "division by zero");
    double bar = 2 * core::roundHalfEven(50.0 / count * (index + 1));
    double percent = core::roundHalfEven(100.0 / count * (index + 1));
    frm_.Picture8.setWidth(bar * 57.6);
    frm_.Label_2.setText(core::decimal(static_cast<int64_t>(percent)) + u" %");
    frm_.Picture8.refresh();
  });
  if (index == -1) return;

  // The byte count goes into Bite1 and is read back from there: a file that
  // cannot be measured shows a size computed from the caption it found.
  const Text path = itemPath(folder, name);
  attempt([&] {
    frm_.Bite1.setText(core::decimal(static_cast<int64_t>(platform_.files.fileLength(path))));
  });
  attempt([&] {
    char16_t point = platform_.system.decimalPoint();
    frm_.Bite1.setText(fileSizeText(core::leadingNumber(frm_.Bite1.text()), point));
  });

  attempt([&] { frm_.Text3.setText(u""); });
  attempt([&] { frm_.Text1.setText(u""); });
  attempt([&] { frm_.Text3.setText(name); });
  attempt([&] { frm_.Text1.setText(path); });

  // Once the countdown has run out nothing more is logged in this run, and
  // the lookup is spared.
  if (frm_.LogCountdown < 1) return;
  if (platform::visibleFile(platform_.files, path)) {
    Text line1 = u"File Name: " + name;
    Text line2 = u"File Size: " + frm_.Bite1.text();
    attempt([&] {
      auto& sys = platform_.system;
      std::string bytes = sys.toAnsi(line1) + "\r\n" + sys.toAnsi(line2) + "\r\n";
      platform_.files.writeFile(sys.appFolder() + u"\\File.txt", bytes, true);
    });
  }
  frm_.LogCountdown -= 1;
}

}  // namespace browse
