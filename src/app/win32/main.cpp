// Norvane.exe: the real machine, the Win32 backend and loop, the automation
// interface, and the program itself.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <objbase.h>

#include "app/norvane.h"
#include "automation/win32/server.h"
#include "platform/win32/machine.h"
#include "ui/win32/backend.h"
#include "ui/win32/loop.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The shell's calls (opening folders and files) expect COM on this thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  platform::win32::Machine machine;
  platform::Platform platform = machine.platform();
  ui::win32::Loop loop(machine.clock());
  ui::win32::Backend backend(loop);
  ui::Application application(backend, loop, platform);
  automation::win32::Server automation(application, loop, backend);
  app::Norvane norvane(application);

  ui::win32::guard([&] { norvane.start(); });
  // The program ends through its close action (ExitProcess). A failed step
  // that reached the loop itself (a timer's tick) is skipped like any other.
  for (;;) ui::win32::guard([&] { loop.run(); });
}
