#include "ui/form.h"

#include "core/error.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/event_loop.h"

namespace ui {

Form::Form(Application& app, std::string name) : app_(app), name_(std::move(name)) {}

Form::~Form() = default;

void Form::adopt(std::unique_ptr<Control> c) {
  Control& ref = *c;
  controls_.push_back(std::move(c));
  if (peer_) peer_->controlAdded(ref);
}

Control* Form::find(std::string_view name, int index) const {
  for (auto& c : controls_)
    if (c->name() == name && c->index() == index) return c.get();
  return nullptr;
}

void Form::setCaption(const Text& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  notify(Prop::Text);
}

void Form::move(double l, double t, double w, double h) {
  if (w < 0 || h < 0) throw core::Error(core::fail::InvalidValue, "negative size");
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  bool sized = w != width_ || h != height_;
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  notify(Prop::Geometry);
  if (sized && loaded_) raise(resize);
}

void Form::setBorderStyle(int b) {
  border_ = b;
  notify(Prop::Border);
}

void Form::setBackColour(Colour c) {
  back_ = c;
  notify(Prop::Colours);
}

void Form::setState(WindowState s) {
  if (s == state_) return;
  state_ = s;
  notify(Prop::Options);
  if (loaded_) raise(resize);
}

void Form::show() {
  if (!loaded_) throw std::logic_error(name_ + ": shown after unload");
  app_.setActiveForm(this);
  if (visible_) return;
  visible_ = true;
  notify(Prop::Visible);
}

void Form::showModal() {
  if (!loaded_) throw std::logic_error(name_ + ": shown after unload");
  if (modal_) throw core::Error(core::fail::InvalidCall, "form already shown modally");
  modal_ = true;
  app_.pushModal(*this);
  show();
  notify(Prop::Options);
  Busy keep(*this);
  app_.loop().runModal(*this);
  app_.popModal(*this);
  modal_ = false;
}

void Form::hide() {
  if (!visible_) return;
  visible_ = false;
  notify(Prop::Visible);
  if (app_.activeForm() == this) app_.setActiveForm(nullptr);
}

void Form::unload() {
  if (!loaded_) return;
  raise(unloading);
  hide();
  loaded_ = false;
  closed_ = true;
  for (auto& c : controls_)
    if (c->kind() == Kind::Timer) app_.loop().timerGone(static_cast<Timer&>(*c));
  app_.formUnloaded(*this);
}

void Form::setActiveControl(Control* c) { active_ = c; }

int Form::performKeyDown(int key, int shift) {
  raise(keyDown, key, shift);
  return key;
}

void Form::attachPeer(std::unique_ptr<FormPeer> peer) { peer_ = std::move(peer); }

void Form::notify(Prop p) {
  if (peer_) peer_->changed(p);
}

std::optional<Text> Form::property(std::string_view n) const {
  auto number = [](double v) { return core::shortestDecimal(v); };
  if (n == "caption") return caption_;
  if (n == "left") return number(left_);
  if (n == "top") return number(top_);
  if (n == "width") return number(width_);
  if (n == "height") return number(height_);
  if (n == "visible") return visible_ ? u"true" : u"false";
  if (n == "windowstate") return core::decimal(static_cast<int>(state_));
  if (n == "modal") return modal_ ? u"true" : u"false";
  return std::nullopt;
}

bool Form::setProperty(std::string_view n, const Text& v) {
  double num = core::leadingNumber(v);
  if (n == "left")
    setLeft(num);
  else if (n == "top")
    setTop(num);
  else if (n == "width")
    setWidth(num);
  else if (n == "height")
    setHeight(num);
  else if (n == "windowstate")
    setState(static_cast<WindowState>(static_cast<int>(num)));
  else
    return false;
  return true;
}

}  // namespace ui
