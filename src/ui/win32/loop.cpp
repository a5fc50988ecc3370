#include "ui/win32/loop.h"

#include <mmsystem.h>

#include <algorithm>
#include <cmath>

namespace ui::win32 {

namespace {
constexpr UINT kRunPosted = WM_APP + 1;
constexpr UINT_PTR kSystemTimer = 1;
// How long one round of dispatching may take before due timers get their turn.
constexpr DWORD kDispatchBudgetMs = 50;
// A system loop with no model timer due still looks in this often: an
// action may have started one.
constexpr double kIdleRecheckMs = 100;
// The shortest time between two rounds of painting, in seconds. A clean run
// changes its path field, counters and bar with every item, every 10 ms or
// so, and under Wine a round of painting costs a few milliseconds of server
// traffic: what code changes shows ten times a second, as progress does
// elsewhere. What the user does (a hover, a press, a drag, typing) gets its
// answer on screen sooner, 25 rounds a second, as smooth as the eye can tell.
constexpr double kPaintGap = 0.1;
constexpr double kInputPaintGap = 0.04;

bool isUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_MOUSELEAVE;
}

ATOM registerClass() {
  static ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kAppWindowClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}
}  // namespace

Loop::Loop(platform::Clock& clock) : EventLoop(clock) {
  // A 10 ms pause must last about 10 ms, not a tick of the default 15.6 ms
  // timer resolution.
  timeBeginPeriod(1);
  registerClass();
  window_ = CreateWindowExW(0, kAppWindowClass, L"Norvane", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Loop::windowProc));
}

Loop::~Loop() {
  if (window_) DestroyWindow(window_);
  timeEndPeriod(1);
}

void Loop::post(std::function<void()> action) {
  posted_.push_back(std::move(action));
  PostMessageW(window_, kRunPosted, 0, 0);
}

bool Loop::paintDue() const { return clock().monotonic() >= nextPaint_; }

void Loop::atNextPaint(const void* key, std::function<void()> action) {
  dropAtNextPaint(key);
  atPaint_.emplace_back(key, std::move(action));
}

void Loop::dropAtNextPaint(const void* key) {
  std::erase_if(atPaint_, [key](const auto& entry) { return entry.first == key; });
}

void Loop::showSoon(bool& pending, std::function<void()> show) {
  if (paintDue()) return show();
  if (pending) return;
  pending = true;
  atNextPaint(&pending, [&pending, show = std::move(show)] {
    pending = false;
    show();
  });
}

void Loop::waitForEvents(double deadline, void* handle) {
  if (beforeWait) guard(beforeWait);
  DWORD wake = QS_ALLINPUT;
  if (!paintDue()) {
    // A window that waits for painting wakes the loop when its turn comes.
    wake &= ~QS_PAINT;
    deadline = std::min(deadline, nextPaint_);
  }
  DWORD timeout = INFINITE;
  if (std::isfinite(deadline)) {
    double ms = (deadline - clock().monotonic()) * 1000.0;
    timeout = ms <= 0 ? 0 : static_cast<DWORD>(std::min(std::ceil(ms), 86'400'000.0));
  }
  HANDLE h = static_cast<HANDLE>(handle);
  MsgWaitForMultipleObjectsEx(h ? 1 : 0, h ? &h : nullptr, timeout, wake, MWMO_INPUTAVAILABLE);
}

bool Loop::dispatchInput() {
  if (skipDispatch_) {
    skipDispatch_ = false;
    return false;
  }
  bool any = false;
  DWORD start = GetTickCount();
  // Between two rounds of painting, everything but the painting.
  const bool paint = paintDue();
  if (paint && !atPaint_.empty()) {
    auto actions = std::move(atPaint_);
    atPaint_.clear();
    for (auto& [key, action] : actions) guard(action);
  }
  const UINT which =
      paint ? PM_REMOVE : PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
  bool painted = false;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, which)) {
    any = true;
    if (msg.message == WM_PAINT) painted = true;
    if (isUserInput(msg.message)) nextPaint_ = std::min(nextPaint_, lastPaint_ + kInputPaintGap);
    if (msg.message == WM_QUIT) ExitProcess(static_cast<UINT>(msg.wParam));
    if (!(preTranslate && preTranslate(msg))) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (GetTickCount() - start > kDispatchBudgetMs) break;
  }
  if (painted) {
    lastPaint_ = clock().monotonic();
    nextPaint_ = lastPaint_ + kPaintGap;
  }
  return any;
}

LRESULT CALLBACK Loop::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Loop*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Loop::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kRunPosted:
      runPosted();
      return 0;
    case WM_TIMER:
      if (wp != kSystemTimer) break;
      tickFromSystemLoop();
      return 0;
    case WM_COPYDATA: {
      LRESULT result = FALSE;
      if (onCopyData)
        guard([&] {
          result = onCopyData(reinterpret_cast<HWND>(wp), *reinterpret_cast<COPYDATASTRUCT*>(lp));
        });
      return result;
    }
  }
  return DefWindowProcW(window_, msg, wp, lp);
}

void Loop::runPosted() {
  if (posted_.empty()) return;
  auto action = std::move(posted_.front());
  posted_.pop_front();
  guard(action);
}

void Loop::enterSystemModal() {
  if (systemModal_++ == 0) armSystemTimer();
}

void Loop::leaveSystemModal() {
  if (--systemModal_ == 0) KillTimer(window_, kSystemTimer);
}

// Runs inside the system's modal loop: that loop dispatches the messages, so
// only the model's due timers run here, not another round of dispatching.
void Loop::tickFromSystemLoop() {
  if (systemModal_ == 0) {
    KillTimer(window_, kSystemTimer);
    return;
  }
  skipDispatch_ = true;
  guard([&] { yield(); });
  skipDispatch_ = false;
  if (systemModal_ > 0) armSystemTimer();
}

void Loop::armSystemTimer() {
  double ms = kIdleRecheckMs;
  double next = nextTimerDeadline();
  if (std::isfinite(next)) ms = std::clamp((next - clock().monotonic()) * 1000.0, 0.0, ms);
  UINT delay = std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(std::ceil(ms)));
  SetTimer(window_, kSystemTimer, delay, nullptr);
}

}  // namespace ui::win32
