// The headless backend: the form model without windows, on a virtual clock.
//
// Native tests run whole subsystems here. Time stands still while code runs
// and jumps to the next timer deadline or scripted input when the program
// waits, so a clean run with its pauses takes milliseconds of real time and
// behaves the same on every run.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/event_loop.h"

namespace ui::headless {

class Clock : public platform::Clock {
 public:
  // The virtual day starts at `startOfDay` seconds after midnight.
  explicit Clock(double startOfDay = 10 * 3600.0) : dayStart_(startOfDay) {}
  double secondsSinceMidnight() override;
  double monotonic() override { return now_; }
  void advanceTo(double t);
  void advance(double seconds) { advanceTo(now_ + seconds); }

 private:
  double dayStart_;
  double now_ = 0;
};

// Thrown when the program ends its process.
struct ProcessEnded {
  int code;
};

class Loop : public EventLoop {
 public:
  explicit Loop(Clock& clock);
  Clock& virtualClock() { return clock_; }
  // Scripted user input: runs `input` once the virtual clock has advanced by
  // `delay` seconds and the program waits for events.
  void post(std::function<void()> input, double delay = 0);
  // The main loop for a span of virtual time.
  void runFor(double seconds);
  // The main loop until `done` answers true; fails after `timeout` seconds.
  void runUntil(const std::function<bool()>& done, double timeout = 3600);
  // Virtual time past which a wait fails: a test whose program waits for an
  // event that never comes ends instead of running forever.
  double limit = 24 * 3600.0;

 protected:
  void waitForEvents(double deadline, void* handle) override;
  bool dispatchInput() override;

 private:
  struct Input {
    double at;
    long order;
    std::function<void()> run;
  };
  Clock& clock_;
  std::vector<Input> inputs_;
  long posted_ = 0;
};

class Backend : public ui::Backend {
 public:
  std::unique_ptr<FormPeer> createPeer(Form&) override { return nullptr; }
  // Message boxes are answered by `answer`; without one a box is a test
  // failure. Every box shown is kept in `boxes`.
  int messageBox(const MessageBoxRequest& request) override;
  double screenWidth() override { return screenWidthTwips; }
  double screenHeight() override { return screenHeightTwips; }
  void dragWindow(Form& form) override { drags.push_back(form.name()); }
  void setAlpha(Form& form, int alpha) override { alphas[form.name()].push_back(alpha); }
  [[noreturn]] void endProcess(int code) override { throw ProcessEnded{code}; }

  std::function<int(const MessageBoxRequest&)> answer;
  std::vector<MessageBoxRequest> boxes;
  std::vector<std::string> drags;
  std::map<std::string, std::vector<int>> alphas;
  double screenWidthTwips = 15360;
  double screenHeightTwips = 11520;
};

}  // namespace ui::headless
