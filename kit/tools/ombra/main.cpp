// Ombra.exe: empties the temporary folder named by TEMP. Started hidden by
// the system cleaner window, which measures the folder while it works; it
// shows nothing and ends when done. Exit code 0 when the folder was emptied
// (files in use stay), nonzero when the folder was refused.
#include <windows.h>

#include "kit_tool.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return kit::emptyFolderTool(kit::environment(L"TEMP"));
}
