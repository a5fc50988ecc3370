// Languages and settings: the language files and their reader, discovery of
// the installed languages, applying a language to the windows, the stored
// choices and the close action.
#pragma once

#include <vector>

#include "core/text.h"
#include "platform/platform.h"
#include "shell/frm_main.h"

namespace lang {

// Reads a whole UTF-16LE file into text. Every two bytes form one code unit,
// low byte first; a trailing odd byte is a last unit with a zero high byte.
// Only units 0x0001 to 0x7FFF are kept (this drops a byte-order mark). With
// `stripMarker`, a text that begins with the lead marker U+06D2 U+200F loses
// that pair wherever it occurs. A file that cannot be read gives empty text.
core::Text ReadUnicodeText(platform::Platform& platform, const core::Text& path, bool stripMarker);

// The text cut at every CR LF; a lone CR or LF stays inside its line. Empty
// text is one empty line.
std::vector<core::Text> splitLines(core::TextView text);

// Reading order of a language from its heading (line 0: 9 characters of our
// own, then the display name). The 9 characters "[dir=rtl]" or "[dir=ltr]"
// decide; any other heading is right to left when the first letter of the
// display name belongs to a right-to-left script (Hebrew, Arabic, Syriac,
// Thaana, N'Ko and their neighbours).
bool headingIsRightToLeft(core::TextView heading);

// Where the two stored numbers live.
namespace store {
inline constexpr char16_t kApp[] = u"Mirelle";
inline constexpr char16_t kSection[] = u"Settings";
inline constexpr char16_t kLanguage[] = u"Show-01";  // index in the sorted language list
inline constexpr char16_t kSelector[] = u"Show-00";  // position of UniCombo1
}  // namespace store

class Languages {
 public:
  // Binds Combo1, List6, UniLabel1, Label18 and Command9 and fills the
  // main window's close action.
  explicit Languages(shell::FrmMain& frm);
  // Load step: the language files into Combo1 (display names) and List6
  // (paths), paired and sorted by name.
  void discover();
  // Load step: the stored language (applied through Combo1) and the stored
  // selector position.
  void applyStoredChoices();

 private:
  void choose();        // Combo1 click
  void apply();         // List6 click
  void close();         // Label18 and Command9 click
  void stepSelector();  // UniLabel1 click
  platform::Platform& platform() const;

  shell::FrmMain& frm_;
};

}  // namespace lang
