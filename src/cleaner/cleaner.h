// The system cleaner: the window Form1 that empties the temporary or the
// prefetch folder through the two Kit tools, showing progress as the
// folder's shrinking size.
#pragma once

#include <cstdint>

#include "shell/frm_main.h"

namespace cleaner {

using core::Text;

// The prefetch folder the window measures (fixed text).
inline constexpr char16_t kPrefetchFolder[] = u"C:\\WINDOWS\\Prefetch";
// The tools, relative to the application folder.
inline constexpr char16_t kTempTool[] = u"\\Kit\\Ombra.exe";
inline constexpr char16_t kPrefetchTool[] = u"\\Kit\\Sedil.exe";
inline constexpr char16_t kClip[] = u"\\Kit\\Brisa.bmp";

// The window's values that outlive it: they keep their values from one
// opening of the window to the next, until the program ends.
struct Memory {
  Text CleanFolder;
  double CurrentKB = 0;
  double OnePercentKB = 0;
  Text TempDone;      // "Yes" once a run on the temporary folder started
  Text PrefetchDone;  // "Yes" once a run on the prefetch folder started
  uint32_t ToolPid = 0;
};

// The path with a trailing backslash, unless it already ends in one.
Text AddBackslash(const Text& path);

// Total size in bytes of a file, or of a folder with everything below it
// (hidden and system files included, sizes taken whole as 64-bit values).
// An unreadable path or entry counts 0. Folder links are counted as nothing:
// what they point at is not part of the folder. Yields to the event loop
// after every folder entry, so timers and input run during a long walk.
double GetFolderSize(ui::Application& app, const Text& path);

class Form1 : public ui::Form {
 public:
  static constexpr const char* kName = "Form1";
  static constexpr double kBarPerPercent = 59.85;  // twips of bar fill per percent

  Form1(ui::Application& app, Memory& memory);

  ui::Image& Image1;
  ui::Image& Image2;
  ui::Label& Label4;
  ui::Label& Label3;
  ui::Label& Label2;
  ui::Label& Label1;
  ui::PictureBox& Picture1;
  ui::TextBox& Label5;
  ui::PictureBox& Picture2;
  ui::Animation& Animation1;
  ui::PictureBox& Picture10;
  ui::Image& Image6;
  ui::Label& Label15;
  ui::Label& Label7;
  ui::OptionButton& Option1;
  ui::OptionButton& Option2;
  ui::Button& Command2;
  ui::Button& Command1;
  ui::Timer& Timer1;

 protected:
  void onLoad() override;

 private:
  void run();
  void measure();
  void barRule();
  void fitAnimation();
  void drag(const ui::MouseEvent& e);
  void hotSpots(ui::Label* bordered);

  Memory& memory_;
};

class Cleaner {
 public:
  explicit Cleaner(shell::FrmMain& frm);

  // Both tools are present in the Kit folder (a file or a folder of each name).
  bool toolsPresent() const;
  // Command8: shows Form1 modally over frmMain when both tools are present.
  void open();

  const Memory& memory() const { return memory_; }

 private:
  shell::FrmMain& frm_;
  Memory memory_;
};

}  // namespace cleaner
