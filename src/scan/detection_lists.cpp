#include "scan/detection_lists.h"

#include "core/error.h"

namespace scan {

std::vector<std::string> readLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      lines.push_back(line);
      line.clear();
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line.push_back(bytes[i]);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

namespace {

std::vector<Text> fileLines(platform::Platform& p, const Text& path) {
  std::vector<Text> out;
  core::attempt([&] {
    for (auto& line : readLines(p.files.readAll(path))) out.push_back(p.system.fromAnsi(line));
  });
  return out;
}

}  // namespace

void loadFolderNames(platform::Platform& p, const Text& path, ui::ListBox& folders) {
  std::vector<Text> lines = fileLines(p, path);
  // The reader takes one line even from an empty or missing file.
  if (lines.empty()) lines.emplace_back();
  for (auto& line : lines) folders.addItem(core::from(line, 6) + u" ");
}

void loadVirusNames(platform::Platform& p, const Text& path, ui::ListBox& viruses) {
  std::vector<Text> lines = fileLines(p, path);
  if (lines.empty()) lines.emplace_back();
  for (size_t i = 0; i < lines.size(); ++i) {
    bool last = i + 1 == lines.size();
    if (last || !lines[i].empty()) viruses.addItem(core::from(lines[i], 11));
  }
}

bool isListedVirus(ui::ListBox& viruses, const Text& upperName) {
  int found = -1;
  for (int i = 0; i < viruses.listCount() && found < 0; ++i)
    if (!upperName.empty() && core::equalsNoCase(viruses.list(i), upperName)) found = i;
  core::attempt([&] { viruses.setListIndex(found); });
  return found >= 0;
}

}  // namespace scan
