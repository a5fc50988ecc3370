#include "cleaner/cleaner.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/error.h"
#include "shell/msgbox.h"
#include "ui/event_loop.h"

namespace cleaner {

using core::attempt;
using namespace ui;

Text AddBackslash(const Text& path) {
  return !path.empty() && path.back() == u'\\' ? path : path + u"\\";
}

double GetFolderSize(Application& app, const Text& path) {
  if (path.empty()) return 0;
  platform::FileSystem& files = app.platform().files;
  uint32_t attributes = 0;
  if (!attempt([&] { attributes = files.attributes(path); })) return 0;
  if (!(attributes & platform::attr::Directory)) {
    uint64_t length = 0;
    attempt([&] { length = files.fileLength(path); });
    return static_cast<double>(length);
  }
  // Folders still to walk, kept on a list rather than on the call stack so
  // that no depth of nesting can exhaust it.
  double total = 0;
  std::vector<Text> folders{path};
  while (!folders.empty()) {
    Text folder = std::move(folders.back());
    folders.pop_back();
    std::vector<platform::DirEntry> entries;
    if (!attempt([&] { entries = files.list(folder, u"*.*"); })) continue;
    for (const platform::DirEntry& entry : entries) {
      if (!entry.isFolder())
        total += static_cast<double>(entry.size);
      else if (!entry.isLink())
        folders.push_back(AddBackslash(folder) + entry.name);
      app.loop().yield();
    }
  }
  return total;
}

// ---- Form1 -------------------------------------------------------------

Form1::Form1(Application& app, Memory& memory)
    : Form(app, kName),
      Image1(add<Image>("Image1")),
      Image2(add<Image>("Image2")),
      Label4(add<Label>("Label4", -1, true)),
      Label3(add<Label>("Label3")),
      Label2(add<Label>("Label2")),
      Label1(add<Label>("Label1")),
      Picture1(add<PictureBox>("Picture1")),
      Label5(add<TextBox>("Label5", -1, true)),
      Picture2(add<PictureBox>("Picture2")),
      Animation1(add<Animation>("Animation1")),
      Picture10(add<PictureBox>("Picture10")),
      Image6(add<Image>("Image6")),
      Label15(add<Label>("Label15")),
      Label7(add<Label>("Label7")),
      Option1(add<OptionButton>("Option1", -1, true)),
      Option2(add<OptionButton>("Option2", -1, true)),
      Command2(add<Button>("Command2", -1, true)),
      Command1(add<Button>("Command1", -1, true)),
      Timer1(add<Timer>("Timer1", 100)),
      memory_(memory) {
  setBorderStyle(0);
  move(0, 0, 7050, 4440);

  // The skin: a picture with its own title strip and three caption marks.
  Image1.move(0, 0, 7050, 4440);
  Image1.setStretch(true);
  Image1.setPicture("cleaner.skin");
  Image2.move(120, 30, 300, 300);
  Image2.setStretch(true);
  Label4.move(480, 60, 5655, 495);
  Label4.setTransparent(true);
  Label4.setFont({u"Tahoma", 9.75, true});
  Label4.setForeColour(0x16283F);
  // Hot spots over the caption marks: minimise, the covered middle one, close.
  Label3.move(6165, 60, 210, 210);
  Label3.setTransparent(true);
  Label2.move(6450, 60, 210, 210);
  Label2.setBackColour(0xBAC09C);
  Label1.move(6750, 60, 210, 210);
  Label1.setTransparent(true);
  for (Label* spot : {&Label3, &Label2, &Label1}) spot->setBorderStyle(1);

  // The text panel; it shrinks during a run and uncovers the progress panel.
  Picture1.move(150, 600, 6735, 2595);
  Picture1.setBackColour(0xC2C0B1);
  Picture1.setEnabled(false);
  Label5.setContainer(&Picture1);
  Label5.move(240, 60, 6255, 975);
  Label5.setMultiLine(true);
  Label5.setLocked(true);
  Label5.setBackColour(0xC2C0B1);

  Picture2.move(150, 1890, 6735, 1275);
  Picture2.setBackColour(0xD8D8C8);
  Picture2.setVisible(false);
  Animation1.setContainer(&Picture2);
  Animation1.move(0, 0, 6495, 735);
  Picture10.setContainer(&Picture2);
  Picture10.move(360, 720, 6015, 480);
  Picture10.setBackColour(0x397168);
  Image6.setContainer(&Picture10);
  Image6.move(-15, 0, 15, 450);
  Image6.setStretch(true);
  Image6.setPicture("cleaner.bar");
  Label15.setContainer(&Picture10);
  Label15.move(2640, 90, 615, 270);
  Label15.setText(u"0 %");
  Label15.setForeColour(0xFFFF00);
  Label15.setFont({u"MS Sans Serif", 8.25, true});
  Label15.setAlignment(2);
  Label15.setTransparent(true);

  Label7.move(600, 3240, 5895, 375);
  Label7.setBackColour(0xFFFF80);
  Option1.move(960, 3300, 2535, 255);
  Option1.setBackColour(0xFFFF80);
  Option2.move(3720, 3300, 2655, 255);
  Option2.setBackColour(0xFFFF80);
  Option2.setValue(true);
  Command2.move(240, 3720, 1575, 495);
  Command2.setCancel(true);
  Command1.move(5160, 3720, 1575, 495);
  Command1.setDefault(true);
  Timer1.setEnabled(false);

  Option1.click += [this] {
    if (memory_.PrefetchDone != u"Yes") Command1.setEnabled(true);
  };
  Option2.click += [this] {
    if (memory_.TempDone != u"Yes") Command1.setEnabled(true);
  };
  Command1.click += [this] { run(); };
  Command2.click += [this] { unload(); };
  Label1.click += [this] { unload(); };
  Label3.click += [this] {
    setState(state() == WindowState::Normal ? WindowState::Minimised : WindowState::Normal);
  };
  Label4.mouseDown += [this](const MouseEvent& e) { drag(e); };
  Label4.mouseMove += [this](const MouseEvent& e) {
    if (e.button & mouse::Left) drag(e);
  };
  Label1.mouseMove += [this](const MouseEvent&) { hotSpots(&Label1); };
  Label3.mouseMove += [this](const MouseEvent&) { hotSpots(&Label3); };
  Label2.mouseMove += [this](const MouseEvent&) { hotSpots(nullptr); };
  Image1.mouseMove += [this](const MouseEvent&) { hotSpots(nullptr); };
  resize += [this] { fitAnimation(); };
  Picture2.resize += [this] { fitAnimation(); };
  Timer1.tick += [this] { measure(); };
  Label15.change += [this] { barRule(); };
}

void Form1::onLoad() {
  if (auto* frm = app().loaded<shell::FrmMain>()) {
    centreOver(*frm);
    auto msg = [frm](int n) { return frm->message(n); };
    attempt([&] { Label4.setText(msg(18)); });
    attempt([&] { Label5.setText(msg(19)); });
    attempt([&] { Command1.setText(msg(20)); });
    attempt([&] { Command2.setText(msg(21)); });
    attempt([&] { Option1.setText(msg(22)); });
    attempt([&] { Option2.setText(msg(23)); });
  }
  Image2.setPicture("norvane");  // the program's icon
  attempt([&] { Animation1.open(app().platform().system.appFolder() + kClip); });
  // The first resize of a window comes with its load.
  fitAnimation();
}

// The clip fills the progress panel above the bar.
void Form1::fitAnimation() {
  Animation1.move(Animation1.left(), Animation1.top(), Picture2.width(), Picture10.top());
}

void Form1::drag(const MouseEvent&) { app().backend().dragWindow(*this); }

// The hot spot under the mouse shows its border; the other loses it.
void Form1::hotSpots(Label* bordered) {
  for (Label* spot : {&Label1, &Label3}) spot->setBorderStyle(spot == bordered ? 1 : 0);
}

// Starts the chosen tool and waits for its end while Timer1 measures how far
// the folder has shrunk.
void Form1::run() {
  Application& app = this->app();
  platform::Platform& p = app.platform();
  Picture1.setHeight(1215);
  Picture2.setVisible(true);
  Command1.setEnabled(false);

  Text tool;
  if (Option2.value()) {
    tool = kTempTool;
    memory_.TempDone = u"Yes";
    memory_.CleanFolder = p.system.environment(u"TEMP").value_or(Text());
  } else {
    tool = kPrefetchTool;
    memory_.PrefetchDone = u"Yes";
    memory_.CleanFolder = kPrefetchFolder;
  }
  memory_.CurrentKB = GetFolderSize(app, memory_.CleanFolder) / 1024;
  memory_.OnePercentKB = memory_.CurrentKB / 100;
  Timer1.setEnabled(true);

  // The program's path is quoted: an application folder with blanks in its
  // name must not make the system start some other program.
  std::unique_ptr<platform::Process> process;
  attempt([&] {
    process =
        p.processes.start(u"\"" + p.system.appFolder() + tool + u"\"", platform::show::Hidden);
    memory_.ToolPid = process->id();
  });
  // Blocks on the tool's handle and on input together; the ticks run meanwhile.
  if (process) app.loop().waitUntil([&] { return !process->running(); }, process->waitHandle());
  process.reset();

  Timer1.setEnabled(false);
  Label15.setText(u"100 %");
  if (auto* frm = app.loaded<shell::FrmMain>())
    shell::MsgBoxW(app, frm->message(29), shell::style::Ok, frm->message(18));
  Picture2.setVisible(false);
  Picture1.setHeight(2595);
}

// Timer1: the percentage of the starting size that is gone.
void Form1::measure() {
  memory_.CurrentKB = GetFolderSize(app(), memory_.CleanFolder) / 1024;
  if (memory_.OnePercentKB == 0) {
    Label15.setText(u"100 %");
    return;
  }
  double p = std::floor(100 - memory_.CurrentKB / memory_.OnePercentKB);
  p = std::max(p, -1e15);  // a folder that grew enormously still reads as a number
  Label15.setText(core::decimal(static_cast<int64_t>(p)) + u" %");
}

// Label15 changed: keep the percentage within 0..100 and size the bar fill.
void Form1::barRule() {
  double v = core::leadingNumber(Label15.text());
  if (v < 0) {
    Label15.setText(u"0 %");
    return;
  }
  if (v > 100) {
    Label15.setText(u"100 %");
    return;
  }
  Image6.setWidth(kBarPerPercent * v + 15);
}

// ---- Cleaner -----------------------------------------------------------

Cleaner::Cleaner(shell::FrmMain& frm) : frm_(frm) {
  frm.Command8.click += [this] { open(); };
}

bool Cleaner::toolsPresent() const {
  platform::Platform& p = frm_.app().platform();
  auto present = [&](const Text& tool) {
    bool found = false;
    attempt([&] { found = p.files.stat(p.system.appFolder() + tool).has_value(); });
    return found;
  };
  return present(kTempTool) && present(kPrefetchTool);
}

void Cleaner::open() {
  if (!toolsPresent()) return;
  frm_.app().form<Form1>(memory_).showModal();
}

}  // namespace cleaner
