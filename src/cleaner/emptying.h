// Emptying a folder, as the two Kit tools do it: Ombra.exe empties the
// temporary folder and Sedil.exe the prefetch folder. The tools are separate
// programs that only wire the real machine to this logic; the native tests run
// it over the simulated machine.
//
// Safety first: a link (junction or symbolic link) inside the folder is left
// exactly as it is, neither walked nor deleted nor changed, because acting
// through it could reach files outside the folder (and under Wine deleting or
// changing a link acts on its target). The tools refuse folders whose emptying
// would be a disaster: drive roots, the Windows folder, a user profile, and
// anything that holds one of those.
#pragma once

#include <functional>
#include <vector>

#include "platform/platform.h"

namespace cleaner {

using core::Text;

// Why a folder is not emptied. The value is also the tool's exit code.
enum class Refusal {
  None = 0,           // the folder may be emptied
  NotAFullPath = 1,   // empty, relative, or with "." or ".." parts
  Missing = 2,        // no such folder (or a file of that name)
  Link = 3,           // the folder itself is a junction or symbolic link
  DriveRoot = 4,      // "C:\", "\\server\share"
  WindowsFolder = 5,  // the Windows folder, or a folder that holds it
  ProfileFolder = 6,  // a user profile root, or a folder that holds one
};

// Folders that must never be emptied; empty texts are ignored.
struct Protected {
  Text windowsFolder;
  std::vector<Text> profileFolders;
};

// The folder in the canonical form the checks compare: "\\?\" prefix removed,
// forward slashes turned round, no trailing backslash (except after a drive
// letter), repeated backslashes as one. Empty when the text is no full path
// of a drive or a share, or has "." or ".." parts.
Text canonicalFolder(const Text& folder);

Refusal judge(platform::FileSystem& files, const Text& folder, const Protected& keep);

struct EmptyResult {
  int filesRemoved = 0;
  int foldersRemoved = 0;
  int skipped = 0;  // entries left in place: in use, refused, or links
};

// Removes what it can below `folder` (the folder itself stays). Files in use
// and anything else that refuses are skipped; read-only files and folders
// are made writable first (and given their read-only flag back when they
// still cannot go). Links are left in place.
EmptyResult emptyFolder(platform::FileSystem& files, const Text& folder);

// What a tool does: judges the folder and empties it when that is allowed.
// When something stayed, it waits through `beforeRetry` and tries again, up
// to three more times: a folder that another program was listing at that
// moment (the cleaner window measures the folder while the tool works) goes
// on a later pass. `result` gets the last pass's skips. Answers the exit code: 0 when
// emptied, else the refusal's value.
int emptyIfAllowed(platform::FileSystem& files, const Text& folder, const Protected& keep,
                   EmptyResult* result = nullptr, const std::function<void()>& beforeRetry = {});

}  // namespace cleaner
