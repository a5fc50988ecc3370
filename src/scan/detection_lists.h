// The two detection lists read from the Kit folder at start-up.
//
// Varko.exe names folders that every clean run deletes from the cleaned
// drive's root; Lunet.exe names files that the examination reports as
// viruses. Both are plain ANSI text whatever their extension, one name per
// line after a fixed column prefix.
#pragma once

#include "platform/platform.h"
#include "ui/controls.h"

namespace scan {

using core::Text;

// Lines as the basic line reader cuts them: at CR LF or a lone CR (a lone LF
// belongs to the line); a terminator at the very end opens no further line.
// An empty file has no lines.
std::vector<std::string> readLines(const std::string& bytes);

// Varko.exe into `folders`: per line the text from column 7 on plus one blank.
// A missing or empty file gives the single entry " ".
void loadFolderNames(platform::Platform& p, const Text& path, ui::ListBox& folders);

// Lunet.exe into `viruses`: per non-empty line (and always for the last one)
// the text from column 12 on. A missing or empty file gives one empty entry.
void loadVirusNames(platform::Platform& p, const Text& path, ui::ListBox& viruses);

// Looks a file name up in the virus list: the whole name, case ignored,
// wherever it stands in the list. The list's selection moves to the entry
// found (or to none), as the editor shows the entry last met.
bool isListedVirus(ui::ListBox& viruses, const Text& upperName);

}  // namespace scan
