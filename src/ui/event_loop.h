// The one user-interface thread's loop: input, timers and the waits that
// yield to them.
//
// Everything in Norvane runs on this loop. Long work yields through pause(),
// modal windows run a nested loop, and timers tick in between. The loop
// itself is shared; a backend supplies only how to block until something
// happens and how to dispatch pending input (Win32 messages, or the scripted
// input of the headless backend).
#pragma once

#include <functional>
#include <vector>

#include "platform/platform.h"

namespace ui {

class Application;
class Form;
class Timer;

class EventLoop {
 public:
  explicit EventLoop(platform::Clock& clock);
  virtual ~EventLoop();

  platform::Clock& clock() const { return clock_; }
  void setApplication(Application* app) { app_ = app; }

  // Waits by yielding until `seconds` have passed on the seconds-since-
  // midnight clock: the target is the clock at entry plus the seconds; the
  // wait also ends when the target lies more than 10 seconds ahead of the
  // clock (the clock passed midnight).
  void pause(double seconds);
  // Runs pending input and due timers once, without waiting.
  void yield();
  // Yields until `done` answers true. `handle` (may be null) is a system
  // object whose signal should wake the wait, such as a process handle.
  void waitUntil(const std::function<bool()>& done, void* handle = nullptr);
  // Runs a nested loop while `form` is shown modally.
  void runModal(Form& form);
  // The main loop: runs until the application ends the process.
  void run();

  // Timers tell the loop when their interval or enabled state changes.
  void timerChanged(Timer& timer);
  void timerGone(Timer& timer);
  // The earliest deadline of a running timer, on the monotonic clock.
  double nextTimerDeadline() const;

 protected:
  // Blocks until input arrives, `handle` is signalled, or the monotonic
  // clock reaches `deadline` (which may be in the past: then returns at once).
  virtual void waitForEvents(double deadline, void* handle) = 0;
  // Dispatches every input event that is pending; true if there was any.
  virtual bool dispatchInput() = 0;

  // One round: input, then due timers, then freeing unloaded forms.
  void runOnce();
  Application* app() const { return app_; }

 private:
  void runDueTimers();

  platform::Clock& clock_;
  Application* app_ = nullptr;
  std::vector<Timer*> timers_;  // every timer with a nonzero interval
};

}  // namespace ui
