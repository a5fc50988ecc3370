#include "ui/headless/headless.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui::headless {

double Clock::secondsSinceMidnight() { return std::fmod(dayStart_ + now_, 86400.0); }

void Clock::advanceTo(double t) {
  if (t > now_) now_ = t;
}

Loop::Loop(Clock& clock) : EventLoop(clock), clock_(clock) {}

void Loop::post(std::function<void()> input, double delay) {
  inputs_.push_back({clock_.monotonic() + delay, posted_++, std::move(input)});
}

void Loop::runFor(double seconds) {
  double end = clock_.monotonic() + seconds;
  while (clock_.monotonic() < end) {
    runOnce();
    waitForEvents(std::min(nextTimerDeadline(), end), nullptr);
  }
  runOnce();
}

void Loop::runUntil(const std::function<bool()>& done, double timeout) {
  double end = clock_.monotonic() + timeout;
  while (!done()) {
    if (clock_.monotonic() >= end) throw std::runtime_error("runUntil: timed out");
    runOnce();
    if (done()) return;
    waitForEvents(std::min(nextTimerDeadline(), end), nullptr);
  }
}

void Loop::waitForEvents(double deadline, void*) {
  double now = clock_.monotonic();
  double next = deadline;
  for (auto& in : inputs_) next = std::min(next, in.at);
  // Nothing scheduled: the program waits on something outside the model (a
  // started process), so time moves on in small steps.
  if (next == std::numeric_limits<double>::infinity()) next = now + 0.01;
  if (next > limit)
    throw std::runtime_error("headless loop: waiting for an event that never comes");
  clock_.advanceTo(next);
}

bool Loop::dispatchInput() {
  bool any = false;
  for (;;) {
    double now = clock_.monotonic();
    auto due = std::min_element(inputs_.begin(), inputs_.end(), [](auto& a, auto& b) {
      return a.at != b.at ? a.at < b.at : a.order < b.order;
    });
    if (due == inputs_.end() || due->at > now) return any;
    auto run = std::move(due->run);
    inputs_.erase(due);
    run();
    any = true;
  }
}

int Backend::messageBox(const MessageBoxRequest& request) {
  boxes.push_back(request);
  if (!answer) throw std::logic_error("unexpected message box: " + core::toUtf8(request.text));
  return answer(request);
}

}  // namespace ui::headless
