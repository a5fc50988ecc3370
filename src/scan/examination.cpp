#include "scan/examination.h"

#include "core/error.h"
#include "platform/lookup.h"
#include "scan/detection_lists.h"
#include "scan/form4.h"
#include "shell/counter.h"
#include "ui/event_loop.h"

namespace scan {

using core::attempt;
using core::right;
using core::upper;

namespace {

constexpr char16_t kNoBreakSpace = 0x00A0;
constexpr int kRunning = 10;

bool isProtectedRootName(const Text& T) {
  for (auto name : {u"BOOT.INI", u"NTLDR", u"PAGEFILE.SYS", u"NTDETECT.COM"})
    if (T == name) return true;
  return false;
}

bool containsRun(const Text& U, char16_t c) { return U.find(Text(20, c)) != Text::npos; }

bool oneOf(const Text& E, std::initializer_list<const char16_t*> set) {
  for (auto s : set)
    if (E == s) return true;
  return false;
}

}  // namespace

uint32_t ChosenAttributes(const shell::FrmMain& frm) {
  uint32_t value = 0;
  if (frm.Check1.value() == 1) value += 1;
  if (frm.Check3.value() == 1) value += 2;
  if (frm.Check2.value() == 1) value += 4;
  if (frm.Check4.value() == 1) value += 32;
  return value == 0 ? 32 : value;
}

Examination::Examination(shell::FrmMain& frm, std::function<void(const Text&)> recover)
    : frm_(frm), platform_(frm.app().platform()), recoverHiddenRoot_(std::move(recover)) {
  frm.Text1.change += [this] { examine(); };
  frm.AddFinding = [this](const Text& path) { AddFinding(path); };
  frm.Command2.click += [this] { fixSingleItem(); };
  frm.Timer1.tick += [this] {
    frm_.Image2.setVisible(false);
    frm_.Image1.setVisible(false);
    frm_.Timer1.setInterval(0);
  };
}

void Examination::examine() {
  frm_.Picture11.setVisible(true);
  frm_.Label16.setText(u"");
  const Text P = frm_.Text1.text();
  if (P.empty() || frm_.Timer10.interval() != kRunning) return;
  auto& files = platform_.files;
  try {
    const Text T = upper(core::from(P, 3));
    if (P.size() > 3 && isProtectedRootName(T)) return;
    // Attributes are never changed through a folder link: the link is one
    // item of this drive, its target may lie anywhere.
    if (!platform::isFolderLink(files, P)) files.setAttributes(P, ChosenAttributes(frm_));
    const Text N = platform::visibleFile(files, P).value_or(Text());
    if (T == u"AUTORUN.INF") {
      if (!N.empty()) {
        // A root AUTORUN.INF file gives way to a protected folder of that name.
        files.deleteFile(P);
        ++frm_.FilesExamined;
        Text folder = core::left(P, 2) + u"\\AUTORUN.INF";
        files.createFolder(folder);
        files.setAttributes(folder, platform::attr::System);
        return;
      }
      ++frm_.FilesExamined;
    }
    const Text E = upper(right(N, 3));
    const Text U = upper(N);
    frm_.Text3.setText(U);
    if (P.size() > 3 && P.back() == kNoBreakSpace) return closingSteps(P);
    const Text H = upper(right(core::left(P, 10), 7));
    if (!E.empty()) {
      ++frm_.FilesExamined;
      frm_.Label8.setText(core::decimal(frm_.FilesExamined));
    }
    if (applyRules(P, N, E, U, H)) longRunRule(P, N, E, U);
    frm_.app().loop().pause(0.01);
  } catch (const core::Error&) {
    closingSteps(P);
  }
}

bool Examination::applyRules(const Text& P, const Text& N, const Text& E, const Text& U,
                             const Text& H) {
  const bool atRoot = frm_.List1.listIndex() == 0;
  auto add = [&] { AddFinding(P); };
  if (E == u"LNK" && atRoot) return add(), false;
  if (E == u"TMP") return add(), false;
  if (E == u".DB") return add(), false;
  if (E == u"VBS") add();
  if (E == u"EXE") {
    // A program named like a first-level folder of the drive (Photos.exe).
    Text stem = U.size() >= 4 ? U.substr(0, U.size() - 4) : Text();
    for (int i = 1; i < frm_.List1.listCount(); ++i)
      if (upper(core::from(frm_.List1.list(i), 3)) == stem) add();
  }
  if (!N.empty() && N.back() == u'}') add();
  if (E == u"PIF" && atRoot) return add(), false;
  if (core::endsWith(U, u"INIT")) add();
  if (core::endsWith(U, u"FAT32")) add();
  if (E == u"PIF" && H != u"DESKTOP") add();
  if (isListedVirus(frm_.List4, U) && !N.empty()) {
    add();
    frm_.Label10.setVisible(true);
  }
  return true;
}

// Programs padded with a run of 20 blanks or underscores to hide their
// extension.
void Examination::longRunRule(const Text& P, const Text& N, const Text& E, const Text& U) {
  if (U.size() > 20 && (containsRun(U, u' ') || containsRun(U, u'_')) &&
      oneOf(E, {u"EXE", u"BAT", u"COM", u"DLL", u"TMP", u"SCR"}) && !N.empty())
    AddFinding(P);
}

void Examination::closingSteps(const Text& P) {
  attempt([&] {
    if (P.size() == 4 && P.back() == kNoBreakSpace && !frm_.Timer2.enabled()) recoverHiddenRoot_(P);
  });
  // Items the lookup cannot reach are handed to Label16. Nothing renames
  // them: every name is reached through wide calls, so the second window's
  // rows, which Label14 counts, stay empty and the run never shows it.
  attempt([&] {
    if (!platform::visibleFile(platform_.files, P)) frm_.Label16.setText(P);
  });
}

void Examination::AddFinding(const Text& path) {
  auto& files = platform_.files;
  const Text name = platform::visibleFile(files, path).value_or(Text());
  Text folder = core::left(path, path.size() - name.size());
  // Files inside folders of drive C: are never listed; files in C:\ are.
  if (core::startsWithNoCase(folder, u"C:") && folder.size() > 3) return;
  if (folder.size() > 3) folder.pop_back();
  auto& form4 = frm_.app().form<Form4>();
  int row = form4.ListView1.addRow();
  attempt([&] { form4.ListView1.setCell(row, 1, name); });
  attempt([&] { form4.ListView1.setCell(row, 2, folder); });
  attempt([&] {
    form4.ListView1.setCell(row, 3, core::decimal(files.fileLength(path) / 1024) + u" KB");
  });
  attempt([&] { form4.ListView1.setIcon(row, 4); });
  attempt([&] { shell::raiseCounter(form4.Label7); });
  countFinding(row, name);
  frm_.app().loop().pause(0.05);
}

// Sorts a finding into its kind: the row's icon and the counter it raises.
void Examination::countFinding(int row, const Text& name) {
  enum Counter { None, Shortcut, Temporary, Other };
  struct Kind {
    bool matches;
    int icon;
    Counter counter;
  };
  const Text E = upper(right(name, 3));
  const Text U = upper(name);
  const Kind kinds[] = {
      {E == u"LNK", 1, Shortcut},
      {E == u".DB", 5, Temporary},
      {E == u"TMP", 4, Temporary},
      {E == u"VBS", 4, Other},
      {E == u"TAZ", 7, Other},
      {E == u"PIF", 3, Shortcut},
      {E == u"EXE", 2, Other},
      {!name.empty() && name.back() == u'}', 2, Other},
      {E == u"SCR", 8, Other},
      {E == u"DLL", 5, Other},
      {E == u"CPL", 2, Other},
      {E == u"DOC", 12, Other},
      {core::endsWith(U, u"INIT"), 11, Other},
      {core::endsWith(U, u"FAT32"), 11, Other},
  };
  auto& form4 = frm_.app().form<Form4>();
  for (const Kind& k : kinds) {
    if (!k.matches) continue;
    attempt([&] { form4.ListView1.setIcon(row, k.icon); });
    if (k.counter == Shortcut) attempt([&] { shell::raiseCounter(frm_.Label2); });
    if (k.counter == Temporary) ++frm_.TempDbCount;
    if (k.counter == Other) attempt([&] { shell::raiseCounter(frm_.Label11); });
    return;
  }
}

void Examination::fixSingleItem() {
  const Text P = frm_.Text1.text();
  if (P.size() < 4) return;
  try {
    auto& files = platform_.files;
    if (platform::isFolderLink(files, P))
      throw core::Error(platform::err::AccessDenied, "a link is not changed");
    files.setAttributes(P, ChosenAttributes(frm_));
    if (frm_.Check5.value() == 1) {
      Text E = upper(right(platform::visibleFile(files, P).value_or(Text()), 3));
      if (oneOf(E, {u"LNK", u".DB", u"TMP", u"VBS"})) AddFinding(P);
    }
    frm_.Image1.setVisible(true);
    frm_.Timer1.setInterval(500);
  } catch (const core::Error&) {
    frm_.Timer1.setInterval(500);
    frm_.Image2.setVisible(true);
  }
}

}  // namespace scan
