#include "platform/lookup.h"

namespace platform {

namespace {
bool plain(uint32_t attributes) {
  return !(attributes & (attr::Hidden | attr::System | attr::Directory));
}
}  // namespace

std::optional<Text> visibleFile(FileSystem& files, const Text& path) {
  try {
    if (!path.empty() && path.back() == u'\\') {
      for (auto& e : files.list(path, u"*"))
        if (plain(e.attributes)) return e.name;
      return std::nullopt;
    }
    auto entry = files.stat(path);
    if (entry && plain(entry->attributes)) return entry->name;
  } catch (const Error&) {
  }
  return std::nullopt;
}

bool isFolderLink(FileSystem& files, const Text& path) {
  try {
    auto entry = files.stat(path);
    return entry && entry->isFolder() && entry->isLink();
  } catch (const Error&) {
    return false;
  }
}

}  // namespace platform
