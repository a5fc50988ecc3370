// A started Norvane over the simulated machine with the two cleaner tools in
// C:\Norvane\Kit, a temporary folder C:\Temp (named by TEMP) and the prefetch
// folder, for the system cleaner tests.
#pragma once

#include <functional>

#include "app/norvane.h"
#include "cleaner/cleaner.h"
#include "support/world.h"

namespace test {

struct CleanerWorld : World {
  static constexpr char16_t kTemp[] = u"C:\\Temp";
  static constexpr char16_t kOmbra[] = u"C:\\Norvane\\Kit\\Ombra.exe";
  static constexpr char16_t kSedil[] = u"C:\\Norvane\\Kit\\Sedil.exe";

  explicit CleanerWorld(bool withTools = true) {
    machine.addDrive(u'C', platform::DriveType::Fixed, u"SYSTEM", 100'000'000'000ULL);
    machine.addFolder(u"C:\\Norvane\\Kit");
    if (withTools) {
      machine.addFile(kOmbra, "MZ");
      machine.addFile(kSedil, "MZ");
    }
    machine.addFolder(kTemp);
    machine.addFolder(u"C:\\WINDOWS\\Prefetch");
    machine.environmentVariables[u"TEMP"] = kTemp;
    // The end message is answered OK; every box is kept in backend.boxes.
    backend.answer = [](const ui::MessageBoxRequest&) { return 1; };
    frm = &norvane.showMain();
  }

  cleaner::Form1* form1() { return app.loaded<cleaner::Form1>(); }

  // Clicks Command8 and, once Form1 shows, runs `act` on it (the window is
  // modal, so `act` runs inside its loop); closes the window afterwards if
  // `act` left it open. Answers whether the window showed at all.
  bool withCleaner(std::function<void(cleaner::Form1&)> act) {
    bool shown = false;
    loop.post(
        [this, &shown, act] {
          cleaner::Form1* f = form1();
          if (!f || !f->visible()) return;
          shown = true;
          act(*f);
          if (f->loaded() && f->visible()) f->Command2.performClick();
        },
        0.05);
    frm->Command8.performClick();
    loop.runFor(0.1);  // the posted check has run, whether the window showed or not
    return shown;
  }

  // A tool that runs for `seconds` and does `onStart` as it starts.
  void toolRuns(double seconds, std::function<void()> onStart = {}) {
    machine.runTime = [seconds](const core::Text&) { return seconds; };
    machine.onStart = [onStart](const core::Text&) {
      if (onStart) onStart();
    };
  }

  app::Norvane norvane{app};
  shell::FrmMain* frm = nullptr;
};

}  // namespace test
