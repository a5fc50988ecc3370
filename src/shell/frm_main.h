// The main window: every control at its design place with its design text,
// the window variables, the message table and the shared procedures.
//
// frmMain owns the program's shared state. Several of its controls are
// hidden and only hold data (drive letters, detection lists, language paths,
// counters in captions); the subsystems read and write them by name. The
// shared procedures are slots that the owning subsystem fills when it is
// wired; until then they do nothing.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "ui/application.h"
#include "ui/controls.h"

namespace browse {
class FileSys;
}

namespace shell {

using core::Text;

// Colours of the main window.
namespace look {
constexpr ui::Colour WindowBack = 0x004080;
constexpr ui::Colour DriveTableBack = 0x627436;
constexpr ui::Colour FileListBack = 0x6F6F4A;
constexpr ui::Colour CaptionButton = 0xC2C0B1;
constexpr ui::Colour Cover = 0x9FBFD0;
// The panels over the background take the cover's parchment colour.
constexpr ui::Colour Panel = 0x9FBFD0;
}  // namespace look

class FrmMain : public ui::Form {
 public:
  static constexpr const char* kName = "frmMain";
  static constexpr double kDesignWidth = 13065;
  static constexpr double kDesignHeight = 8940;
  static constexpr int kMessages = 31;

  // `wire` runs once every control exists and before the window loads: the
  // subsystems bind their handlers and fill the shared procedures there.
  FrmMain(ui::Application& app, const std::function<void(FrmMain&)>& wire = {});

  // Message N: the current caption of MSG0(N).
  const Text& message(int n) const { return MSG0.at(n)->text(); }

  // ---- window variables ----
  std::shared_ptr<browse::FileSys> FileSys;  // created on first use by browse::fileSys()
  std::optional<int16_t> LastDriveCount;  // empty until the first rebuild
  double LogCountdown = 0;
  int FolderIndex = 0;
  int FilesExamined = 0;
  int TempDbCount = 0;
  Text TxtCommand1, TxtNoSelection, TxtNoSelectionTitle, TxtRename, TxtRenameTitle, TxtRemove,
      TxtRemoveTitle;

  // ---- shared procedures (filled by their subsystems) ----
  std::function<int(const Text& path)> DelTree = [](const Text&) { return -1; };
  std::function<void(const Text& path)> AddFinding = [](const Text&) {};
  std::function<Text(const Text& path)> TestDriveWrite = [](const Text&) { return Text(u"No"); };
  std::function<void()> RebuildDriveList = [] {};
  // With a list drive, also refills List1 for that drive.
  std::function<void(const std::optional<Text>& listDrive)> RebuildFolderTree =
      [](const std::optional<Text>&) {};
  std::function<void()> LayoutRule = [] {};
  std::function<void()> CloseAction = [] {};

  // ---- title and frame ----
  ui::Image& Image5;
  ui::Label& Label17;
  ui::Label& Label1;
  ui::Label& UniLabel2;
  ui::Label& Label18;
  ui::Label& Label20;
  ui::Label& Label21;
  ui::Button& Command9;
  ui::Button& Command6;
  ui::Button& Command8;
  ui::Button& Command1;
  ui::Button& Command2;
  // ---- attribute and option boxes ----
  ui::CheckBox& Check2;
  ui::CheckBox& Check3;
  ui::CheckBox& Check1;
  ui::CheckBox& Check4;
  ui::CheckBox& Check5;
  ui::CheckBox& Check6;
  std::array<ui::Label*, 6> BackPanels;  // Label22 to Label27
  // ---- path field ----
  ui::PictureBox& Picture6;
  ui::TextBox& Text1;
  // ---- language box and its cover ----
  ui::PictureBox& Picture9;
  ui::ComboBox& Combo1;
  ui::PictureBox& Picture11;
  ui::Label& Label15;
  // ---- browsing panel ----
  ui::PictureBox& Picture2;
  ui::ListView& ListView1;
  ui::ImageList& UniImageList1;
  ui::ListBox& List1;
  ui::FileListBox& filList;
  ui::Label& Label3;
  ui::Label& Label4;
  ui::Label& Label5;
  ui::Label& Label6;
  ui::Label& Bite1;
  ui::Label& UniLabel1;
  ui::ListBox& List2;
  // ---- information frame ----
  ui::Frame& Frame1;
  ui::PictureBox& Picture3;
  ui::Label& Label9;
  ui::Label& Label10;
  ui::Label& Label12;
  ui::Label& Label8;
  ui::Label& Label14;
  ui::Label& Label11;
  ui::Label& Label19;
  ui::Label& Label2;
  // ---- progress panel ----
  ui::PictureBox& Picture5;
  ui::PictureBox& Picture8;
  ui::Image& vkBar1;
  ui::Label& Label_2;
  // ---- single-item result pictures ----
  ui::Image& Image1;
  ui::Image& Image2;
  ui::Label& Label7;
  // ---- list editor panel ----
  ui::PictureBox& Picture7;
  ui::Button& Command3;
  ui::ListBox& List4;
  ui::ListBox& List5;
  ui::Button& Command5;
  ui::Button& Command4;
  ui::Button& Command7;
  ui::TextBox& Text4;
  ui::ComboBox& Text5;
  ui::CheckBox& Check7;
  ui::Label& Label13;
  ui::Label& Label16;
  // ---- message table ----
  ui::PictureBox& Picture10;
  std::array<ui::Label*, kMessages> MSG0;
  // ---- hidden holders ----
  ui::TextBox& Text2;
  ui::TextBox& Text3;
  ui::DriveListBox& Drive1;
  ui::FileListBox& File1;
  ui::ListBox& List6;  // Unicode: language file paths are kept exactly, whatever their script
  ui::TreeView& tvFolders;
  ui::ImageList& imgMain;
  ui::ListBox& UniList1;
  ui::ComboBox& UniCombo1;
  ui::TextBox& Text6;
  ui::PictureBox& picBuff;
  ui::PictureBox& picDefault;
  // ---- timers ----
  ui::Timer& Timer1;
  ui::Timer& Timer2;
  ui::Timer& Timer4;
  ui::Timer& Timer10;
};

// The drive entries of the platform's drive list: "c: [SYSTEM]", "a:".
std::vector<Text> driveEntries(platform::Platform& platform);

}  // namespace shell
