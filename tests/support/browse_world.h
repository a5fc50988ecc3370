// A simulated machine with a system drive, and Norvane over it: the main
// window loads (and chooses its first drive) when a test calls start().
#pragma once

#include <vector>

#include "app/norvane.h"
#include "shell/frm_main.h"
#include "support/world.h"

namespace test {

using core::Text;
using platform::DriveType;

struct BrowseWorld : World {
  // C: is a fixed drive named SYSTEM holding the application folder and one
  // file at its root; a test adds the other drives before start().
  BrowseWorld() {
    machine.addDrive(u'C', DriveType::Fixed, u"SYSTEM", 500'107'862'016ULL);
    machine.addFolder(u"C:\\Norvane");
    machine.addFile(u"C:\\boot.ini", "[boot loader]");
  }

  shell::FrmMain& start() {
    frm = &norvane.showMain();
    return *frm;
  }

  // A row of the drive table: icon, name column, size column.
  struct Row {
    int icon;
    Text name;
    Text size;
    bool operator==(const Row&) const = default;
  };
  std::vector<Row> rows() const {
    std::vector<Row> out;
    for (int i = 0; i < frm->ListView1.rowCount(); ++i) {
      auto& r = frm->ListView1.row(i);
      out.push_back({r.icon, r.cells.at(1), r.cells.at(2)});
    }
    return out;
  }

  // Lets the drive poll tick once.
  void tick() { loop.runFor(1.0); }

  app::Norvane norvane{app};
  shell::FrmMain* frm = nullptr;
};

inline std::ostream& operator<<(std::ostream& os, const BrowseWorld::Row& r) {
  return os << "{" << r.icon << ", \"" << core::toUtf8(r.name) << "\", \"" << core::toUtf8(r.size)
            << "\"}";
}

}  // namespace test
