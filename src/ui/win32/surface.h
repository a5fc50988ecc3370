// The client area of a container window (a form, a picture box or a frame).
//
// It paints what has no window of its own (the container's back colour and
// picture, a frame's group box, and the labels and images placed in it, in
// the order they were added) and routes the mouse to those windowless
// controls by hit-testing, the topmost first. It also passes the
// notifications of its child windows to their peers.
#pragma once

#include <vector>

#include "ui/control.h"
#include "ui/win32/win32.h"

namespace ui::win32 {

class FormWindow;

class Surface {
 public:
  // `owner` is the picture box or frame; null for the form's own client area.
  Surface(FormWindow& form, Control* owner) : form_(form), owner_(owner) {}
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  void attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND hwnd() const { return hwnd_; }
  Control* owner() const { return owner_; }

  // Handles the messages every container window shares; true when handled.
  bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  void invalidate(const RECT& r);
  // A control's place in this surface, in pixels.
  RECT rectOf(const Control& c) const;

 private:
  void paint();
  void draw(HDC dc, const RECT& area);
  Control* hit(POINT p) const;
  void mouse(UINT msg, WPARAM wp, LPARAM lp);
  void pressed(Control* target, int button, WPARAM wp, LPARAM lp, bool twice);
  void released(Control* target, int button, WPARAM wp, LPARAM lp);
  MouseEvent event(const Control& target, int button, WPARAM wp, LPARAM lp) const;
  bool child(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  void invalidatePending();

  FormWindow& form_;
  Control* owner_;
  HWND hwnd_ = nullptr;
  Control* captured_ = nullptr;  // the control that took the button press
  bool twice_ = false;           // the press was the second of a double-click
  std::vector<RECT> pending_;    // to draw again with the next round of painting
};

}  // namespace ui::win32
