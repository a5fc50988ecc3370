#include "lang/languages.h"

#include <array>
#include <cstdint>
#include <optional>

#include "core/error.h"
#include "ui/event_loop.h"

namespace lang {

using core::attempt;
using core::Text;
using core::TextView;

namespace {

// The lead marker that some editors put at the start of right-to-left files.
constexpr char16_t kMarker[] = {0x06D2, 0x200F, 0};
// Lines 1 and later take effect only with this tag; their value starts after
// the tag and 6 further characters.
constexpr char16_t kTag[] = u"Text__ ";
constexpr size_t kValueStart = 13;
// Line 0: this many characters of our own, then the display name.
constexpr size_t kHeadingMark = 9;
// The first line of the message table; message N is line 28 + N.
constexpr size_t kFirstMessageLine = 28;

// The value of line i, or nothing when the file has no such line, the line
// lacks the tag, or it is too short to hold a value (such a line is broken
// and leaves its target as it was, like an untagged one).
std::optional<Text> valueOf(const std::vector<Text>& lines, size_t i) {
  if (i >= lines.size()) return std::nullopt;
  const Text& line = lines[i];
  if (line.size() < kValueStart || !core::startsWith(line, kTag)) return std::nullopt;
  return line.substr(kValueStart);
}

bool rightToLeftUnit(char16_t c) {
  return (c >= 0x0590 && c <= 0x08FF) || c == 0x200F || (c >= 0xFB1D && c <= 0xFDFF) ||
         (c >= 0xFE70 && c <= 0xFEFE);
}

// A letter of a left-to-right script (digits, blanks, punctuation and the
// general symbol blocks are neutral).
bool leftToRightUnit(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == 0x200E) return true;
  if (c < 0x00C0 || c == 0x00D7 || c == 0x00F7 || rightToLeftUnit(c)) return false;
  return !(c >= 0x2000 && c <= 0x2BFF);
}

}  // namespace

Text ReadUnicodeText(platform::Platform& platform, const Text& path, bool stripMarker) {
  std::string bytes;
  attempt([&] { bytes = platform.files.readAll(path); });
  Text text;
  text.reserve(bytes.size() / 2 + 1);
  for (size_t i = 0; i < bytes.size(); i += 2) {
    uint16_t low = static_cast<uint8_t>(bytes[i]);
    uint16_t high = i + 1 < bytes.size() ? static_cast<uint8_t>(bytes[i + 1]) : 0;
    auto unit = static_cast<char16_t>(low | high << 8);
    // Units that read as positive 16-bit numbers: NUL, the byte-order mark,
    // surrogates and everything from 0x8000 up are dropped.
    if (unit >= 0x0001 && unit <= 0x7FFF) text.push_back(unit);
  }
  if (stripMarker && core::startsWith(text, kMarker)) text = core::replaceAll(text, kMarker, u"");
  return text;
}

std::vector<Text> splitLines(TextView text) {
  std::vector<Text> lines;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(u"\r\n", start);
    if (at == TextView::npos) {
      lines.emplace_back(text.substr(start));
      return lines;
    }
    lines.emplace_back(text.substr(start, at - start));
    start = at + 2;
  }
}

bool headingIsRightToLeft(TextView heading) {
  Text mark = core::left(heading, kHeadingMark);
  if (core::equalsNoCase(mark, u"[dir=rtl]")) return true;
  if (core::equalsNoCase(mark, u"[dir=ltr]")) return false;
  for (char16_t c : heading.substr(std::min(heading.size(), kHeadingMark))) {
    if (rightToLeftUnit(c)) return true;
    if (leftToRightUnit(c)) return false;
  }
  return false;
}

Languages::Languages(shell::FrmMain& frm) : frm_(frm) {
  frm.Combo1.click += [this] { choose(); };
  frm.List6.click += [this] { apply(); };
  frm.UniLabel1.click += [this] { stepSelector(); };
  frm.CloseAction = [this] { close(); };
  frm.Label18.click += [&frm] { frm.CloseAction(); };
  frm.Command9.click += [&frm] { frm.CloseAction(); };
}

platform::Platform& Languages::platform() const { return frm_.app().platform(); }

// Builds the language list once, while the main window loads. A file whose
// heading is shorter than its 9 leading characters (an empty or unreadable
// file included) is not a language file and is left out, so that entry i of
// Combo1 always belongs to entry i of List6.
void Languages::discover() {
  auto& f = frm_;
  // Settle wait: about 10 ms on the time-of-day clock, ending early should
  // the clock pass midnight.
  f.app().loop().pause(0.01);

  // A missing language folder leaves both lists empty; File1 is never left
  // listing some other folder's *.ini files.
  Text folder = platform().system.appFolder() + u"\\Lang";
  if (!attempt([&] { f.File1.setPath(folder); })) return;
  folder = f.File1.path();
  const int count = f.File1.listCount();
  for (int i = 0; i < count; ++i) {
    attempt([&] {
      Text path = folder + u"\\" + f.File1.list(i);
      std::vector<Text> lines = splitLines(ReadUnicodeText(platform(), path, true));
      if (lines[0].size() < kHeadingMark) return;
      f.Combo1.addItem(core::upper(core::from(lines[0], kHeadingMark)));
      f.List6.addItem(path);
    });
  }

  // Both lists sorted together by display name, ordinal: every pair (i, k)
  // with name(i) < name(k) is exchanged in both lists at once.
  for (int i = 0; i < f.Combo1.listCount(); ++i) {
    const int n = f.Combo1.listCount();
    for (int k = 0; k < n; ++k) {
      if (f.Combo1.list(i) < f.Combo1.list(k)) {
        f.Combo1.swapItems(i, k);
        f.List6.swapItems(i, k);
      }
    }
  }
}

// Stored language first (an index that names no entry is refused: nothing is
// selected and nothing applied), then the selector position.
void Languages::applyStoredChoices() {
  auto& settings = platform().settings;
  attempt([&] {
    double index = core::roundHalfEven(
        core::leadingNumber(settings.get(store::kApp, store::kSection, store::kLanguage)));
    if (!(index >= 0 && index < frm_.Combo1.listCount())) return;
    frm_.Combo1.setListIndex(static_cast<int>(index));
  });
  attempt([&] {
    double position = core::roundHalfEven(
        core::leadingNumber(settings.get(store::kApp, store::kSection, store::kSelector)));
    if (!(position >= INT16_MIN && position <= INT16_MAX)) return;
    frm_.UniCombo1.setListIndex(static_cast<int>(position));
  });
}

// The user (or the stored choice) picked a language in Combo1.
void Languages::choose() {
  auto& f = frm_;
  attempt([&] { f.Label15.setText(f.Combo1.selectedText()); });
  attempt([&] { f.List6.setListIndex(f.Combo1.listIndex()); });
  attempt([&] { f.Text1.setFocus(); });
  attempt([&] { f.Picture11.setVisible(true); });
}

// Applies the language file selected in List6. Lines that are missing,
// untagged or too short leave their targets as they are; lines from 59 on
// only reach UniList1.
void Languages::apply() {
  auto& f = frm_;
  const std::vector<Text> lines =
      splitLines(ReadUnicodeText(platform(), f.List6.selectedText(), true));
  // The reading order follows the applied file's heading; a file without one
  // leaves it as it was.
  if (lines[0].size() >= kHeadingMark) f.app().setRightToLeft(headingIsRightToLeft(lines[0]));

  if (lines.size() > 1) {
    attempt([&] {
      f.UniList1.clear();
      for (size_t i = 1; i < lines.size(); ++i) f.UniList1.addItem(lines[i]);
    });
  }

  // Lines 1 to 27: what each sets, with the text put around the value.
  struct Target {
    ui::Control* control;
    const char16_t* before = u"";
    const char16_t* after = u"";
    Text* text = nullptr;
  };
  const std::array<Target, 27> table{{
      {&f.Check1},
      {&f.Check2},
      {&f.Check3},
      {&f.Check4},
      {&f.Check5},
      {&f.Check6},
      {&f.Command1, u"", u"", &f.TxtCommand1},
      {&f.Command2},
      {&f.Command3},
      {&f.Command4},
      {&f.Command5},
      {&f.Command6},
      {&f.Command7},
      {&f.Command8},
      {&f.Label3, u" "},
      {&f.Label4, u" "},
      {&f.Label5, u" "},
      {&f.Label6, u" "},
      {&f.Label9, u" ", u" :"},
      {&f.Label10, u" "},
      {&f.Label12, u" "},
      {nullptr, u"", u"", &f.TxtNoSelection},
      {nullptr, u"", u"", &f.TxtNoSelectionTitle},
      {nullptr, u"", u"", &f.TxtRename},
      {nullptr, u"", u"", &f.TxtRenameTitle},
      {nullptr, u"", u"", &f.TxtRemove},
      {nullptr, u"", u"", &f.TxtRemoveTitle},
  }};
  for (size_t line = 1; line <= table.size(); ++line) {
    std::optional<Text> value = valueOf(lines, line);
    if (!value) continue;
    const Target& t = table[line - 1];
    attempt([&] {
      if (t.control) t.control->setText(t.before + *value + t.after);
      if (t.text) *t.text = *value;
    });
  }

  // Lines 28 to 58: the message table.
  for (size_t n = 0; n < f.MSG0.size(); ++n) {
    if (std::optional<Text> value = valueOf(lines, kFirstMessageLine + n))
      attempt([&] { f.MSG0[n]->setText(*value); });
  }

  // The window title: both title labels, then the task bar's caption.
  attempt([&] { f.Label1.setText(f.message(26)); });
  attempt([&] { f.UniLabel2.setText(f.message(26)); });
  attempt([&] { f.setCaption(f.Label1.text()); });
}

// Stores both numbers and ends the program at once. A store that cannot be
// written is passed over; the program ends all the same.
void Languages::close() {
  auto& f = frm_;
  auto& settings = platform().settings;
  attempt([&] {
    if (f.UniCombo1.listIndex() == -1) f.UniCombo1.setListIndex(0);
  });
  attempt([&] {
    if (f.Combo1.listIndex() == -1) f.Combo1.setListIndex(0);
  });
  attempt([&] {
    settings.set(store::kApp, store::kSection, store::kSelector,
                 core::decimal(static_cast<int16_t>(f.UniCombo1.listIndex())));
  });
  attempt([&] {
    settings.set(store::kApp, store::kSection, store::kLanguage,
                 core::decimal(f.Combo1.listIndex()));
  });
  f.app().backend().endProcess(0);
}

// Steps the hidden selector: 0, 1, ..., count - 1, then 0 again; from none
// to 0. A selector without entries stays at none.
void Languages::stepSelector() {
  auto& selector = frm_.UniCombo1;
  const int count = selector.listCount();
  if (count == 0) return;
  int position = selector.listIndex();
  if (position == count - 1) position = -1;
  attempt([&] { selector.setListIndex(position + 1); });
}

}  // namespace lang
