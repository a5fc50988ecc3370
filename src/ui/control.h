// The base of every control of the form model.
//
// A control is a plain C++ object that holds its state (place in twips,
// texts, colours, items, selection). Backends draw it and report user input
// back as calls on it; code changes raise the same events that the user's
// actions raise, so a handler never needs to know who caused a change.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/types.h"

namespace ui {

class Form;

enum class Kind {
  Label,
  UniLabel,
  Button,
  UniButton,
  CheckBox,
  UniCheck,
  OptionButton,
  TextBox,
  UniText,
  ListBox,
  UniList,
  ComboBox,
  UniCombo,
  DriveList,
  FileList,
  ListView,
  ImageList,
  TreeView,
  PictureBox,
  Image,
  Frame,
  Timer,
  Toolbar,
  Animation,
};

const char* kindName(Kind kind);

// What a backend keeps per control: told of every change of the model.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void changed(Prop prop, Change change) = 0;
};

class Control {
 public:
  Control(Form& form, Kind kind, std::string name, int index);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }  // -1 unless part of a control array
  std::string fullName() const;         // "Label3", "MSG0(30)"
  Form& form() const { return form_; }

  // Unicode controls show any script; plain controls hold text as the
  // system's ANSI code page can carry it ("?" for what it lacks).
  bool unicode() const;
  bool isContainer() const { return kind_ == Kind::PictureBox || kind_ == Kind::Frame; }
  // Labels and images have no window of their own: their container draws
  // them and routes their mouse input.
  bool windowless() const {
    return kind_ == Kind::Label || kind_ == Kind::UniLabel || kind_ == Kind::Image;
  }

  Control* container() const { return container_; }
  void setContainer(Control* container);

  // Place, in twips relative to the container (or the form's client area).
  double left() const { return left_; }
  double top() const { return top_; }
  double width() const { return width_; }
  double height() const { return height_; }
  void move(double left, double top, double width, double height);
  void setLeft(double v) { move(v, top_, width_, height_); }
  void setTop(double v) { move(left_, v, width_, height_); }
  void setWidth(double v) { move(left_, top_, v, height_); }
  void setHeight(double v) { move(left_, top_, width_, v); }

  bool visible() const { return visible_; }
  void setVisible(bool v);
  // Shown on the screen: visible itself, in visible containers, on a visible form.
  bool showing() const;
  bool enabled() const { return enabled_; }
  void setEnabled(bool v);
  // Accepts user input: enabled itself and in enabled containers.
  bool inputEnabled() const;

  Colour backColour() const { return back_; }
  Colour foreColour() const { return fore_; }
  void setBackColour(Colour c);
  void setForeColour(Colour c);
  bool transparent() const { return transparent_; }
  void setTransparent(bool t);
  const Font& font() const { return font_; }
  void setFont(const Font& f);
  int borderStyle() const { return border_; }  // 0 none, 1 fixed single
  void setBorderStyle(int b);
  int alignment() const { return alignment_; }  // 0 left, 1 right, 2 centre
  void setAlignment(int a);

  // Caption or text, whichever the kind has. Setting a different text raises
  // `change`; setting the same text does nothing.
  const Text& text() const { return text_; }
  virtual void setText(const Text& text);
  const Text& toolTip() const { return toolTip_; }
  void setToolTip(const Text& t);

  // Named picture (an asset id or a file path) for images, picture boxes and
  // the buttons that show one.
  const std::string& picture() const { return picture_; }
  void setPicture(const std::string& picture);
  bool stretch() const { return stretch_; }
  void setStretch(bool s);

  // Asks the backend to repaint now (a picture box's Refresh).
  void refresh();
  void setFocus();

  Event<> click;
  Event<> dblClick;
  Event<> change;
  Event<const MouseEvent&> mouseDown;
  Event<const MouseEvent&> mouseMove;
  Event<const MouseEvent&> mouseUp;
  Event<int&> keyPress;  // the handler may set the key to 0 to swallow it
  Event<> gotFocus;
  Event<> resize;

  // User input, as the backends and the automation interface report it. Each
  // does what the user's action does to the model, then raises the events.
  virtual void performClick();
  void performDblClick();
  void performMouse(int which, const MouseEvent& e);  // 0 down, 1 move, 2 up
  // A typed character; answers the key after the handlers (0: swallowed).
  int performKey(int key);

  // Raises an event of this control; the form stays loaded while it runs.
  template <class... A, class... P>
  void raise(const Event<A...>& event, P&&... args);

  // Automation: a property as text, or nothing when the kind lacks it.
  // `arg` carries an index or cell for list(i), item(r,c).
  virtual std::optional<Text> property(std::string_view name, std::string_view arg) const;
  // Sets a property from text; false when the kind lacks it.
  virtual bool setProperty(std::string_view name, const Text& value);

  ControlPeer* peer() const { return peer_.get(); }
  void attachPeer(std::unique_ptr<ControlPeer> peer);

 protected:
  void notify(Prop prop, Change change = {});
  // The text as this kind of control can hold it.
  Text storable(const Text& text) const;

 private:
  Form& form_;
  Kind kind_;
  std::string name_;
  int index_;
  Control* container_ = nullptr;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  Colour back_ = colour::ButtonFace;
  Colour fore_ = colour::WindowText;
  bool transparent_ = false;
  Font font_;
  int border_ = 0;
  int alignment_ = 0;
  Text text_;
  Text toolTip_;
  std::string picture_;
  bool stretch_ = false;
  std::unique_ptr<ControlPeer> peer_;
};

}  // namespace ui

#include "ui/form.h"

namespace ui {
template <class... A, class... P>
void Control::raise(const Event<A...>& event, P&&... args) {
  Form::Busy busy(form_);
  event.run(std::forward<P>(args)...);
}
}  // namespace ui
