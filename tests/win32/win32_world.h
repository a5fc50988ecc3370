// The real Win32 machine, loop and backend under one application, for the
// tests of the Windows layers (run under Wine or Windows).
#pragma once

#include "platform/win32/machine.h"
#include "ui/application.h"
#include "ui/win32/backend.h"
#include "ui/win32/loop.h"

namespace test {

struct Win32World {
  platform::win32::Machine machine;
  platform::Platform platform{machine.platform()};
  ui::win32::Loop loop{machine.clock()};
  ui::win32::Backend backend{loop};
  ui::Application app{backend, loop, platform};
  const ui::win32::Metrics& m = backend.metrics();
};

}  // namespace test
