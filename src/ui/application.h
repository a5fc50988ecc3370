// The running program as the form model sees it: its loaded forms, the
// backend that draws them, the event loop and the platform.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/form.h"
#include "ui/types.h"

namespace ui {

class Control;
class EventLoop;
class Backend;

struct MessageBoxRequest {
  Form* owner = nullptr;  // null: no owner
  Text text;
  Text title;
  uint32_t style = 0;        // MB_ flags
  std::optional<Text> icon;  // icon resource name of the program, or none
};

// Draws the model and performs what only a windowing system can.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual std::unique_ptr<FormPeer> createPeer(Form& form) = 0;
  // Shows a message box and waits for the answer (1 OK, 6 Yes, 7 No; 0 when
  // it could not be shown).
  virtual int messageBox(const MessageBoxRequest& request) = 0;
  virtual double screenWidth() = 0;  // twips
  virtual double screenHeight() = 0;
  // Lets the system move the window as if its caption were dragged; returns
  // when the user lets go.
  virtual void dragWindow(Form& form) = 0;
  // Layered-window alpha (0..255) of a window.
  virtual void setAlpha(Form& form, int alpha) = 0;
  // Ends the process at once: no further handler runs.
  [[noreturn]] virtual void endProcess(int code) = 0;
};

class Application {
 public:
  Application(Backend& backend, EventLoop& loop, platform::Platform& platform);
  ~Application();

  Backend& backend() const { return backend_; }
  EventLoop& loop() const { return loop_; }
  platform::Platform& platform() const { return platform_; }

  // The loaded instance of a form class, loading it (hidden) on first use.
  // F must have `static constexpr const char* kName` and a constructor
  // taking (Application&, args...).
  template <class F, class... Args>
  F& form(Args&&... args) {
    if (Form* f = find(F::kName)) return static_cast<F&>(*f);
    auto owned = std::make_unique<F>(*this, std::forward<Args>(args)...);
    F& ref = *owned;
    loadForm(std::move(owned));
    return ref;
  }
  template <class F>
  F* loaded() const {
    return static_cast<F*>(find(F::kName));
  }
  Form* find(std::string_view name) const;
  std::vector<Form*> forms() const;  // loaded, in load order

  // The window that has the focus, or the top modal window; null when the
  // program has none active.
  Form* activeForm() const;
  void setActiveForm(Form* f);
  // Modal windows, innermost last.
  const std::vector<Form*>& modalStack() const { return modal_; }
  bool acceptsInput(const Form& f) const;

  // The text as a plain (ANSI) control or file holds it.
  Text ansiRoundTrip(const Text& text) const;

  // Reading order of the applied language. While it is right to left, the
  // backend shows the Unicode controls right to left and MsgBoxW asks for
  // right-to-left message boxes. A change tells every loaded form and control
  // peer (Prop::Options); peers made later read the flag when they are made.
  bool rightToLeft() const { return rightToLeft_; }
  void setRightToLeft(bool rtl);

  // Frees unloaded forms whose handlers have all returned. The event loop
  // calls this between events.
  void collectUnloaded();

 private:
  friend class Form;
  void loadForm(std::unique_ptr<Form> form);
  void formUnloaded(Form& f);
  void pushModal(Form& f);
  void popModal(Form& f);

  Backend& backend_;
  EventLoop& loop_;
  platform::Platform& platform_;
  std::vector<std::unique_ptr<Form>> forms_;
  std::vector<std::unique_ptr<Form>> unloaded_;
  std::vector<Form*> modal_;
  Form* active_ = nullptr;
  bool rightToLeft_ = false;
};

}  // namespace ui
