#include "browse/file_sys.h"

namespace browse {

using core::Error;
namespace fail = core::fail;

int kindOf(platform::DriveType type) {
  switch (type) {
    case platform::DriveType::Removable:
      return kind::Removable;
    case platform::DriveType::Fixed:
      return kind::Fixed;
    case platform::DriveType::Remote:
      return kind::Network;
    case platform::DriveType::CdRom:
      return kind::CdRom;
    case platform::DriveType::RamDisk:
      return kind::RamDisk;
    default:
      return kind::Unknown;
  }
}

// ---- Folder --------------------------------------------------------------

Folder::Folder(platform::Platform& platform, Text path, Text name)
    : platform_(&platform), path_(std::move(path)), name_(std::move(name)) {}

std::vector<Folder> Folder::SubFolders() const {
  std::vector<Folder> out;
  Text base = core::endsWith(path_, u"\\") ? path_ : path_ + u"\\";
  for (auto& e : platform_->files.list(path_, u"*"))
    if (e.isFolder()) out.emplace_back(*platform_, base + e.name, e.name);
  return out;
}

// ---- Drive ---------------------------------------------------------------

Drive::Drive(platform::Platform& platform, char16_t letter)
    : platform_(&platform), letter_(core::upperUnit(letter)) {}

int Drive::DriveType() const { return kindOf(platform_->drives.type(Path() + u"\\")); }

bool Drive::IsReady() const { return platform_->drives.isReady(letter_); }

Text Drive::VolumeName() const {
  if (!IsReady()) throw Error(fail::DeviceUnavailable, "drive not ready");
  return platform_->drives.volumeName(letter_).value_or(Text());
}

Text Drive::ShareName() const { return platform_->drives.shareName(letter_).value_or(Text()); }

Folder Drive::RootFolder() const {
  if (!IsReady()) throw Error(fail::DeviceUnavailable, "drive not ready");
  return Folder(*platform_, Path() + u"\\", Text());
}

// ---- FileSys -------------------------------------------------------------

std::vector<Drive> FileSys::Drives() const {
  std::vector<Drive> out;
  for (char16_t letter : platform_.drives.letters()) out.emplace_back(platform_, letter);
  return out;
}

Folder FileSys::GetFolder(const Text& path) const {
  Text p = path;
  if (p.size() == 2 && p[1] == u':') p += u'\\';
  bool root = p.size() == 3 && p[1] == u':' && p[2] == u'\\';
  if (!root)
    while (p.size() > 3 && p.back() == u'\\') p.pop_back();
  auto entry = platform_.files.stat(p);
  if (!entry || !entry->isFolder()) throw Error(fail::PathNotFound, "no such folder");
  return Folder(platform_, p, root ? Text() : entry->name);
}

void FileSys::MoveFolder(const Text& source, const Text& destination) {
  platform_.files.moveFolder(source, destination);
}

FileSys& fileSys(shell::FrmMain& frm) {
  if (!frm.FileSys) frm.FileSys = std::make_shared<FileSys>(frm.app().platform());
  return *frm.FileSys;
}

}  // namespace browse
