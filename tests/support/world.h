// A whole simulated world for a test: virtual clock, headless loop and
// backend, simulated machine and an application over them.
#pragma once

#include "platform/sim/machine.h"
#include "ui/application.h"
#include "ui/headless/headless.h"

namespace test {

struct World {
  explicit World(double startOfDay = 10 * 3600.0)
      : clock(startOfDay),
        loop(clock),
        machine(clock),
        platform(machine.platform()),
        app(backend, loop, platform) {}
  ui::headless::Clock clock;
  ui::headless::Loop loop;
  ui::headless::Backend backend;
  platform::sim::Machine machine;
  platform::Platform platform;
  ui::Application app;
};

}  // namespace test
