// The language file reader: raw UTF-16LE bytes to filtered text, lines, and
// the reading order that a heading asks for.
#include <gtest/gtest.h>

#include "lang/languages.h"
#include "support/lang_files.h"

using core::Text;
using test::utf16le;

namespace {

const Text kMarker{0x06D2, 0x200F};

struct ReadCase {
  const char* what;
  std::string bytes;
  bool stripMarker;
  Text expected;
};

}  // namespace

TEST(ReadUnicodeText, KeepsOnlyUnitsFrom0001To7FFF) {
  const ReadCase cases[] = {
      {"plain text, lines kept whole", utf16le(u"Ab\r\nc\rd\n"), true, u"Ab\r\nc\rd\n"},
      {"byte-order mark dropped", utf16le(u"Ab\r\nc", true), true, u"Ab\r\nc"},
      {"NUL units dropped", utf16le(Text(u"A") + char16_t(0) + u"B" + char16_t(0)), true, u"AB"},
      {"units from 0x8000 dropped, 0x7FFF and CJK below it kept",
       utf16le(Text{0x4E2D, 0xAC00, 0xFF0C, 0x8000, 0x7FFF, 0xD83D, 0xDE00, 0x0645}), true,
       Text{0x4E2D, 0x7FFF, 0x0645}},
      {"odd length: the last byte is a unit of its own", utf16le(u"A") + "\xE9", true,
       Text{u'A', 0x00E9}},
      {"odd length ending in a zero byte", utf16le(u"A") + std::string(1, '\0'), true, u"A"},
      {"marker at the start: removed there and later", utf16le(kMarker + u"x" + kMarker + u"y"),
       true, u"xy"},
      {"marker after the byte-order mark still counts as the start",
       utf16le(kMarker + u"x" + kMarker, true), true, u"x"},
      {"marker only later: kept", utf16le(u"x" + kMarker + u"y"), true, u"x" + kMarker + u"y"},
      {"marker at the start without stripping: kept", utf16le(kMarker + u"x"), false,
       kMarker + u"x"},
      {"empty file", "", true, u""},
  };
  for (const auto& c : cases) {
    test::World w;
    w.machine.addDrive(u'C', platform::DriveType::Fixed);
    w.machine.addFile(u"C:\\f.ini", c.bytes);
    EXPECT_EQ(lang::ReadUnicodeText(w.platform, u"C:\\f.ini", c.stripMarker), c.expected) << c.what;
  }
}

TEST(ReadUnicodeText, UnreadableFileGivesEmptyText) {
  test::World w;
  w.machine.addDrive(u'C', platform::DriveType::Fixed);
  w.machine.addFolder(u"C:\\folder.ini");
  EXPECT_EQ(lang::ReadUnicodeText(w.platform, u"C:\\missing.ini", true), u"");
  EXPECT_EQ(lang::ReadUnicodeText(w.platform, u"C:\\folder.ini", true), u"");
  EXPECT_EQ(lang::ReadUnicodeText(w.platform, u"Q:\\nodrive.ini", true), u"");
}

TEST(SplitLines, CutsOnlyAtCrLf) {
  EXPECT_EQ(lang::splitLines(u"a\rb\nc\r\nd\r\n"), (std::vector<Text>{u"a\rb\nc", u"d", u""}));
  EXPECT_EQ(lang::splitLines(u""), (std::vector<Text>{u""}));
  EXPECT_EQ(lang::splitLines(u"\r\n\r\n"), (std::vector<Text>{u"", u"", u""}));
}

TEST(ReadingOrder, HeadingMarkDecidesElseTheNamesScript) {
  const std::pair<Text, bool> cases[] = {
      {u"[dir=rtl]English", true},
      {u"[DIR=LTR]" + core::fromUtf8("العربية"), false},
      {u"123456789" + core::fromUtf8("العربية"), true},
      {u"123456789 (1) " + core::fromUtf8("עברית"), true},
      {u"123456789" + core::fromUtf8("Français"), false},
      {u"123456789" + core::fromUtf8("Ελληνικά"), false},
      {u"123456789", false},
      {u"", false},
  };
  for (const auto& [heading, rtl] : cases)
    EXPECT_EQ(lang::headingIsRightToLeft(heading), rtl) << core::toUtf8(heading);
}
