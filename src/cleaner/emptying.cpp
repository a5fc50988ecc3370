#include "cleaner/emptying.h"

#include <algorithm>

namespace cleaner {

using core::attempt;
using platform::DirEntry;
namespace attr = platform::attr;

namespace {

bool isLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Length of the root part of a canonical folder: 3 for "C:\", and the length
// of "\\server\share" for a share.
size_t rootLength(const Text& folder) {
  if (folder.size() >= 3 && folder[1] == u':') return 3;
  size_t server = folder.find(u'\\', 2);
  size_t share = folder.find(u'\\', server + 1);
  return share == Text::npos ? folder.size() : share;
}

// `outer` is `inner` or one of the folders that hold it.
bool sameOrHolds(const Text& outer, const Text& inner) {
  if (outer.empty() || inner.empty()) return false;
  if (!core::startsWithNoCase(inner, outer)) return false;
  return inner.size() == outer.size() || outer.back() == u'\\' || inner[outer.size()] == u'\\';
}

Text joined(const Text& folder, const Text& name) {
  return folder.back() == u'\\' ? folder + name : folder + u"\\" + name;
}

}  // namespace

Text canonicalFolder(const Text& folder) {
  Text p = folder;
  std::replace(p.begin(), p.end(), u'/', u'\\');
  if (core::startsWithNoCase(p, u"\\\\?\\UNC\\"))
    p = u"\\\\" + p.substr(8);
  else if (core::startsWith(p, u"\\\\?\\"))
    p = p.substr(4);

  Text root;
  size_t rest;
  if (p.size() >= 3 && isLetter(p[0]) && p[1] == u':' && p[2] == u'\\') {
    root = Text{core::upperUnit(p[0]), u':', u'\\'};
    rest = 3;
  } else if (core::startsWith(p, u"\\\\.\\") || core::startsWith(p, u"\\\\?\\")) {
    return {};  // device paths are judged by nothing here
  } else if (core::startsWith(p, u"\\\\")) {
    size_t server = p.find(u'\\', 2);
    if (server == Text::npos || server == 2) return {};
    size_t share = p.find(u'\\', server + 1);
    if (share == Text::npos) share = p.size();
    if (share == server + 1) return {};
    root = p.substr(0, share);
    rest = share;
  } else {
    return {};
  }

  Text out = root;
  size_t at = rest;
  while (at < p.size()) {
    if (p[at] == u'\\') {
      ++at;
      continue;
    }
    size_t end = p.find(u'\\', at);
    if (end == Text::npos) end = p.size();
    Text part = p.substr(at, end - at);
    if (part == u"." || part == u"..") return {};
    if (out.back() != u'\\') out += u'\\';
    out += part;
    at = end;
  }
  return out;
}

Refusal judge(platform::FileSystem& files, const Text& folder, const Protected& keep) {
  Text f = canonicalFolder(folder);
  if (f.empty()) return Refusal::NotAFullPath;
  if (f.size() <= rootLength(f)) return Refusal::DriveRoot;
  if (sameOrHolds(f, canonicalFolder(keep.windowsFolder))) return Refusal::WindowsFolder;
  for (const Text& profile : keep.profileFolders)
    if (sameOrHolds(f, canonicalFolder(profile))) return Refusal::ProfileFolder;
  std::optional<DirEntry> entry;
  if (!attempt([&] { entry = files.stat(f); }) || !entry || !entry->isFolder())
    return Refusal::Missing;
  if (entry->isLink()) return Refusal::Link;
  return Refusal::None;
}

namespace {

// Clears the read-only flag when set; answers whether it changed anything.
bool makeWritable(platform::FileSystem& files, const Text& path, uint32_t attributes) {
  if (!(attributes & attr::ReadOnly)) return false;
  return attempt([&] { files.setAttributes(path, attributes & ~attr::ReadOnly); });
}

void giveBack(platform::FileSystem& files, const Text& path, uint32_t attributes, bool changed) {
  if (changed) attempt([&] { files.setAttributes(path, attributes); });
}

// The entry at `path` is still the plain folder it was when listed: a folder
// swapped for a link meanwhile is not walked.
bool stillPlainFolder(platform::FileSystem& files, const Text& path) {
  std::optional<DirEntry> now;
  return attempt([&] { now = files.stat(path); }) && now && now->isFolder() && !now->isLink();
}

}  // namespace

EmptyResult emptyFolder(platform::FileSystem& files, const Text& folder) {
  EmptyResult result;
  // Folders being walked, outermost first; kept on a list rather than on the
  // call stack so that no depth of nesting can exhaust it.
  struct Walk {
    Text path;
    uint32_t attributes;
    std::vector<DirEntry> entries;
    size_t next = 0;
  };
  std::vector<Walk> walks;
  std::vector<DirEntry> top;
  if (!attempt([&] { top = files.list(folder, u"*"); })) return result;
  walks.push_back({folder, 0, std::move(top)});

  while (!walks.empty()) {
    Walk& walk = walks.back();
    if (walk.next == walk.entries.size()) {
      // Every entry was handled: remove the folder itself, unless it is the
      // folder being emptied.
      Walk done = std::move(walk);
      walks.pop_back();
      if (walks.empty()) break;
      bool changed = makeWritable(files, done.path, done.attributes);
      if (attempt([&] { files.removeFolder(done.path); })) {
        ++result.foldersRemoved;
      } else {
        ++result.skipped;
        giveBack(files, done.path, done.attributes, changed);
      }
      continue;
    }
    const DirEntry entry = walk.entries[walk.next++];
    Text path = joined(walk.path, entry.name);
    if (entry.isLink()) {
      ++result.skipped;
      continue;
    }
    if (entry.isFolder()) {
      std::vector<DirEntry> inside;
      if (!stillPlainFolder(files, path) || !attempt([&] { inside = files.list(path, u"*"); })) {
        ++result.skipped;
        continue;
      }
      walks.push_back({path, entry.attributes, std::move(inside)});  // `walk` is stale now
      continue;
    }
    bool changed = makeWritable(files, path, entry.attributes);
    if (attempt([&] { files.deleteFile(path); })) {
      ++result.filesRemoved;
    } else {
      ++result.skipped;
      giveBack(files, path, entry.attributes, changed);
    }
  }
  return result;
}

namespace {
constexpr int kRetries = 3;
}

int emptyIfAllowed(platform::FileSystem& files, const Text& folder, const Protected& keep,
                   EmptyResult* result, const std::function<void()>& beforeRetry) {
  Refusal refusal = judge(files, folder, keep);
  if (refusal != Refusal::None) return static_cast<int>(refusal);
  EmptyResult done = emptyFolder(files, canonicalFolder(folder));
  // What stayed may only have been busy for a moment (a folder being
  // measured, a file being closed): a few more tries after short waits.
  for (int tries = 0; tries < kRetries && done.skipped > 0; ++tries) {
    if (beforeRetry) beforeRetry();
    EmptyResult again = emptyFolder(files, canonicalFolder(folder));
    done.filesRemoved += again.filesRemoved;
    done.foldersRemoved += again.foldersRemoved;
    done.skipped = again.skipped;
  }
  if (result) *result = done;
  return 0;
}

}  // namespace cleaner
