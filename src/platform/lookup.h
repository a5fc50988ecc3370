// The visible-file lookup: the name of a plain file, as the disk stores it.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace platform {

// For a path naming a file: its name when it is a plain file (read-only and
// archive files qualify; hidden files, system files, folders and missing
// items do not). For a folder path ending in a backslash (a drive root such
// as G:\): the name of the folder's first plain file. Names are matched
// exactly, whatever their script: no character acts as a wildcard.
std::optional<Text> visibleFile(FileSystem& files, const Text& path);

// True when the item is a folder link (junction or symbolic link).
bool isFolderLink(FileSystem& files, const Text& path);

}  // namespace platform
