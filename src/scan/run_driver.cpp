#include "scan/run_driver.h"

#include "core/error.h"
#include "editor/form3.h"
#include "platform/lookup.h"
#include "scan/form4.h"
#include "ui/event_loop.h"

namespace scan {

using core::attempt;
namespace attr = platform::attr;

namespace {
constexpr int kIdle = 0, kArmed = 1000, kRunning = 10, kStopRequested = 2;
}

int DelTree(platform::FileSystem& files, const Text& path) {
  Text p = core::trimBlanks(path);
  if (p.empty()) return -1;
  if (p.back() == u'\\') p.pop_back();
  if (p.find(u'\\') == Text::npos) return -1;
  uint32_t a = 0;
  if (!attempt([&] { a = files.attributes(p); }) || !(a & attr::Directory)) return -1;
  try {
    if (a & attr::ReparsePoint) {
      files.removeFolder(p);  // the link itself, never its target
      return 0;
    }
    std::vector<Text> folders;
    for (auto& e : files.list(p, u"*.*")) {
      Text item = p + u"\\" + e.name;
      if (e.isFolder()) {
        folders.push_back(item);
        continue;
      }
      if (e.attributes != 0) files.setAttributes(item, 0);
      files.deleteFile(item);
    }
    for (auto& folder : folders)
      if (int r = DelTree(files, folder); r != 0) return r;
    files.removeFolder(p);
    return 0;
  } catch (const core::Error& e) {
    return e.code() ? static_cast<int>(e.code()) : -1;
  }
}

RunDriver::RunDriver(shell::FrmMain& frm, CleanCommand& command)
    : frm_(frm), command_(command), platform_(frm.app().platform()) {
  frm.Timer10.tick += [this] { tick(); };
  frm.DelTree = [this](const Text& path) { return DelTree(platform_.files, path); };
}

void RunDriver::tick() {
  auto& timer = frm_.Timer10;
  if (timer.interval() == kStopRequested) timer.setInterval(kIdle);
  if (timer.interval() == kArmed) timer.setInterval(kRunning);
  if (timer.interval() != kIdle) examineFolder();
  if (timer.interval() == kIdle) {
    command_.reselectDrive();
    frm_.FolderIndex = frm_.List1.listCount();
  }
  ++frm_.FolderIndex;
  if (frm_.FolderIndex < frm_.List1.listCount()) return;
  closingStage();
}

// One folder per tick: the folder itself, then each of its files, each
// selection passing its path through the examination.
void RunDriver::examineFolder() {
  attempt([&] { frm_.List1.setListIndex(frm_.FolderIndex); });
  Text folder;
  attempt([&] { folder = frm_.List1.list(frm_.FolderIndex); });
  // A folder link is one item of the drive; what lies behind it is not walked.
  if (folder.empty() || platform::isFolderLink(platform_.files, folder)) return;
  attempt([&] { frm_.filList.setPath(folder); });
  int count = frm_.filList.listCount();
  for (int i = 0; i < count; ++i) attempt([&] { frm_.filList.setListIndex(i); });
}

void RunDriver::closingStage() {
  command_.reselectDrive();
  Text root;
  attempt([&] { root = frm_.List1.list(0); });
  for (int i = 0; i < frm_.List5.listCount(); ++i) {
    frm_.app().loop().pause(0.05);
    attempt([&] {
      Text entry = frm_.List5.list(i);
      frm_.DelTree(root + core::left(entry, entry.empty() ? 0 : entry.size() - 1));
    });
  }
  attempt([&] { frm_.Picture5.setVisible(false); });
  auto& form4 = frm_.app().form<Form4>();
  attempt([&] { form4.Label3.setText(frm_.Label2.text()); });
  attempt([&] { form4.Label100.setText(frm_.Label11.text()); });
  attempt([&] { form4.Label4.setText(core::decimal(frm_.TempDbCount)); });
  frm_.TempDbCount = 0;
  attempt([&] { form4.showModal(); });
  if (!root.empty()) vaccinate(root);
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &frm_.Timer2, &frm_.Command2, &frm_.Picture2, &frm_.Check1, &frm_.Check2, &frm_.Check3,
           &frm_.Check4, &frm_.Check5, &frm_.Check6})
    attempt([&] { c->setEnabled(true); });
  attempt([&] { frm_.Command1.setText(frm_.TxtCommand1); });
  attempt([&] { frm_.Timer10.setInterval(kIdle); });
  attempt([&] { frm_.Picture5.setVisible(false); });
  frm_.FolderIndex = 0;
  attempt([&] { frm_.Label2.setText(u"0"); });
  attempt([&] { frm_.Label11.setText(u"0"); });
  attempt([&] { frm_.List1.setListIndex(0); });
  command_.reselectDrive();
  // The drive's root, not its whole entry: "g: [STICK]" is no path.
  if (frm_.Check6.value() == 1)
    attempt([&] {
      platform_.processes.start(u"Explorer.exe " + core::left(frm_.Drive1.drive(), 2) + u"\\",
                                platform::show::Normal);
    });
  if (core::leadingNumber(frm_.Label14.text()) != 0)
    attempt([&] { frm_.app().form<editor::Form3>().showModal(); });
}

// A protected AutoRun.Inf folder in the drive root keeps a worm from writing
// an autorun file there.
void RunDriver::vaccinate(const Text& root) {
  auto& files = platform_.files;
  const Text folder = core::left(root, 2) + u"\\AutoRun.Inf";
  const Text ini = folder + u"\\Desktop.ini";
  attempt([&] { files.createFolder(folder); });
  attempt([&] {
    files.writeFile(ini,
                    platform_.system.toAnsi(u"[.ShellClassInfo]\r\n"
                                            u"CLSID={2559a1f2-21d7-11d4-bdaf-00c04f60b9f0}\r\n"),
                    false);
  });
  attempt([&] { files.setAttributes(ini, attr::ReadOnly | attr::Hidden | attr::System); });
  attempt([&] { files.setAttributes(folder, attr::ReadOnly | attr::Hidden | attr::System); });
}

}  // namespace scan
