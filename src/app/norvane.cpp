#include "app/norvane.h"

#include "about/about.h"
#include "browse/browse.h"
#include "cleaner/cleaner.h"
#include "core/error.h"
#include "editor/editor.h"
#include "lang/languages.h"
#include "scan/scan.h"
#include "shell/chrome.h"
#include "shell/splash.h"
#include "ui/event_loop.h"

namespace app {

using core::attempt;

Norvane::Norvane(ui::Application& app) : app_(app) {}

Norvane::~Norvane() = default;

// The program opens with the splash; its last step shows the main window.
void Norvane::start() {
  app_.form<shell::F1>([this] { showMain(); }).show();
}

shell::FrmMain& Norvane::showMain() {
  auto& frm = app_.form<shell::FrmMain>([this](shell::FrmMain& f) { wire(f); });
  frm.show();
  return frm;
}

shell::FrmMain* Norvane::main() const { return app_.loaded<shell::FrmMain>(); }

void Norvane::wire(shell::FrmMain& frm) {
  chrome_ = std::make_unique<shell::Chrome>(frm);
  browse_ = std::make_unique<browse::Browse>(frm);
  scan_ = std::make_unique<scan::Scan>(frm);
  lang_ = std::make_unique<lang::Languages>(frm);
  editor_ = std::make_unique<editor::Editor>(frm);
  cleaner_ = std::make_unique<cleaner::Cleaner>(frm);
  about_ = std::make_unique<about::About>(frm);
  frm.load += [this, &frm] { loadMain(frm); };
}

// The load sequence of the main window. Every step that fails is skipped and
// the next one runs; the waits yield, so timers may tick in between.
void Norvane::loadMain(shell::FrmMain& frm) {
  // Language discovery begins with the load's 0.01 s settle wait.
  attempt([&] { lang_->discover(); });
  attempt([&] { lang_->applyStoredChoices(); });
  attempt([&] { chrome_->stretchBackground(); });
  attempt([&] { scan_->readDetectionLists(); });
  attempt([&] { browse_->writeSignature(); });
  attempt([&] { frm.Label7.setText(u""); });
  attempt([&] {
    frm.RebuildFolderTree(std::nullopt);
    frm.tvFolders.setLineStyle(1);
  });
  attempt([&] { frm.Drive1.setDrive(u"c:"); });
  attempt([&] { browse_->loadDriveTable(); });
  attempt([&] { frm.ListView1.setHeight(frm.List1.height() + 30); });
}

}  // namespace app
