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

// Attributes alone answer this, and reading them is cheap where a lookup by
// name opens the folder that holds the item.
bool isFolderLink(FileSystem& files, const Text& path) {
  try {
    const uint32_t a = files.attributes(path);
    return (a & attr::Directory) && (a & attr::ReparsePoint);
  } catch (const Error&) {
    return false;
  }
}

}  // namespace platform
