#include "platform/sim/machine.h"

#include <algorithm>

namespace platform::sim {

using core::equalsNoCase;
using core::upperUnit;

struct Machine::Node {
  Text name;
  uint32_t attributes = attr::Archive;
  uint64_t size = 0;
  std::string content;
  Text linkTarget;  // folder links only
  bool locked = false;
  bool unreadable = false;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;

  bool folder() const { return attributes & attr::Directory; }
  bool link() const { return attributes & attr::ReparsePoint; }
  Node* child(const Text& n) {
    for (auto& c : children)
      if (equalsNoCase(c->name, n)) return c.get();
    return nullptr;
  }
};

struct Machine::Drive {
  char16_t letter;
  DriveType type;
  Text label;
  Text share;
  bool media = true;
  bool writeProtected = false;
  std::optional<uint64_t> total;
  Node root;
};

namespace {

struct Path {
  char16_t letter = 0;
  std::vector<Text> parts;
};

Path parse(const Text& path) {
  if (path.size() < 2 || path[1] != u':') throw Error(err::PathNotFound, "not a drive path");
  Path p;
  p.letter = upperUnit(path[0]);
  Text part;
  for (size_t i = 2; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == u'\\') {
      if (!part.empty()) p.parts.push_back(part);
      part.clear();
    } else {
      part.push_back(path[i]);
    }
  }
  return p;
}

Text join(const Path& p, size_t upto) {
  Text out{p.letter, u':', u'\\'};
  for (size_t i = 0; i < upto; ++i) {
    if (i) out.push_back(u'\\');
    out += p.parts[i];
  }
  return out;
}

bool matchFrom(const Text& n, size_t i, const Text& p, size_t j) {
  while (j < p.size()) {
    if (p[j] == u'*') {
      for (size_t k = i; k <= n.size(); ++k)
        if (matchFrom(n, k, p, j + 1)) return true;
      return false;
    }
    if (i >= n.size()) {
      // A trailing ".*" or "." matches a name without an extension.
      return p.substr(j) == u".*" || p.substr(j) == u".";
    }
    if (p[j] != u'?' && upperUnit(p[j]) != upperUnit(n[i])) return false;
    ++i;
    ++j;
  }
  return i == n.size();
}

}  // namespace

bool matchesPattern(const Text& name, const Text& pattern) {
  if (pattern == u"*.*" || pattern == u"*") return true;
  return matchFrom(name, 0, pattern, 0);
}

Machine::Machine(Clock& clock) : clock_(clock) {}
Machine::~Machine() = default;

// ---- building ----------------------------------------------------------

void Machine::addDrive(char16_t letter, DriveType type, const Text& label, uint64_t totalBytes) {
  auto d = std::make_unique<Drive>();
  d->letter = upperUnit(letter);
  d->type = type;
  d->label = label;
  d->total = totalBytes;
  d->root.name = Text{d->letter, u':', u'\\'};
  d->root.attributes = attr::Directory;
  drives_[d->letter] = std::move(d);
}

void Machine::removeDrive(char16_t letter) { drives_.erase(upperUnit(letter)); }

static Machine::Drive& driveAt(std::map<char16_t, std::unique_ptr<Machine::Drive>>& drives,
                               char16_t letter) {
  auto it = drives.find(upperUnit(letter));
  if (it == drives.end()) throw std::logic_error("no such simulated drive");
  return *it->second;
}

void Machine::setMedia(char16_t l, bool present) { driveAt(drives_, l).media = present; }
void Machine::setWriteProtected(char16_t l, bool on) { driveAt(drives_, l).writeProtected = on; }
void Machine::setLabel(char16_t l, const Text& label) { driveAt(drives_, l).label = label; }
void Machine::setShare(char16_t l, const Text& share) { driveAt(drives_, l).share = share; }
void Machine::setTotalBytes(char16_t l, std::optional<uint64_t> b) {
  driveAt(drives_, l).total = b;
}

void Machine::addFolder(const Text& path, uint32_t attributes) {
  Path p = parse(path);
  Node* n = &driveAt(drives_, p.letter).root;
  for (auto& part : p.parts) {
    Node* c = n->child(part);
    if (!c) {
      auto made = std::make_unique<Node>();
      made->name = part;
      made->attributes = attr::Directory;
      made->parent = n;
      c = made.get();
      n->children.push_back(std::move(made));
    }
    n = c;
  }
  n->attributes = attributes | attr::Directory;
}

void Machine::addFile(const Text& path, const std::string& content, uint32_t attributes) {
  Path p = parse(path);
  Text leaf = p.parts.back();
  p.parts.pop_back();
  if (!p.parts.empty()) {
    Text parentPath = join(p, p.parts.size());
    if (!exists(parentPath)) addFolder(parentPath);
  }
  Node& parent = need(join(p, p.parts.size()));
  Node* n = parent.child(leaf);
  if (!n) {
    auto made = std::make_unique<Node>();
    made->parent = &parent;
    n = made.get();
    parent.children.push_back(std::move(made));
  }
  n->name = leaf;
  n->attributes = attributes & ~attr::Directory;
  n->content = content;
  n->size = content.size();
}

void Machine::addSizedFile(const Text& path, uint64_t size, uint32_t attributes) {
  addFile(path, {}, attributes);
  lookup(path)->size = size;
}

void Machine::addFolderLink(const Text& path, const Text& target) {
  addFolder(path);
  Node* n = lookup(path, false);
  n->attributes = attr::Directory | attr::ReparsePoint;
  n->linkTarget = target;
}

void Machine::setLocked(const Text& path, bool locked) { need(path).locked = locked; }
void Machine::setUnreadable(const Text& path, bool u) { need(path).unreadable = u; }

bool Machine::exists(const Text& path) {
  try {
    return lookup(path, false) != nullptr;
  } catch (const Error&) {
    return false;
  }
}

std::string Machine::content(const Text& path) { return need(path).content; }

// ---- path resolution ---------------------------------------------------

Machine::Drive& Machine::driveOf(const Text& path) {
  Path p = parse(path);
  auto it = drives_.find(p.letter);
  if (it == drives_.end()) throw Error(err::PathNotFound, "no such drive");
  if (!it->second->media) throw Error(err::NotReady, "drive not ready");
  return *it->second;
}

Machine::Node* Machine::lookup(const Text& path, bool followLastLink) {
  Path p = parse(path);
  Node* n = &driveOf(path).root;
  for (size_t i = 0; i < p.parts.size(); ++i) {
    if (!n->folder()) throw Error(err::PathNotFound, "not a folder");
    if (n->link()) {
      n = lookup(n->linkTarget, true);
      if (!n) throw Error(err::PathNotFound, "dangling link");
    }
    Node* c = n->child(p.parts[i]);
    if (!c) {
      if (i + 1 < p.parts.size()) throw Error(err::PathNotFound, "no such folder");
      return nullptr;
    }
    n = c;
  }
  if (followLastLink && n->link()) return lookup(n->linkTarget, true);
  return n;
}

Machine::Node& Machine::need(const Text& path) {
  Node* n = lookup(path, false);
  if (!n) throw Error(err::FileNotFound, "no such file");
  return *n;
}

Machine::Node& Machine::parentFor(const Text& path, Text& leaf) {
  Path p = parse(path);
  if (p.parts.empty()) throw Error(err::AccessDenied, "a drive root has no parent");
  leaf = p.parts.back();
  Node* parent = lookup(join(p, p.parts.size() - 1), true);
  if (!parent || !parent->folder()) throw Error(err::PathNotFound, "no such folder");
  return *parent;
}

void Machine::checkWritable(const Text& path) {
  if (driveOf(path).writeProtected) throw Error(err::WriteProtect, "write-protected");
}

// ---- FileSystem --------------------------------------------------------

std::optional<DirEntry> Machine::stat(const Text& path) {
  Node* n = lookup(path, false);
  if (!n) return std::nullopt;
  return DirEntry{n->name, n->attributes, n->folder() ? 0 : n->size};
}

uint32_t Machine::attributes(const Text& path) { return need(path).attributes; }

void Machine::setAttributes(const Text& path, uint32_t a) {
  Node& n = need(path);
  checkWritable(path);
  constexpr uint32_t settable = attr::ReadOnly | attr::Hidden | attr::System | attr::Archive;
  n.attributes = (n.attributes & ~settable) | (a & settable);
}

std::vector<DirEntry> Machine::list(const Text& folder, const Text& pattern) {
  Node* n = lookup(folder, true);
  if (!n || !n->folder()) throw Error(err::PathNotFound, "no such folder");
  if (n->unreadable) throw Error(err::AccessDenied, "folder cannot be read");
  std::vector<DirEntry> out;
  for (auto& c : n->children)
    if (matchesPattern(c->name, pattern))
      out.push_back({c->name, c->attributes, c->folder() ? 0 : c->size});
  return out;
}

uint64_t Machine::fileLength(const Text& path) {
  Node& n = need(path);
  if (n.folder()) throw Error(err::FileNotFound, "a folder has no length");
  return n.size;
}

void Machine::deleteFile(const Text& path) {
  Text leaf;
  Node& parent = parentFor(path, leaf);
  Node* n = parent.child(leaf);
  if (!n) throw Error(err::FileNotFound, "no such file");
  if (n->folder()) throw Error(err::AccessDenied, "a folder is not a file");
  checkWritable(path);
  if (n->attributes & attr::ReadOnly) throw Error(err::AccessDenied, "read-only file");
  if (n->locked) throw Error(err::SharingViolation, "file in use");
  std::erase_if(parent.children, [&](auto& c) { return c.get() == n; });
}

void Machine::createFolder(const Text& path) {
  Text leaf;
  Node& parent = parentFor(path, leaf);
  if (parent.child(leaf)) throw Error(err::AlreadyExists, "exists");
  checkWritable(path);
  auto made = std::make_unique<Node>();
  made->name = leaf;
  made->attributes = attr::Directory;
  made->parent = &parent;
  parent.children.push_back(std::move(made));
}

void Machine::removeFolder(const Text& path) {
  Text leaf;
  Node& parent = parentFor(path, leaf);
  Node* n = parent.child(leaf);
  if (!n) throw Error(err::FileNotFound, "no such folder");
  if (!n->folder()) throw Error(err::InvalidName, "not a folder");
  checkWritable(path);
  if (!n->link() && !n->children.empty()) throw Error(err::DirNotEmpty, "folder not empty");
  std::erase_if(parent.children, [&](auto& c) { return c.get() == n; });
}

void Machine::moveFolder(const Text& from, const Text& to) {
  Text fromLeaf, toLeaf;
  Node& src = parentFor(from, fromLeaf);
  Node& dst = parentFor(to, toLeaf);
  if (parse(from).letter != parse(to).letter) throw Error(err::AccessDenied, "cross-drive move");
  Node* n = src.child(fromLeaf);
  if (!n || !n->folder()) throw Error(err::PathNotFound, "no such folder");
  if (dst.child(toLeaf)) throw Error(err::AlreadyExists, "target exists");
  checkWritable(from);
  if (n->locked) throw Error(err::SharingViolation, "folder in use");
  for (Node* up = &dst; up; up = up->parent)
    if (up == n) throw Error(err::AccessDenied, "move into itself");
  auto it =
      std::find_if(src.children.begin(), src.children.end(), [&](auto& c) { return c.get() == n; });
  std::unique_ptr<Node> owned = std::move(*it);
  src.children.erase(it);
  owned->name = toLeaf;
  owned->parent = &dst;
  dst.children.push_back(std::move(owned));
}

std::string Machine::readAll(const Text& path) {
  Node* n = lookup(path, true);
  if (!n) throw Error(err::FileNotFound, "no such file");
  if (n->folder()) throw Error(err::AccessDenied, "a folder cannot be read");
  return n->content;
}

void Machine::writeFile(const Text& path, const std::string& bytes, bool append) {
  Text leaf;
  Node& parent = parentFor(path, leaf);
  checkWritable(path);
  Node* n = parent.child(leaf);
  if (n && n->folder()) throw Error(err::AccessDenied, "a folder cannot be written");
  if (n && (n->attributes & attr::ReadOnly)) throw Error(err::AccessDenied, "read-only file");
  // Creating afresh over a hidden or system file is refused, as on the system.
  if (n && !append && (n->attributes & (attr::Hidden | attr::System)))
    throw Error(err::AccessDenied, "hidden or system file");
  if (!n) {
    auto made = std::make_unique<Node>();
    made->name = leaf;
    made->attributes = attr::Archive;
    made->parent = &parent;
    n = made.get();
    parent.children.push_back(std::move(made));
  }
  if (append)
    n->content += bytes;
  else
    n->content = bytes;
  n->size = n->content.size();
}

// ---- Drives ------------------------------------------------------------

std::vector<char16_t> Machine::letters() {
  std::vector<char16_t> out;
  for (auto& [letter, d] : drives_) out.push_back(letter);
  return out;
}

DriveType Machine::type(const Text& root) {
  if (root.size() != 3 || root[1] != u':' || root[2] != u'\\') return DriveType::NoRootDir;
  auto it = drives_.find(upperUnit(root[0]));
  return it == drives_.end() ? DriveType::NoRootDir : it->second->type;
}

bool Machine::isReady(char16_t l) {
  auto it = drives_.find(upperUnit(l));
  return it != drives_.end() && it->second->media;
}

std::optional<Text> Machine::volumeName(char16_t l) {
  if (!isReady(l)) return std::nullopt;
  return drives_[upperUnit(l)]->label;
}

std::optional<Text> Machine::shareName(char16_t l) {
  auto it = drives_.find(upperUnit(l));
  if (it == drives_.end() || it->second->type != DriveType::Remote) return std::nullopt;
  return it->second->share;
}

std::optional<uint64_t> Machine::totalBytes(char16_t l) {
  if (!isReady(l)) return std::nullopt;
  return drives_[upperUnit(l)]->total;
}

// ---- Processes ---------------------------------------------------------

namespace {
class SimProcess : public Process {
 public:
  SimProcess(Clock& clock, uint32_t id, double endsAt) : clock_(clock), id_(id), endsAt_(endsAt) {}
  uint32_t id() const override { return id_; }
  bool running() override { return clock_.monotonic() < endsAt_; }
  uint32_t exitCode() override { return running() ? 259 : 0; }
  void* waitHandle() const override { return nullptr; }

 private:
  Clock& clock_;
  uint32_t id_;
  double endsAt_;
};
}  // namespace

std::unique_ptr<Process> Machine::start(const Text& commandLine, int showStyle) {
  for (auto& prefix : unstartable)
    if (core::startsWithNoCase(commandLine, prefix)) throw Error(err::FileNotFound, "cannot start");
  started.push_back({commandLine, showStyle});
  double runs = runTime ? runTime(commandLine) : 0;
  if (onStart) onStart(commandLine);
  return std::make_unique<SimProcess>(clock_, nextPid_++, clock_.monotonic() + runs);
}

void Machine::shellOpen(const Text& file, const Text& parameters, int showStyle) {
  for (auto& prefix : unstartable)
    if (core::startsWithNoCase(file, prefix)) throw Error(err::FileNotFound, "cannot start");
  shellOpens.push_back({parameters.empty() ? file : file + u" " + parameters, showStyle});
  if (onStart) onStart(file);
}

// ---- Settings ----------------------------------------------------------

Text Machine::get(const Text& app, const Text& section, const Text& key) {
  auto it = settingsStore.find(app + u"\\" + section + u"\\" + key);
  return it == settingsStore.end() ? Text() : it->second;
}

void Machine::set(const Text& app, const Text& section, const Text& key, const Text& value) {
  if (settingsReadOnly) throw Error(err::AccessDenied, "settings store is read-only");
  settingsStore[app + u"\\" + section + u"\\" + key] = value;
}

// ---- System ------------------------------------------------------------

std::optional<Text> Machine::environment(const Text& name) {
  for (auto& [k, v] : environmentVariables)
    if (equalsNoCase(k, name)) return v;
  return std::nullopt;
}

double Machine::random() {
  seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<double>(seed_ >> 11) / static_cast<double>(1ULL << 53);
}

std::string Machine::toAnsi(const Text& text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
  return out;
}

Text Machine::fromAnsi(const std::string& bytes) {
  Text out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) out.push_back(b);
  return out;
}

}  // namespace platform::sim
