#include "ui/event_loop.h"

#include <algorithm>
#include <limits>

#include "core/error.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace ui {

namespace {
constexpr double kNever = std::numeric_limits<double>::infinity();
}

EventLoop::EventLoop(platform::Clock& clock) : clock_(clock) {}

EventLoop::~EventLoop() = default;

void EventLoop::pause(double seconds) {
  double target = clock_.secondsSinceMidnight() + seconds;
  for (;;) {
    double now = clock_.secondsSinceMidnight();
    // The second test ends the wait when the clock passed midnight and
    // restarted from 0: the target is then far ahead.
    if (now >= target || target - now > 10) return;
    runOnce();
    now = clock_.secondsSinceMidnight();
    if (now >= target || target - now > 10) return;
    double wake = std::min(nextTimerDeadline(), clock_.monotonic() + (target - now));
    waitForEvents(wake, nullptr);
  }
}

void EventLoop::yield() { runOnce(); }

void EventLoop::waitUntil(const std::function<bool()>& done, void* handle) {
  for (;;) {
    if (done()) return;
    runOnce();
    if (done()) return;
    waitForEvents(nextTimerDeadline(), handle);
  }
}

void EventLoop::runModal(Form& form) {
  for (;;) {
    if (!form.loaded() || !form.visible()) return;
    runOnce();
    if (!form.loaded() || !form.visible()) return;
    waitForEvents(nextTimerDeadline(), nullptr);
  }
}

void EventLoop::run() {
  for (;;) {
    runOnce();
    waitForEvents(nextTimerDeadline(), nullptr);
  }
}

void EventLoop::runOnce() {
  dispatchInput();
  runDueTimers();
  if (app_) app_->collectUnloaded();
}

void EventLoop::timerChanged(Timer& timer) {
  std::erase(timers_, &timer);
  if (!timer.active() || timer.form().closed()) return;
  timer.deadline = clock_.monotonic() + timer.interval() / 1000.0;
  timers_.push_back(&timer);
}

void EventLoop::timerGone(Timer& timer) { std::erase(timers_, &timer); }

double EventLoop::nextTimerDeadline() const {
  double next = kNever;
  for (Timer* t : timers_)
    if (t->running == 0 || t->reentrant()) next = std::min(next, t->deadline);
  return next;
}

void EventLoop::runDueTimers() {
  std::vector<Timer*> due;
  double now = clock_.monotonic();
  for (Timer* t : timers_)
    if (t->deadline <= now && (t->running == 0 || t->reentrant())) due.push_back(t);
  std::sort(due.begin(), due.end(), [](Timer* a, Timer* b) { return a->deadline < b->deadline; });
  for (Timer* t : due) {
    // An earlier tick may have stopped, restarted or destroyed this timer.
    if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
    if (t->deadline > now || (t->running > 0 && !t->reentrant())) continue;
    // A late timer ticks once and then keeps its rhythm: missed ticks are not
    // made up, as the system coalesces them.
    t->deadline = std::max(t->deadline + t->interval() / 1000.0, now);
    ++t->running;
    struct Done {
      Timer* t;
      ~Done() { --t->running; }
    } done{t};
    // A failed step that a tick left unguarded ends that tick only; it must
    // not unwind into whatever handler was yielding when the timer fired.
    core::attempt([&] { t->raise(t->tick); });
  }
}

}  // namespace ui
