// The visible-file lookup on the simulated machine.
#include "platform/lookup.h"

#include <gtest/gtest.h>

#include "support/world.h"

using namespace platform;

TEST(VisibleFile, FindsOnlyPlainFilesByTheirExactName) {
  test::World w;
  auto& m = w.machine;
  m.addDrive(u'G', DriveType::Removable);
  m.addFile(u"G:\\Photo.JPG");
  m.addFile(u"G:\\ro.txt", "", attr::ReadOnly | attr::Archive);
  m.addFile(u"G:\\h.txt", "", attr::Hidden);
  m.addFile(u"G:\\s.txt", "", attr::System);
  m.addFolder(u"G:\\Docs");
  m.addFile(u"G:\\نمونه.exe");
  struct Case {
    const char16_t* path;
    std::optional<Text> found;
  } cases[] = {
      {u"G:\\photo.jpg", Text(u"Photo.JPG")},  // the disk's spelling
      {u"G:\\ro.txt", Text(u"ro.txt")},       {u"G:\\h.txt", std::nullopt},
      {u"G:\\s.txt", std::nullopt},           {u"G:\\Docs", std::nullopt},
      {u"G:\\missing.txt", std::nullopt},     {u"G:\\?????.exe", std::nullopt},  // no wildcards
      {u"G:\\نمونه.exe", Text(u"نمونه.exe")}, {u"Q:\\x.txt", std::nullopt},      // no such drive
  };
  for (auto& c : cases) EXPECT_EQ(visibleFile(m, c.path), c.found) << core::toUtf8(c.path);
}

TEST(VisibleFile, ARootGivesItsFirstPlainFile) {
  test::World w;
  auto& m = w.machine;
  m.addDrive(u'G', DriveType::Removable);
  EXPECT_EQ(visibleFile(m, u"G:\\"), std::nullopt);
  m.addFile(u"G:\\hidden.txt", "", attr::Hidden);
  m.addFolder(u"G:\\Docs");
  m.addFile(u"G:\\b.txt");
  m.addFile(u"G:\\a.txt");
  EXPECT_EQ(visibleFile(m, u"G:\\"), Text(u"b.txt"));
}
