// Sedil.exe: empties the prefetch folder of the Windows folder
// (C:\WINDOWS\Prefetch). Started hidden by the system cleaner window; it
// shows nothing and ends when done. Exit code 0 when the folder was emptied
// (files in use stay), nonzero when the folder was refused or is missing.
#include <windows.h>

#include "kit_tool.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::wstring windows = kit::windowsFolder();
  return kit::emptyFolderTool(windows.empty() ? windows : windows + L"\\Prefetch");
}
