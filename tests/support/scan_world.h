// A started Norvane over the simulated machine with a removable drive G:,
// for the scan and clean-run tests.
#pragma once

#include <functional>

#include "app/norvane.h"
#include "scan/form4.h"
#include "scan/scan.h"
#include "support/world.h"

namespace test {

struct ScanWorld : World {
  ScanWorld() {
    machine.addDrive(u'C', platform::DriveType::Fixed, u"SYSTEM", 100'000'000'000ULL);
    machine.addFolder(u"C:\\Norvane\\Kit");
    machine.addDrive(u'G', platform::DriveType::Removable, u"STICK");
    backend.answer = [this](const ui::MessageBoxRequest& r) { return answers.empty() ? 7 : pop(); };
  }
  // Starts the program and chooses drive G:.
  shell::FrmMain& start() {
    frm = &norvane.showMain();
    chooseDrive(u'G');
    return *frm;
  }
  void chooseDrive(char16_t letter) {
    for (int i = 0; i < frm->List2.listCount(); ++i)
      if (frm->List2.list(i)[0] == letter) frm->List2.setListIndex(i);
  }
  // Sets the examination going without letting the run driver tick.
  void examineOnly() {
    frm->Timer10.setEnabled(false);
    frm->Timer10.setInterval(10);
  }
  // Examines one item as the run does: the folder list on its folder, then
  // the path written into the path field.
  void examine(const core::Text& path, int folderIndex) {
    frm->Timer10.setInterval(0);
    frm->List1.setListIndex(folderIndex);
    examineOnly();
    frm->Text1.setText(u"");
    frm->Text1.setText(path);
  }
  scan::Form4* form4() { return app.loaded<scan::Form4>(); }
  // Acts on a form as the user would once it is shown (for example a modal
  // window opened inside a tick): polls every 0.1 s of virtual time.
  template <class F>
  void whenShown(std::function<void(F&)> act) {
    loop.post(
        [this, act] {
          F* f = app.loaded<F>();
          if (f && f->visible())
            act(*f);
          else
            whenShown<F>(act);
        },
        0.1);
  }
  // Acts once `ready` holds, checking every 5 ms of virtual time (posted
  // input also runs inside ticks and modal windows).
  void whenTrue(std::function<bool()> ready, std::function<void()> act) {
    loop.post(
        [this, ready, act] {
          if (ready())
            act();
          else
            whenTrue(ready, act);
        },
        0.005);
  }
  // Runs a whole clean run of the chosen drive: clicks the scan button,
  // closes the results window with `close` once it shows, and waits until
  // the run is over.
  void cleanRun(std::function<void(scan::Form4&)> close = [](scan::Form4& f) {
    f.Command1.performClick();
  }) {
    bool shown = false;
    whenShown<scan::Form4>([&shown, close](scan::Form4& f) {
      shown = true;
      close(f);
    });
    frm->Command1.performClick();
    loop.runUntil([&] { return shown && frm->Timer10.interval() == 0; }, 3600);
  }
  int rows() { return form4() ? form4()->ListView1.rowCount() : 0; }
  int pop() {
    int a = answers.front();
    answers.erase(answers.begin());
    return a;
  }

  std::vector<int> answers;  // message box answers, in order; No when none is left
  app::Norvane norvane{app};
  shell::FrmMain* frm = nullptr;
};

}  // namespace test
