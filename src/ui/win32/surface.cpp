#include "ui/win32/surface.h"

#include <windowsx.h>

#include "ui/application.h"
#include "ui/win32/backend.h"
#include "ui/win32/form_window.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {
int shiftState(WPARAM wp) {
  return (wp & MK_SHIFT ? 1 : 0) | (wp & MK_CONTROL ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

int buttonsHeld(WPARAM wp) {
  return (wp & MK_LBUTTON ? mouse::Left : 0) | (wp & MK_RBUTTON ? mouse::Right : 0) |
         (wp & MK_MBUTTON ? mouse::Middle : 0);
}

int buttonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return mouse::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return mouse::Middle;
    default:
      return mouse::Left;
  }
}
}  // namespace

bool Surface::handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
      paint();
      result = 0;
      return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      mouse(msg, wp, lp);
      result = 0;
      return true;
    case WM_CAPTURECHANGED:
      captured_ = nullptr;
      twice_ = false;
      return false;
  }
  return child(msg, wp, lp, result);
}

RECT Surface::rectOf(const Control& c) const {
  return form_.backend().metrics().rect(c.left(), c.top(), c.width(), c.height());
}

Surface::~Surface() {
  if (!pending_.empty()) form_.backend().loop().dropAtNextPaint(this);
}

// While painting waits for its turn, the parts to draw again are gathered
// and handed to the system when the turn comes: labels that change with
// every examined item would otherwise cost a server round trip each time.
void Surface::invalidate(const RECT& r) {
  if (!hwnd_) return;
  Loop& loop = form_.backend().loop();
  if (loop.paintDue()) {
    InvalidateRect(hwnd_, &r, FALSE);
    return;
  }
  for (const RECT& p : pending_)
    if (EqualRect(&p, &r)) return;
  if (pending_.empty()) loop.atNextPaint(this, [this] { invalidatePending(); });
  pending_.push_back(r);
}

void Surface::invalidatePending() {
  if (hwnd_)
    for (const RECT& r : pending_) InvalidateRect(hwnd_, &r, FALSE);
  pending_.clear();
}

// Paints through an off-screen bitmap of the damaged area, so that the
// layers (back colour, picture, labels) never flicker.
void Surface::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT area = ps.rcPaint;
  int w = area.right - area.left, h = area.bottom - area.top;
  if (w > 0 && h > 0) {
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    SetViewportOrgEx(mem, -area.left, -area.top, nullptr);
    draw(mem, area);
    BitBlt(dc, area.left, area.top, w, h, mem, area.left, area.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
  }
  EndPaint(hwnd_, &ps);
}

void Surface::draw(HDC dc, const RECT& area) {
  RECT client;
  GetClientRect(hwnd_, &client);
  PaintContext pc = form_.paintContext();
  fill(dc, area, owner_ ? owner_->backColour() : form_.form().backColour());
  if (owner_ && owner_->kind() == Kind::PictureBox)
    pc.pictures.draw(dc, owner_->picture(), client, false);
  if (owner_ && owner_->kind() == Kind::Frame) drawFrame(dc, *owner_, client, pc);
  for (auto& c : form_.form().controls()) {
    if (!c->windowless() || c->container() != owner_ || !c->visible()) continue;
    RECT r = rectOf(*c), overlap;
    if (!IntersectRect(&overlap, &r, &area)) continue;
    if (c->kind() == Kind::Image)
      drawImage(dc, *c, r, pc);
    else
      drawLabel(dc, *c, r, pc);
  }
}

// The topmost enabled windowless control under the point, else the
// container itself (a form has no mouse events of its own).
Control* Surface::hit(POINT p) const {
  const auto& controls = form_.form().controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    Control& c = **it;
    if (!c.windowless() || c.container() != owner_ || !c.visible() || !c.enabled()) continue;
    RECT r = rectOf(c);
    if (PtInRect(&r, p)) return &c;
  }
  return owner_;
}

MouseEvent Surface::event(const Control& target, int button, WPARAM wp, LPARAM lp) const {
  RECT r = &target == owner_ ? RECT{0, 0, 0, 0} : rectOf(target);
  const Metrics& m = form_.backend().metrics();
  MouseEvent e;
  e.button = button;
  e.shift = shiftState(wp);
  e.x = m.twips(GET_X_LPARAM(lp) - r.left);
  e.y = m.twips(GET_Y_LPARAM(lp) - r.top);
  return e;
}

// A control that takes a press keeps the mouse until every button is up:
// its moves and its release go to it, wherever the pointer is.
void Surface::mouse(UINT msg, WPARAM wp, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  Control* target = captured_ ? captured_ : hit(p);
  switch (msg) {
    case WM_MOUSEMOVE:
      if (target) guard([&] { target->performMouse(1, event(*target, buttonsHeld(wp), wp, lp)); });
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      pressed(target, buttonOf(msg), wp, lp, false);
      return;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      pressed(target, buttonOf(msg), wp, lp, msg == WM_LBUTTONDBLCLK);
      return;
    default:
      released(target, buttonOf(msg), wp, lp);
  }
}

// The second press of a double-click raises the double-click instead of a
// press; its release then raises no click.
void Surface::pressed(Control* target, int button, WPARAM wp, LPARAM lp, bool twice) {
  if (!target) return;
  if (!captured_) {
    captured_ = target;
    SetCapture(hwnd_);
  }
  twice_ = twice;
  if (twice)
    guard([&] { target->performDblClick(); });
  else
    guard([&] { target->performMouse(0, event(*target, button, wp, lp)); });
}

void Surface::released(Control* target, int button, WPARAM wp, LPARAM lp) {
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  RECT r;
  if (target == owner_)
    GetClientRect(hwnd_, &r);
  else if (target)
    r = rectOf(*target);
  bool click = target && captured_ == target && !twice_ && button == mouse::Left && PtInRect(&r, p);
  if (!buttonsHeld(wp)) {
    captured_ = nullptr;
    twice_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
  }
  if (!target) return;
  guard([&] { target->performMouse(2, event(*target, button, wp, lp)); });
  if (click) guard([&] { target->performClick(); });
}

// Notifications of child windows go to their peers.
bool Surface::child(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (WindowPeer* p = WindowPeer::from(reinterpret_cast<HWND>(lp))) {
        p->command(HIWORD(wp), LOWORD(wp));
        result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lp);
      WindowPeer* p = WindowPeer::from(header->hwndFrom);
      return p && p->notify(*header, result);
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (WindowPeer* p = WindowPeer::from(reinterpret_cast<HWND>(lp))) {
        result = reinterpret_cast<LRESULT>(p->colours(reinterpret_cast<HDC>(wp)));
        return result != 0;
      }
      return false;
  }
  return false;
}

}  // namespace ui::win32
