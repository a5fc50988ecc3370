// The window of a form: a top-level window whose client area is the form's
// surface, with the peers of its controls inside.
#pragma once

#include <memory>
#include <unordered_set>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/win32/paint.h"
#include "ui/win32/surface.h"

namespace ui::win32 {

class Backend;

class FormWindow : public FormPeer {
 public:
  FormWindow(Form& form, Backend& backend);
  ~FormWindow() override;

  void changed(Prop prop) override;
  void controlAdded(Control& control) override;

  Form& form() const { return form_; }
  Backend& backend() const { return backend_; }
  HWND hwnd() const { return hwnd_; }
  // The window a control's window goes into, and the surface that draws a
  // windowless control: its container's, or the form's own.
  HWND parentFor(const Control& c);
  Surface& surfaceFor(const Control* container);
  // Puts the child windows in the order of the controls: later ones on top.
  void restack();
  // An image list changed: the lists and trees that show it rebuild theirs.
  void imagesChanged(const Control& imageList);
  PaintContext paintContext();
  int nextId() { return nextId_++; }
  // Keyboard focus: the window of the model's active control gets it while
  // this window is active; a control the user focuses becomes the active one.
  void syncFocus();
  void focused(Control& c);
  // The tooltip of a control's window; empty text removes it.
  void setTip(HWND tool, const Text& text);
  // Shows the tooltip a mouse message over a control's window.
  void relayToTip(HWND tool, UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  void attach(Control& c);
  DWORD style() const;
  DWORD exStyle() const;
  void applyGeometry();
  void applyVisible();
  void applyState();
  void applyBorder();
  void windowMoved();
  void sized(WPARAM kind);
  HWND ownerForModal() const;
  HWND focusTarget() const;

  Form& form_;
  Backend& backend_;
  HWND hwnd_ = nullptr;
  Surface surface_;
  bool syncing_ = false;      // the window is being changed to match the model
  Control* focus_ = nullptr;  // the control whose window has the focus
  HWND tips_ = nullptr;
  std::unordered_set<HWND> tipped_;  // the windows with a tool in tips_
  int nextId_ = 100;
};

}  // namespace ui::win32
