// What the Kit tools do to a folder: empty it as far as they can, leave
// links alone, and refuse folders that must never be emptied.
#include <gtest/gtest.h>

#include "cleaner/emptying.h"
#include "support/world.h"

using namespace platform;
using cleaner::Refusal;
using Text = core::Text;

namespace {

const cleaner::Protected kKeep{u"C:\\WINDOWS", {u"C:\\Users\\Ann"}};

TEST(Emptying, RemovesWhatItCanAndLeavesLinksAndFilesInUse) {
  test::World w;
  auto& m = w.machine;
  m.addDrive(u'C', DriveType::Fixed);
  m.addFolder(u"C:\\Temp");
  m.addFile(u"C:\\Temp\\a.tmp", "a");
  m.addFile(u"C:\\Temp\\guarded.tmp", "b", attr::ReadOnly | attr::Hidden | attr::System);
  m.addFolder(u"C:\\Temp\\setup\\cab\\deep", attr::Directory | attr::ReadOnly);
  m.addFile(u"C:\\Temp\\setup\\cab\\deep\\x.cab", "c");
  m.addFolder(u"C:\\Temp\\busy");
  m.addFile(u"C:\\Temp\\busy\\free.log", "d");
  m.addFile(u"C:\\Temp\\busy\\open.log", "e", attr::ReadOnly);
  m.setLocked(u"C:\\Temp\\busy\\open.log", true);
  // A link inside the folder that leads out of it.
  m.addFolder(u"C:\\Keep");
  m.addFile(u"C:\\Keep\\precious.doc", "f", attr::ReadOnly);
  m.addFolderLink(u"C:\\Temp\\out", u"C:\\Keep");

  cleaner::EmptyResult r;
  EXPECT_EQ(cleaner::emptyIfAllowed(m, u"C:\\Temp", kKeep, &r), 0);

  std::vector<Text> left;
  for (auto& e : m.list(u"C:\\Temp", u"*")) left.push_back(e.name);
  EXPECT_EQ(left, (std::vector<Text>{u"busy", u"out"}));
  EXPECT_FALSE(m.exists(u"C:\\Temp\\busy\\free.log"));
  // The file in use stays, read-only as it was.
  EXPECT_EQ(m.attributes(u"C:\\Temp\\busy\\open.log"), attr::ReadOnly);
  // The link stays, and nothing behind it was touched.
  EXPECT_EQ(m.attributes(u"C:\\Temp\\out") & attr::ReparsePoint, attr::ReparsePoint);
  EXPECT_EQ(m.attributes(u"C:\\Keep\\precious.doc"), attr::ReadOnly);
  EXPECT_EQ(r.filesRemoved, 4);
  EXPECT_EQ(r.foldersRemoved, 3);  // setup, cab, deep
  EXPECT_EQ(r.skipped, 3);         // open.log, busy, out
}

TEST(Emptying, TriesOnceMoreWhenSomethingWasBusy) {
  test::World w;
  auto& m = w.machine;
  m.addDrive(u'C', DriveType::Fixed);
  m.addFile(u"C:\\Temp\\setup\\a.tmp", "a");
  m.setLocked(u"C:\\Temp\\setup\\a.tmp", true);  // in use during the first pass only
  int waits = 0;
  cleaner::EmptyResult r;
  EXPECT_EQ(cleaner::emptyIfAllowed(m, u"C:\\Temp", kKeep, &r,
                                    [&] {
                                      ++waits;
                                      m.setLocked(u"C:\\Temp\\setup\\a.tmp", false);
                                    }),
            0);
  EXPECT_EQ(waits, 1);
  EXPECT_TRUE(m.list(u"C:\\Temp", u"*").empty());
  EXPECT_EQ(r.skipped, 0);
  EXPECT_EQ(r.filesRemoved, 1);
  EXPECT_EQ(r.foldersRemoved, 1);

  // Nothing left over: no second pass and no wait.
  m.addFile(u"C:\\Temp\\b.tmp", "b");
  EXPECT_EQ(cleaner::emptyIfAllowed(m, u"C:\\Temp", kKeep, &r, [&] { ++waits; }), 0);
  EXPECT_EQ(waits, 1);

  // A file that stays in use: three more tries, then the tool gives up.
  m.addFile(u"C:\\Temp\\held.log", "x");
  m.setLocked(u"C:\\Temp\\held.log", true);
  waits = 0;
  EXPECT_EQ(cleaner::emptyIfAllowed(m, u"C:\\Temp", kKeep, &r, [&] { ++waits; }), 0);
  EXPECT_EQ(waits, 3);
  EXPECT_EQ(r.skipped, 1);
}

TEST(Emptying, RefusesFoldersThatMustNeverBeEmptied) {
  struct Case {
    Text folder;
    Refusal refusal;
  } cases[] = {
      {u"", Refusal::NotAFullPath},
      {u"Temp", Refusal::NotAFullPath},
      {u"C:", Refusal::NotAFullPath},
      {u"C:\\Temp\\..\\WINDOWS", Refusal::NotAFullPath},
      {u"\\\\.\\C:\\Temp", Refusal::NotAFullPath},
      {u"C:\\", Refusal::DriveRoot},
      {u"c:/", Refusal::DriveRoot},
      {u"\\\\?\\C:\\", Refusal::DriveRoot},
      {u"\\\\server\\share\\", Refusal::DriveRoot},
      {u"C:\\WINDOWS", Refusal::WindowsFolder},
      {u"c:\\windows\\", Refusal::WindowsFolder},
      {u"\\\\?\\C:\\Windows", Refusal::WindowsFolder},
      {u"C:\\\\Windows", Refusal::WindowsFolder},
      {u"C:\\Users\\Ann", Refusal::ProfileFolder},
      {u"C:\\USERS\\ANN\\", Refusal::ProfileFolder},
      {u"C:\\Users", Refusal::ProfileFolder},  // holds the profile
      {u"C:\\Missing", Refusal::Missing},
      {u"C:\\file.txt", Refusal::Missing},
      {u"C:\\TempLink", Refusal::Link},
      {u"C:\\WINDOWS\\Prefetch", Refusal::None},
      {u"C:\\WindowsOld", Refusal::None},  // a longer name is not the Windows folder
      {u"C:\\Users\\Ann\\AppData\\Local\\Temp", Refusal::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(core::toUtf8(c.folder));
    test::World w;
    auto& m = w.machine;
    m.addDrive(u'C', DriveType::Fixed);
    const Text sentinels[] = {u"C:\\root.sys",
                              u"C:\\WINDOWS\\x.dll",
                              u"C:\\WINDOWS\\Prefetch\\a.pf",
                              u"C:\\WindowsOld\\o.txt",
                              u"C:\\Users\\Ann\\doc.txt",
                              u"C:\\Users\\Ann\\AppData\\Local\\Temp\\t.tmp"};
    for (const Text& f : sentinels) {
      m.addFolder(f.substr(0, f.rfind(u'\\')));
      m.addFile(f, "x");
    }
    m.addFile(u"C:\\file.txt");
    m.addFolderLink(u"C:\\TempLink", u"C:\\Users\\Ann");

    EXPECT_EQ(cleaner::judge(m, c.folder, kKeep), c.refusal);
    int code = cleaner::emptyIfAllowed(m, c.folder, kKeep);
    EXPECT_EQ(code, static_cast<int>(c.refusal));
    if (c.refusal == Refusal::None) {
      EXPECT_TRUE(m.list(c.folder, u"*").empty());
    } else {
      for (const Text& f : sentinels) EXPECT_TRUE(m.exists(f)) << core::toUtf8(f);
    }
  }
}

}  // namespace
