// The real machine layer on the real file system (run under Wine or Windows).
#include "platform/win32/machine.h"

#include <gtest/gtest.h>
#include <windows.h>

using platform::attr::Hidden;
using platform::attr::System;
using platform::win32::Machine;
using Text = core::Text;

namespace {

// A fresh scratch folder under the temporary folder, removed afterwards.
class Scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    root = Text(reinterpret_cast<char16_t*>(tmp)) + u"norvane-machine-" +
           core::decimal(GetCurrentProcessId()) + u"-" +
           core::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
    m.createFolder(root);
  }
  void TearDown() override { removeAll(root); }
  void removeAll(const Text& folder) {
    for (auto& e : m.list(folder, u"*")) {
      Text p = folder + u"\\" + e.name;
      m.setAttributes(p, 0);
      if (e.isFolder())
        removeAll(p);
      else
        m.deleteFile(p);
    }
    m.removeFolder(folder);
  }
  Machine m;
  Text root;
};

TEST_F(Scratch, NamesInAnyScriptAndWithTrailingDotsOrBlanksRoundTrip) {
  for (Text name :
       {Text(u"نمونه.txt"), Text(u"日本語.doc"), Text(u"a."), Text(u"b "), Text(u"c..")}) {
    SCOPED_TRACE(core::toUtf8(name));
    Text path = root + u"\\" + name;
    m.writeFile(path, "x", false);
    auto entries = m.list(root, u"*");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, name);
    auto st = m.stat(path);
    ASSERT_TRUE(st.has_value());
    EXPECT_EQ(st->name, name);
    m.deleteFile(path);
    EXPECT_FALSE(m.stat(path).has_value());
  }
}

TEST_F(Scratch, PathsBeyondTheOldLengthLimitWork) {
  Text path = root;
  for (int i = 0; i < 12; ++i) {
    path += u"\\" + Text(30, u'a' + i);
    m.createFolder(path);
  }
  ASSERT_GT(path.size(), 300u);
  m.writeFile(path + u"\\deep.txt", "hello", false);
  EXPECT_EQ(m.readAll(path + u"\\deep.txt"), "hello");
  EXPECT_EQ(m.fileLength(path + u"\\deep.txt"), 5u);
}

TEST_F(Scratch, AttributesAreSetAndReadBack) {
  Text path = root + u"\\f.txt";
  m.writeFile(path, "", false);
  m.setAttributes(path, Hidden | System);
  EXPECT_EQ(m.attributes(path) & (Hidden | System), Hidden | System);
  EXPECT_EQ(m.list(root, u"*")[0].attributes & Hidden, Hidden);
  m.setAttributes(path, 0x20);
  EXPECT_EQ(m.attributes(path) & (Hidden | System), 0u);
}

TEST_F(Scratch, LengthsAreSixtyFourBit) {
  Text path = root + u"\\big.bin";
  HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_WRITE, 0, nullptr,
                         CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  LARGE_INTEGER at;
  at.QuadPart = 5LL << 30;
  SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
  SetEndOfFile(h);
  CloseHandle(h);
  EXPECT_EQ(m.fileLength(path), 5ULL << 30);
  EXPECT_EQ(m.list(root, u"*.bin")[0].size, 5ULL << 30);
}

TEST_F(Scratch, ListingFailsOnlyForAMissingFolder) {
  EXPECT_TRUE(m.list(root, u"*.none").empty());
  EXPECT_THROW(m.list(root + u"\\missing", u"*"), core::Error);
}

TEST_F(Scratch, FoldersAreCreatedMovedAndRemoved) {
  m.createFolder(root + u"\\a");
  m.writeFile(root + u"\\a\\x.txt", "1", false);
  m.moveFolder(root + u"\\a", root + u"\\b");
  EXPECT_TRUE(m.stat(root + u"\\b\\x.txt").has_value());
  EXPECT_THROW(m.removeFolder(root + u"\\b"), core::Error);  // not empty
  EXPECT_THROW(m.createFolder(root + u"\\b"), core::Error);  // exists
  m.deleteFile(root + u"\\b\\x.txt");
  m.removeFolder(root + u"\\b");
  EXPECT_FALSE(m.stat(root + u"\\b").has_value());
}

TEST_F(Scratch, AppendAddsToTheEnd) {
  Text path = root + u"\\log.txt";
  m.writeFile(path, "a\r\n", true);
  m.writeFile(path, "b\r\n", true);
  EXPECT_EQ(m.readAll(path), "a\r\nb\r\n");
  m.writeFile(path, "c", false);
  EXPECT_EQ(m.readAll(path), "c");
}

TEST(Machine, SettingsRoundTripAndMissingValuesReadEmpty) {
  Machine m;
  Text app = u"NorvaneTest" + core::decimal(GetCurrentProcessId());
  EXPECT_EQ(m.get(app, u"Settings", u"Show-01"), u"");
  m.set(app, u"Settings", u"Show-01", u"2");
  EXPECT_EQ(m.get(app, u"Settings", u"Show-01"), u"2");
  RegDeleteTreeW(HKEY_CURRENT_USER,
                 reinterpret_cast<const wchar_t*>((u"Software\\" + app).c_str()));
}

TEST(Machine, DrivesAndRootTexts) {
  Machine m;
  auto letters = m.letters();
  ASSERT_FALSE(letters.empty());
  EXPECT_NE(std::find(letters.begin(), letters.end(), u'C'), letters.end());
  EXPECT_EQ(m.type(u"C:\\"), platform::DriveType::Fixed);
  EXPECT_EQ(m.type(u"c: [SYSTEM]\\"), platform::DriveType::NoRootDir);
  EXPECT_TRUE(m.isReady(u'C'));
  EXPECT_TRUE(m.totalBytes(u'C').has_value());
}

TEST(Machine, ClockAndCodePage) {
  Machine m;
  double t = m.secondsSinceMidnight();
  EXPECT_GE(t, 0);
  EXPECT_LT(t, 86400);
  double a = m.monotonic();
  Sleep(20);
  EXPECT_GE(m.monotonic() - a, 0.015);
  EXPECT_EQ(m.toAnsi(u"A\u4E2D"), "A?");
  EXPECT_EQ(m.fromAnsi("abc"), u"abc");
  EXPECT_FALSE(m.appFolder().empty());
}

}  // namespace
