// The file list, the selected file's details, the File.txt log and the
// hand-offs to the system's file browser.
#include <gtest/gtest.h>

#include "support/browse_world.h"

using core::Text;
using test::BrowseWorld;
using test::DriveType;
namespace attr = platform::attr;

namespace {

// G: holds a folder of three pictures and a root with hidden and system files.
struct StickWorld : BrowseWorld {
  StickWorld() {
    machine.addDrive(u'G', DriveType::Removable, u"STICK");
    machine.addFile(u"G:\\autorun.inf", "[autorun]", attr::Hidden | attr::System);
    machine.addFile(u"G:\\readme.txt", "read me");
    machine.addFile(u"G:\\Thumbs.db", "", attr::Hidden);
    machine.addFile(u"G:\\Photos\\a.jpg", std::string(1500, 'a'));
    machine.addSizedFile(u"G:\\Photos\\b.jpg", 5'000'000);
    machine.addSizedFile(u"G:\\Photos\\c.jpg", 3'000'000'000ULL);
    machine.addFolder(u"G:\\Private");
    machine.addFile(u"G:\\Private\\secret.txt");
    start();
    frm->ListView1.performSelect(1);  // G:
  }
  // Selects the entry of List1 that reads `folder`.
  void openFolder(const Text& folder) {
    for (int i = 0; i < frm->List1.listCount(); ++i)
      if (frm->List1.list(i) == folder) return frm->List1.performSelect(i);
    FAIL() << "no folder " << core::toUtf8(folder);
  }
  std::string log() {
    Text path = u"C:\\Norvane\\File.txt";
    return machine.exists(path) ? machine.content(path) : "";
  }
};

}  // namespace

TEST(BrowseFiles, FileListShowsHiddenAndSystemFilesInTheirOrder) {
  StickWorld w;
  auto& frm = *w.frm;
  EXPECT_EQ(frm.filList.items(), (std::vector<Text>{u"autorun.inf", u"readme.txt", u"Thumbs.db"}));

  // Choosing the root entry and then a file gives its path without a doubled backslash.
  w.openFolder(u"G:\\");
  EXPECT_EQ(frm.Text1.text(), u"G:\\");
  frm.filList.performSelect(1);
  EXPECT_EQ(frm.Text1.text(), u"G:\\readme.txt");
  frm.filList.performSelect(0);
  EXPECT_EQ(frm.Text1.text(), u"G:\\autorun.inf");
  EXPECT_EQ(frm.Text3.text(), u"autorun.inf");
  EXPECT_EQ(frm.Bite1.text(), u"0.01  KB");
  EXPECT_EQ(frm.filList.toolTip(), u"autorun.inf");
}

TEST(BrowseFiles, ChoosingFilesShowsSizeBarAndPath) {
  StickWorld w;
  auto& frm = *w.frm;
  w.openFolder(u"G:\\Photos");
  EXPECT_EQ(frm.Text1.text(), u"G:\\Photos");
  EXPECT_EQ(frm.filList.listIndex(), -1);  // outside a clean run no file is chosen
  ASSERT_EQ(frm.filList.items(), (std::vector<Text>{u"a.jpg", u"b.jpg", u"c.jpg"}));

  struct Expect {
    const char16_t* size;
    double bar;
    const char16_t* percent;
  } expected[] = {
      {u"1.46  KB", 1958.4, u"33 %"},
      {u"4.77  MB", 3801.6, u"67 %"},
      {u"2.79  GB", 5760, u"100 %"},  // 3 000 000 000 bytes: no 32-bit wrap
  };
  for (int i = 0; i < 3; ++i) {
    frm.Picture11.setVisible(false);
    frm.filList.performSelect(i);
    Text name = frm.filList.list(i);
    EXPECT_EQ(frm.Bite1.text(), expected[i].size) << i;
    EXPECT_DOUBLE_EQ(frm.Picture8.width(), expected[i].bar) << i;
    EXPECT_EQ(frm.Label_2.text(), expected[i].percent) << i;
    EXPECT_EQ(frm.Text1.text(), u"G:\\Photos\\" + name);
    EXPECT_EQ(frm.Text3.text(), name);
    EXPECT_TRUE(frm.Picture11.visible());
  }
}

TEST(BrowseFiles, LogTakesVisibleFilesWhileTheCountdownLasts) {
  StickWorld w;
  auto& frm = *w.frm;
  w.openFolder(u"G:\\Photos");
  frm.LogCountdown = 2;
  for (int i = 0; i < 3; ++i) frm.filList.performSelect(i);
  EXPECT_EQ(w.log(),
            "File Name: a.jpg\r\nFile Size: 1.46  KB\r\n"
            "File Name: b.jpg\r\nFile Size: 4.77  MB\r\n");
  EXPECT_EQ(frm.LogCountdown, 0);

  // Hidden and system files are never logged, yet they use up the countdown;
  // a visible file is appended to what is there.
  w.openFolder(u"G:\\");
  frm.LogCountdown = 3;
  frm.filList.performSelect(0);  // autorun.inf, hidden and system
  frm.filList.performSelect(2);  // Thumbs.db, hidden
  frm.filList.performSelect(1);  // readme.txt
  EXPECT_EQ(frm.LogCountdown, 0);
  EXPECT_EQ(w.log(),
            "File Name: a.jpg\r\nFile Size: 1.46  KB\r\n"
            "File Name: b.jpg\r\nFile Size: 4.77  MB\r\n"
            "File Name: readme.txt\r\nFile Size: 0.01  KB\r\n");
}

TEST(BrowseFiles, NamesInAnyScriptAreListedMeasuredAndLoggedInAnsi) {
  BrowseWorld w;
  w.machine.addDrive(u'G', DriveType::Removable, u"STICK");
  w.machine.addFile(u"G:\\Фото\\снимок.jpg", std::string(2048, 'x'));
  w.machine.addFile(u"G:\\Фото\\a.jpg", std::string(10, 'x'));
  auto& frm = w.start();
  frm.ListView1.performSelect(1);
  ASSERT_EQ(frm.List1.items(), (std::vector<Text>{u"G:\\", u"G:\\Фото"}));
  frm.List1.performSelect(1);
  ASSERT_EQ(frm.filList.items(), (std::vector<Text>{u"снимок.jpg", u"a.jpg"}));

  frm.LogCountdown = 1;
  frm.filList.performSelect(0);
  EXPECT_EQ(frm.Text1.text(), u"G:\\Фото\\снимок.jpg");
  EXPECT_EQ(frm.Bite1.text(), u"2  KB");
  EXPECT_EQ(w.machine.content(u"C:\\Norvane\\File.txt"),
            "File Name: ??????.jpg\r\nFile Size: 2  KB\r\n");
}

TEST(BrowseFiles, FolderThatCannotBeOpenedShowsNoFiles) {
  StickWorld w;
  auto& frm = *w.frm;
  w.machine.setUnreadable(u"G:\\Private", true);
  w.openFolder(u"G:\\Private");
  EXPECT_EQ(frm.Text1.text(), u"G:\\Private");
  EXPECT_EQ(frm.filList.listCount(), 0);

  // A folder removed since it was listed: the same.
  w.openFolder(u"G:\\Photos");
  ASSERT_EQ(frm.filList.listCount(), 3);
  w.machine.setUnreadable(u"G:\\Private", false);
  w.machine.deleteFile(u"G:\\Private\\secret.txt");
  w.machine.removeFolder(u"G:\\Private");
  w.openFolder(u"G:\\Private");
  EXPECT_EQ(frm.filList.listCount(), 0);

  // The next folder that opens lists its files again.
  w.openFolder(u"G:\\Photos");
  EXPECT_EQ(frm.filList.items(), (std::vector<Text>{u"a.jpg", u"b.jpg", u"c.jpg"}));
  EXPECT_EQ(frm.filList.pattern(), u"*.*");
}

TEST(BrowseFiles, DuringACleanRunAFolderChoiceChoosesItsFirstFile) {
  StickWorld w;
  auto& frm = *w.frm;
  frm.Timer10.setEnabled(false);  // the run state without the run driver's ticks
  frm.Timer10.setInterval(10);
  w.openFolder(u"G:\\Photos");
  EXPECT_EQ(frm.filList.listIndex(), 0);
  EXPECT_EQ(frm.Text1.text(), u"G:\\Photos\\a.jpg");
  frm.Timer10.setInterval(0);
}

TEST(BrowseFiles, DoubleClicksOpenTheFileBrowser) {
  StickWorld w;
  auto& frm = *w.frm;
  w.machine.started.clear();
  frm.ListView1.performDblClick();  // the chosen drive, G:
  w.openFolder(u"G:\\Photos");
  frm.List1.performDblClick();
  w.openFolder(u"G:\\");
  frm.List1.performDblClick();
  frm.ListView1.performSelect(0);
  frm.ListView1.performDblClick();

  std::vector<Text> commands;
  for (auto& s : w.machine.started) {
    EXPECT_EQ(s.show, platform::show::Normal);
    commands.push_back(s.commandLine);
  }
  EXPECT_EQ(commands, (std::vector<Text>{u"Explorer g:\\", u"Explorer G:\\Photos\\",
                                         u"Explorer G:\\\\", u"Explorer c:\\"}));
}
