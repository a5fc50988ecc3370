// The composition root: builds the main window, wires every subsystem to it
// and runs the main window's load sequence.
//
// Platform-neutral: WinMain runs it over the Win32 backend and the real
// machine; the native tests run it over the headless backend and the
// simulated machine.
#pragma once

#include <memory>

#include "shell/frm_main.h"

namespace browse {
class Browse;
}
namespace scan {
class Scan;
}
namespace lang {
class Languages;
}
namespace editor {
class Editor;
}
namespace cleaner {
class Cleaner;
}
namespace about {
class About;
}
namespace shell {
class Chrome;
}

namespace app {

class Norvane {
 public:
  explicit Norvane(ui::Application& app);
  ~Norvane();

  // Starts the program as the user sees it.
  void start();
  // Loads the main window (running its load sequence) and shows it.
  shell::FrmMain& showMain();
  // The main window once loaded, else null.
  shell::FrmMain* main() const;

  browse::Browse& browse() const { return *browse_; }
  scan::Scan& scan() const { return *scan_; }
  lang::Languages& languages() const { return *lang_; }
  shell::Chrome& chrome() const { return *chrome_; }
  editor::Editor& editor() const { return *editor_; }
  cleaner::Cleaner& cleaner() const { return *cleaner_; }
  about::About& about() const { return *about_; }

 private:
  void wire(shell::FrmMain& frm);
  void loadMain(shell::FrmMain& frm);

  ui::Application& app_;
  std::unique_ptr<shell::Chrome> chrome_;
  std::unique_ptr<browse::Browse> browse_;
  std::unique_ptr<scan::Scan> scan_;
  std::unique_ptr<lang::Languages> lang_;
  std::unique_ptr<editor::Editor> editor_;
  std::unique_ptr<cleaner::Cleaner> cleaner_;
  std::unique_ptr<about::About> about_;
};

}  // namespace app
