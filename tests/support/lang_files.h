// Language files for the tests: UTF-16LE bytes, complete files of our own and
// a world whose program folder has a Lang folder.
#pragma once

#include <string>
#include <vector>

#include "core/text.h"
#include "support/world.h"

namespace test {

// UTF-16LE bytes of a text, with the byte-order mark FF FE in front on request.
inline std::string utf16le(core::TextView text, bool bom = false) {
  std::string bytes = bom ? std::string("\xFF\xFE") : std::string();
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

inline core::Text joinCrLf(const std::vector<core::Text>& lines) {
  core::Text out;
  for (size_t i = 0; i < lines.size(); ++i) out += (i ? u"\r\n" : u"") + lines[i];
  return out;
}

// A language line: the tag, 6 characters the program skips, then the value.
inline core::Text tagged(int line, core::TextView value) {
  core::Text number = core::decimal(line);
  if (number.size() < 2) number = u"0" + number;
  return u"Text__ [" + number + u"]: " + core::Text(value);
}

// The value our test languages give line `line` (1 to 58): "<name> <line>".
inline core::Text valueFor(core::TextView name, int line) {
  return core::Text(name) + u" " + core::decimal(line);
}

// A complete 59-line language file: heading "[dir=ltr]" + name, then every
// line tagged with valueFor(name, line).
inline std::vector<core::Text> languageLines(core::TextView name,
                                             core::TextView mark = u"[dir=ltr]") {
  std::vector<core::Text> lines{core::Text(mark) + core::Text(name)};
  for (int i = 1; i <= 58; ++i) lines.push_back(tagged(i, valueFor(name, i)));
  return lines;
}

// A world with drive C: and the program in C:\Norvane with its Lang folder.
struct LangWorld : World {
  static constexpr char16_t kFolder[] = u"C:\\Norvane\\Lang";
  explicit LangWorld(double startOfDay = 10 * 3600.0) : World(startOfDay) {
    machine.addDrive(u'C', platform::DriveType::Fixed);
    machine.addFolder(u"C:\\Norvane");
    machine.addFolder(kFolder);
  }
  // Writes Lang\<file> as UTF-16LE and returns its full path.
  core::Text addLanguage(core::TextView file, const std::vector<core::Text>& lines,
                         bool bom = false, uint32_t attributes = platform::attr::Archive) {
    core::Text path = core::Text(kFolder) + u"\\" + core::Text(file);
    machine.addFile(path, utf16le(joinCrLf(lines), bom), attributes);
    return path;
  }
  void store(core::TextView key, core::TextView value) {
    machine.settingsStore[core::Text(u"Mirelle\\Settings\\") + core::Text(key)] = core::Text(value);
  }
  // The stored value, or "(none)".
  core::Text stored(core::TextView key) const {
    auto it = machine.settingsStore.find(core::Text(u"Mirelle\\Settings\\") + core::Text(key));
    return it == machine.settingsStore.end() ? core::Text(u"(none)") : it->second;
  }
};

}  // namespace test
