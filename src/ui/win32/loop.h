// The event loop over the Win32 message queue.
//
// The model's own loop logic (pauses, modal forms, timers) runs unchanged;
// this class only blocks until a message, a handle or the next timer
// deadline, and dispatches the pending messages. It also owns the program's
// hidden application window: posted actions run there as input, and while
// the system runs a modal loop of its own (a message box, a window being
// dragged) a system timer on that window keeps the model's timers ticking.
#pragma once

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "ui/event_loop.h"
#include "ui/win32/win32.h"

namespace ui::win32 {

// The class name of the application window, by which norvane-automate finds
// a running Norvane.
inline constexpr wchar_t kAppWindowClass[] = L"Norvane.Application";

class Loop : public EventLoop {
 public:
  explicit Loop(platform::Clock& clock);
  ~Loop() override;

  HWND appWindow() const { return window_; }
  // Runs `action` later on this thread, as the next piece of input.
  void post(std::function<void()> action);
  // Handler of WM_COPYDATA sent to the application window.
  std::function<LRESULT(HWND sender, const COPYDATASTRUCT&)> onCopyData;
  // Optional pre-dispatch hook: true when the message was handled.
  std::function<bool(MSG&)> preTranslate;
  // Runs each time before the loop blocks.
  std::function<void()> beforeWait;

  // Marks a stretch in which the system's own modal loop dispatches the
  // messages; the model's timers then tick from a system timer.
  class SystemModal {
   public:
    explicit SystemModal(Loop& loop) : loop_(loop) { loop_.enterSystemModal(); }
    ~SystemModal() { loop_.leaveSystemModal(); }
    SystemModal(const SystemModal&) = delete;
    SystemModal& operator=(const SystemModal&) = delete;

   private:
    Loop& loop_;
  };
  void enterSystemModal();
  void leaveSystemModal();

  // Whether windows may be painted now. Painting takes turns: after a round
  // of painting the loop leaves windows that wait for it alone for a short
  // while (see loop.cpp), however often the program changes what they show.
  bool paintDue() const;
  // Runs `action` when the next round of painting begins (once per key:
  // a later request under the same key replaces an earlier one), or drops it.
  void atNextPaint(const void* key, std::function<void()> action);
  void dropAtNextPaint(const void* key);
  // Runs `show` now when painting is due, else once at the next round;
  // `pending` says that it waits and is its key (drop it with that).
  void showSoon(bool& pending, std::function<void()> show);

 protected:
  void waitForEvents(double deadline, void* handle) override;
  bool dispatchInput() override;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  void runPosted();
  void tickFromSystemLoop();
  void armSystemTimer();

  HWND window_ = nullptr;
  std::deque<std::function<void()>> posted_;
  int systemModal_ = 0;
  bool skipDispatch_ = false;
  double nextPaint_ = 0;  // monotonic time of the next round of painting
  double lastPaint_ = 0;  // and of the last one
  std::vector<std::pair<const void*, std::function<void()>>> atPaint_;
};

}  // namespace ui::win32
