// The Win32 backend of the form model: real windows for forms, child
// windows of the system's classes for the windowed controls, and what only
// the windowing system can do (message boxes, window drags, alpha).
#pragma once

#include <memory>
#include <vector>

#include "ui/application.h"
#include "ui/win32/loop.h"
#include "ui/win32/paint.h"
#include "ui/win32/pictures.h"

namespace ui::win32 {

class FormWindow;

class Backend : public ui::Backend {
 public:
  explicit Backend(Loop& loop);
  ~Backend() override;

  std::unique_ptr<FormPeer> createPeer(Form& form) override;
  int messageBox(const MessageBoxRequest& request) override;
  double screenWidth() override;
  double screenHeight() override;
  void dragWindow(Form& form) override;
  void setAlpha(Form& form, int alpha) override;
  [[noreturn]] void endProcess(int code) override;

  Loop& loop() const { return loop_; }
  const Metrics& metrics() const { return metrics_; }
  Fonts& fonts() { return fonts_; }
  Pictures& pictures() { return pictures_; }
  // The program's icon (resource NORVANE), or null when it has none.
  HICON icon(bool small) const { return small ? smallIcon_ : bigIcon_; }

  // Enables each form's window exactly when its form takes input: not while
  // another form is modal, not while a message box is open. `leaving` is a
  // modal form about to be hidden: the others are enabled before it goes, so
  // that the system activates one of them rather than another program.
  void syncEnabled(const Form* leaving = nullptr);
  HWND windowOf(const Form& form) const;
  // The form window that holds a window (itself or a child).
  FormWindow* formWindow(HWND hwnd) const;
  void added(FormWindow& window);
  void removed(FormWindow& window);
  // A key going down, before it is dispatched: the form's key preview
  // (Form::keyDown) sees it first and may keep it; then Enter and Esc press
  // the default or cancel button. True when the key was used up.
  bool keyDown(const MSG& msg);
  // Open message boxes of the program (their owners; null for none).
  bool messageBoxOpen() const { return !boxOwners_.empty(); }

 private:
  bool dialogKey(Form& form, HWND focus, bool enter);

  Loop& loop_;
  Metrics metrics_;
  Fonts fonts_;
  Pictures pictures_;
  std::vector<FormWindow*> windows_;
  std::vector<HWND> boxOwners_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
};

}  // namespace ui::win32
