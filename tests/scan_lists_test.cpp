// The detection lists: how the loaders cut the lines, and the lookup.
#include <gtest/gtest.h>

#include "scan/detection_lists.h"
#include "support/scan_world.h"

using test::ScanWorld;
using Text = core::Text;

namespace {

struct Loaded {
  std::vector<Text> folders, viruses;
};

// Starts Norvane with the given list files (absent when null).
Loaded load(const char* varko, const char* lunet) {
  ScanWorld w;
  if (varko) w.machine.addFile(u"C:\\Norvane\\Kit\\Varko.exe", varko);
  if (lunet) w.machine.addFile(u"C:\\Norvane\\Kit\\Lunet.exe", lunet);
  auto& frm = w.start();
  return {frm.List5.items(), frm.List4.items()};
}

TEST(DetectionLists, FolderNamesStartAtColumnSeven) {
  EXPECT_EQ(load("123456FOLDER\r\nxxxxxxRECYCLER\r\n", nullptr).folders,
            (std::vector<Text>{u"FOLDER ", u"RECYCLER "}));
  // Empty and short lines give the blank entry, which names no folder.
  EXPECT_EQ(load("\r\n123456\r\nab\r123456X", nullptr).folders,
            (std::vector<Text>{u" ", u" ", u" ", u"X "}));
}

TEST(DetectionLists, VirusNamesStartAtColumnTwelve) {
  EXPECT_EQ(load(nullptr, "File Name: SAMPLE.EXE\r\n\r\nFile Name: b.scr").viruses,
            (std::vector<Text>{u"SAMPLE.EXE", u"b.scr"}));  // no final line break needed
  EXPECT_EQ(load(nullptr, "File Name: \r\nFile Name: X\r\n").viruses,
            (std::vector<Text>{u"", u"X"}));  // an 11-character line gives an empty entry
  // A lone LF belongs to the line; a lone CR ends it.
  EXPECT_EQ(load(nullptr, "File Name: A\nB\rFile Name: C").viruses,
            (std::vector<Text>{u"A\nB", u"C"}));
}

TEST(DetectionLists, MissingOrEmptyFilesLeaveOnePlaceholder) {
  Loaded missing = load(nullptr, nullptr);
  EXPECT_EQ(missing.folders, std::vector<Text>{u" "});
  EXPECT_EQ(missing.viruses, std::vector<Text>{u""});
  Loaded empty = load("", "");
  EXPECT_EQ(empty.folders, std::vector<Text>{u" "});
  EXPECT_EQ(empty.viruses, std::vector<Text>{u""});
}

TEST(DetectionLists, ALookupFindsTheWholeNameWhereverItStands) {
  ScanWorld w;
  auto& frm = w.start();
  frm.List4.clear();
  for (auto n : {u"SAMPLE.EXE.OLD", u"OTHER.EXE", u"sample.exe"}) frm.List4.addItem(n);
  // An earlier, longer entry does not hide the exact one further down.
  EXPECT_TRUE(scan::isListedVirus(frm.List4, u"SAMPLE.EXE"));
  EXPECT_EQ(frm.List4.listIndex(), 2);
  EXPECT_FALSE(scan::isListedVirus(frm.List4, u"SAMPLE.EX"));
  EXPECT_EQ(frm.List4.listIndex(), -1);
  EXPECT_FALSE(scan::isListedVirus(frm.List4, u""));
}

}  // namespace
