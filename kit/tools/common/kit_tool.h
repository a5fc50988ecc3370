// What the two Kit tools share: they wire the real machine to the folder
// emptying logic (cleaner/emptying.h) for one folder each, show nothing, and
// answer the emptying's exit code.
#pragma once

#include <string>

namespace kit {

// Empties `folder` when that is allowed; answers the process exit code
// (0 when emptied, nonzero when refused).
int emptyFolderTool(const std::wstring& folder);

// The value of an environment variable, empty when unset.
std::wstring environment(const wchar_t* name);
// The Windows folder ("C:\WINDOWS").
std::wstring windowsFolder();

}  // namespace kit
