// A window of the form model and the controls it owns.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/types.h"

namespace ui {

class Application;
class Control;

enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual void changed(Prop prop) = 0;
  // A control was added after the window was created.
  virtual void controlAdded(Control& control) = 0;
};

class Form {
 public:
  Form(Application& app, std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Application& app() const { return app_; }
  const std::string& name() const { return name_; }

  // Adds a control; the form owns it. Controls are drawn in the order added,
  // later ones on top.
  template <class C, class... Args>
  C& add(Args&&... args) {
    auto owned = std::make_unique<C>(*this, std::forward<Args>(args)...);
    C& ref = *owned;
    adopt(std::move(owned));
    return ref;
  }
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  // By name, with index for control arrays; null when there is none.
  Control* find(std::string_view name, int index = -1) const;

  const Text& caption() const { return caption_; }
  void setCaption(const Text& caption);

  // Outer place and size in twips. For a borderless window the size is the
  // client size; for a bordered one the backend adds its frame around it.
  double left() const { return left_; }
  double top() const { return top_; }
  double width() const { return width_; }
  double height() const { return height_; }
  void move(double left, double top, double width, double height);
  void setLeft(double v) { move(v, top_, width_, height_); }
  void setTop(double v) { move(left_, v, width_, height_); }
  void setWidth(double v) { move(left_, top_, v, height_); }
  void setHeight(double v) { move(left_, top_, width_, v); }
  // Places the window centred over another one, keeping its size.
  void centreOver(const Form& other) {
    move(other.left() + (other.width() - width_) / 2, other.top() + (other.height() - height_) / 2,
         width_, height_);
  }

  int borderStyle() const { return border_; }  // 0 none, 1 fixed single, 3 fixed dialog
  void setBorderStyle(int b);
  Colour backColour() const { return back_; }
  void setBackColour(Colour c);

  WindowState state() const { return state_; }
  // Changing the state raises resize.
  void setState(WindowState s);

  bool visible() const { return visible_; }
  bool loaded() const { return loaded_; }
  // Unloaded for good; a closed form never comes back.
  bool closed() const { return closed_; }
  bool modal() const { return modal_; }
  // Shows the window without waiting.
  void show();
  // Shows the window and waits, running the event loop, until it is hidden
  // or unloaded. Other windows take no input meanwhile.
  void showModal();
  void hide();
  // Closes the window for good: it is hidden at once, its unload event runs,
  // and the object itself goes once none of its handlers is running any more.
  void unload();

  Control* activeControl() const { return active_; }
  void setActiveControl(Control* c);

  Event<> load;
  Event<> resize;
  Event<> unloading;
  Event<int&> keyPress;
  // A key going down anywhere in the window, before the control with the
  // focus sees it (a key preview): the key as the platform numbers keys
  // ('A' to 'Z', '0' to '9', 13 Enter, 27 Esc, ...) and the shift state
  // (1 Shift, 2 Ctrl, 4 Alt). A handler sets the key to 0 to keep it, and the
  // character it would type, from the control.
  Event<int&, int> keyDown;

  // A key going down, as the backend reports it; answers the key after the
  // handlers (0: swallowed).
  int performKeyDown(int key, int shift);

  // The user closing the window with the system close command.
  virtual void performClose() { unload(); }

  // Keeps the form alive while one of its handlers runs.
  class Busy {
   public:
    explicit Busy(Form& f) : form_(f) { ++form_.busy_; }
    ~Busy() { --form_.busy_; }

   private:
    Form& form_;
  };
  bool busy() const { return busy_ > 0; }
  template <class... A, class... P>
  void raise(const Event<A...>& event, P&&... args) {
    Busy b(*this);
    event.run(std::forward<P>(args)...);
  }

  FormPeer* peer() const { return peer_.get(); }
  void attachPeer(std::unique_ptr<FormPeer> peer);

  // Automation: the form's own properties.
  std::optional<Text> property(std::string_view name) const;
  bool setProperty(std::string_view name, const Text& value);

 protected:
  // Runs once when the application loads the form, before its load event.
  virtual void onLoad() {}

 private:
  friend class Application;
  void adopt(std::unique_ptr<Control> c);
  void notify(Prop p);

  Application& app_;
  std::string name_;
  std::vector<std::unique_ptr<Control>> controls_;
  Text caption_;
  double left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  int border_ = 0;
  Colour back_ = colour::ButtonFace;
  WindowState state_ = WindowState::Normal;
  bool visible_ = false;
  bool loaded_ = false;
  bool closed_ = false;
  bool modal_ = false;
  int busy_ = 0;
  Control* active_ = nullptr;
  std::unique_ptr<FormPeer> peer_;
};

}  // namespace ui
