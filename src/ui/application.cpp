#include "ui/application.h"

#include <algorithm>

#include "ui/control.h"
#include "ui/event_loop.h"

namespace ui {

Application::Application(Backend& backend, EventLoop& loop, platform::Platform& platform)
    : backend_(backend), loop_(loop), platform_(platform) {
  loop_.setApplication(this);
}

Application::~Application() {
  loop_.setApplication(nullptr);
  // Forms go before the loop they registered their timers with.
  unloaded_.clear();
  forms_.clear();
}

void Application::loadForm(std::unique_ptr<Form> form) {
  Form& f = *form;
  forms_.push_back(std::move(form));
  f.attachPeer(backend_.createPeer(f));
  f.loaded_ = true;
  Form::Busy keep(f);
  f.onLoad();
  f.raise(f.load);
}

Form* Application::find(std::string_view name) const {
  for (auto& f : forms_)
    if (f->name() == name && f->loaded()) return f.get();
  return nullptr;
}

std::vector<Form*> Application::forms() const {
  std::vector<Form*> out;
  for (auto& f : forms_)
    if (f->loaded()) out.push_back(f.get());
  return out;
}

Form* Application::activeForm() const {
  if (!modal_.empty()) return modal_.back();
  return active_ && active_->loaded() && active_->visible() ? active_ : nullptr;
}

void Application::setActiveForm(Form* f) { active_ = f; }

bool Application::acceptsInput(const Form& f) const {
  return f.loaded() && (modal_.empty() || modal_.back() == &f);
}

Text Application::ansiRoundTrip(const Text& text) const {
  auto& sys = platform_.system;
  return sys.fromAnsi(sys.toAnsi(text));
}

void Application::setRightToLeft(bool rtl) {
  if (rtl == rightToLeft_) return;
  rightToLeft_ = rtl;
  for (auto& f : forms_) {
    if (FormPeer* p = f->peer()) p->changed(Prop::Options);
    for (auto& c : f->controls())
      if (ControlPeer* p = c->peer()) p->changed(Prop::Options, {});
  }
}

void Application::formUnloaded(Form& f) {
  auto it = std::find_if(forms_.begin(), forms_.end(), [&](auto& p) { return p.get() == &f; });
  if (it == forms_.end()) return;
  unloaded_.push_back(std::move(*it));
  forms_.erase(it);
  if (active_ == &f) active_ = nullptr;
}

void Application::pushModal(Form& f) { modal_.push_back(&f); }

void Application::popModal(Form& f) {
  auto it = std::find(modal_.begin(), modal_.end(), &f);
  if (it != modal_.end()) modal_.erase(it);
}

void Application::collectUnloaded() {
  std::erase_if(unloaded_, [](auto& f) { return !f->busy(); });
}

}  // namespace ui
