#include "ui/control.h"

#include "core/error.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/event_loop.h"

namespace ui {

const char* kindName(Kind kind) {
  switch (kind) {
    case Kind::Label:
      return "label";
    case Kind::UniLabel:
      return "unicode label";
    case Kind::Button:
      return "button";
    case Kind::UniButton:
      return "unicode button";
    case Kind::CheckBox:
      return "check box";
    case Kind::UniCheck:
      return "unicode check box";
    case Kind::OptionButton:
      return "option button";
    case Kind::TextBox:
      return "text box";
    case Kind::UniText:
      return "unicode text field";
    case Kind::ListBox:
      return "list box";
    case Kind::UniList:
      return "unicode list box";
    case Kind::ComboBox:
      return "combo box";
    case Kind::UniCombo:
      return "unicode combo box";
    case Kind::DriveList:
      return "drive list";
    case Kind::FileList:
      return "file list";
    case Kind::ListView:
      return "report list";
    case Kind::ImageList:
      return "image list";
    case Kind::TreeView:
      return "tree";
    case Kind::PictureBox:
      return "picture box";
    case Kind::Image:
      return "image";
    case Kind::Frame:
      return "frame";
    case Kind::Timer:
      return "timer";
    case Kind::Toolbar:
      return "toolbar";
    case Kind::Animation:
      return "animation";
  }
  return "control";
}

Control::Control(Form& form, Kind kind, std::string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {}

Control::~Control() = default;

std::string Control::fullName() const {
  return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

bool Control::unicode() const {
  switch (kind_) {
    case Kind::Label:
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::TextBox:
    case Kind::ListBox:
    case Kind::ComboBox:
    case Kind::Frame:
      return false;
    default:
      return true;
  }
}

// A label without its own window still counts as a Unicode control when it
// was created as one: its kind says so.
Text Control::storable(const Text& text) const {
  return unicode() ? text : form_.app().ansiRoundTrip(text);
}

void Control::setContainer(Control* c) {
  if (c && !c->isContainer()) throw std::logic_error(fullName() + ": container is not a container");
  container_ = c;
  notify(Prop::Container);
}

void Control::move(double l, double t, double w, double h) {
  if (w < 0 || h < 0) throw core::Error(core::fail::InvalidValue, "negative size");
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  bool sized = w != width_ || h != height_;
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  notify(Prop::Geometry);
  if (sized) raise(resize);
}

void Control::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  notify(Prop::Visible);
}

bool Control::showing() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->visible_) return false;
  return form_.visible();
}

void Control::setEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  notify(Prop::Enabled);
  if (kind_ == Kind::Timer) form_.app().loop().timerChanged(static_cast<Timer&>(*this));
}

bool Control::inputEnabled() const {
  for (const Control* c = this; c; c = c->container_)
    if (!c->enabled_) return false;
  return form_.app().acceptsInput(form_);
}

void Control::setBackColour(Colour c) {
  if (c == back_) return;
  back_ = c;
  notify(Prop::Colours);
}

void Control::setForeColour(Colour c) {
  if (c == fore_) return;
  fore_ = c;
  notify(Prop::Colours);
}

void Control::setTransparent(bool t) {
  if (t == transparent_) return;
  transparent_ = t;
  notify(Prop::Colours);
}

void Control::setFont(const Font& f) {
  if (f == font_) return;
  font_ = f;
  notify(Prop::Font);
}

void Control::setBorderStyle(int b) {
  if (b == border_) return;
  border_ = b;
  notify(Prop::Border);
}

void Control::setAlignment(int a) {
  if (a == alignment_) return;
  alignment_ = a;
  notify(Prop::Options);
}

void Control::setText(const Text& text) {
  Text stored = storable(text);
  if (stored == text_) return;
  text_ = std::move(stored);
  notify(Prop::Text);
  raise(change);
}

void Control::setToolTip(const Text& t) {
  toolTip_ = t;
  notify(Prop::Options);
}

void Control::setPicture(const std::string& p) {
  if (p == picture_) return;
  picture_ = p;
  notify(Prop::Picture);
}

void Control::setStretch(bool s) {
  if (s == stretch_) return;
  stretch_ = s;
  notify(Prop::Picture);
}

void Control::refresh() { notify(Prop::Picture, {Change::Update, -1}); }

void Control::setFocus() {
  form_.setActiveControl(this);
  raise(gotFocus);
}

void Control::performClick() { raise(click); }

void Control::performDblClick() { raise(dblClick); }

void Control::performMouse(int which, const MouseEvent& e) {
  if (which == 0)
    raise(mouseDown, e);
  else if (which == 1)
    raise(mouseMove, e);
  else
    raise(mouseUp, e);
}

int Control::performKey(int key) {
  raise(keyPress, key);
  return key;
}

void Control::attachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

void Control::notify(Prop prop, Change change) {
  if (peer_) peer_->changed(prop, change);
}

static Text yesNo(bool b) { return b ? u"true" : u"false"; }

static Text number(double v) { return core::shortestDecimal(v); }

std::optional<Text> Control::property(std::string_view n, std::string_view) const {
  if (n == "caption" || n == "text") return text_;
  if (n == "visible") return yesNo(visible_);
  if (n == "showing") return yesNo(showing());
  if (n == "enabled") return yesNo(enabled_);
  if (n == "left") return number(left_);
  if (n == "top") return number(top_);
  if (n == "width") return number(width_);
  if (n == "height") return number(height_);
  if (n == "backcolor") return core::decimal(back_);
  if (n == "forecolor") return core::decimal(fore_);
  if (n == "borderstyle") return core::decimal(border_);
  if (n == "tooltip") return toolTip_;
  if (n == "picture") return core::fromUtf8(picture_);
  if (n == "kind") return core::fromUtf8(kindName(kind_));
  if (n == "fontname") return font_.face;
  if (n == "fontbold") return yesNo(font_.bold);
  return std::nullopt;
}

bool Control::setProperty(std::string_view n, const Text& v) {
  if (n == "caption" || n == "text") {
    setText(v);
  } else if (n == "visible") {
    setVisible(v == u"true" || v == u"1");
  } else if (n == "enabled") {
    setEnabled(v == u"true" || v == u"1");
  } else if (n == "left") {
    setLeft(core::leadingNumber(v));
  } else if (n == "top") {
    setTop(core::leadingNumber(v));
  } else if (n == "width") {
    setWidth(core::leadingNumber(v));
  } else if (n == "height") {
    setHeight(core::leadingNumber(v));
  } else {
    return false;
  }
  return true;
}

}  // namespace ui
