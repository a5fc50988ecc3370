#include "automation/interpreter.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "ui/controls.h"

namespace automation {

namespace {

using ui::Control;
using ui::Form;
using ui::Kind;

// A request that cannot be carried out; its reason becomes the answer.
struct Refusal {
  std::string reason;
};
[[noreturn]] void refuse(std::string reason) { throw Refusal{std::move(reason)}; }

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool same(std::string_view a, std::string_view b) {
  return a.size() == b.size() && lower(std::string(a)) == lower(std::string(b));
}

std::optional<int> number(std::string_view s) {
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// Carriage returns, line feeds and tabs as \r, \n, \t: one answer, one line.
Text oneLine(const Text& text) {
  Text out;
  for (char16_t c : text) {
    if (c == u'\r')
      out += u"\\r";
    else if (c == u'\n')
      out += u"\\n";
    else if (c == u'\t')
      out += u"\\t";
    else
      out += c;
  }
  return out;
}

// The request split at blanks into at most `n` words; the last one holds
// the rest of the line as it stands after the blank that ends the word
// before it (a value may hold blanks of its own, or be empty).
std::vector<Text> words(const Text& line, size_t n) {
  std::vector<Text> out;
  size_t pos = 0;
  while (pos < line.size() && line[pos] == u' ') ++pos;
  while (pos < line.size() && out.size() + 1 < n) {
    size_t end = line.find(u' ', pos);
    if (end == Text::npos) end = line.size();
    out.push_back(line.substr(pos, end - pos));
    pos = end;
    if (pos < line.size()) ++pos;  // the one blank after the word
    if (out.size() + 1 < n)
      while (pos < line.size() && line[pos] == u' ') ++pos;
  }
  if (pos < line.size() || (out.size() + 1 == n && pos > 0 && line[pos - 1] == u' '))
    out.push_back(line.substr(pos));
  return out;
}

struct Segment {
  std::string name;
  std::optional<std::string> args;
};

Segment segment(const std::string& s) {
  size_t open = s.find('(');
  if (open == std::string::npos) return {s, std::nullopt};
  if (s.back() != ')') refuse("unbalanced brackets in '" + s + "'");
  return {s.substr(0, open), s.substr(open + 1, s.size() - open - 2)};
}

// "frmMain.MSG0(30).caption" -> frmMain | MSG0 (30) | caption; dots inside
// brackets belong to the argument.
std::vector<Segment> path(const std::string& text) {
  std::vector<Segment> out;
  std::string part;
  int depth = 0;
  for (char c : text) {
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == '.' && depth == 0) {
      out.push_back(segment(part));
      part.clear();
    } else {
      part += c;
    }
  }
  out.push_back(segment(part));
  return out;
}

bool isList(Kind k) {
  return k == Kind::ListBox || k == Kind::UniList || k == Kind::ComboBox || k == Kind::UniCombo ||
         k == Kind::DriveList || k == Kind::FileList;
}

// The controls that a mouse click gives the keyboard focus, as the system's
// buttons and lists take it: an action of the user's moves it there too.
bool focusedByClick(Kind k) {
  switch (k) {
    case Kind::Button:
    case Kind::UniButton:
    case Kind::CheckBox:
    case Kind::UniCheck:
    case Kind::OptionButton:
    case Kind::TextBox:
    case Kind::UniText:
    case Kind::ListView:
    case Kind::TreeView:
      return true;
    default:
      return isList(k);
  }
}

std::string describe(const Control& c) {
  return c.form().name() + "." + c.fullName() + " (" + ui::kindName(c.kind()) + ")";
}

// Where a control the interpreter acts on lives; found again when the queued
// action runs, as the form may have gone meanwhile.
struct Address {
  std::string form;
  std::string control;
  int index;
};

struct Target {
  Form* form = nullptr;
  Control* control = nullptr;  // null: the form's own property
  std::string property;
  std::string arg;
};

class Session {
 public:
  Session(ui::Application& app, Host& host) : app_(app), host_(host) {}

  Text run(const Text& request) {
    std::vector<Text> verbAndRest = words(request, 2);
    if (verbAndRest.empty()) refuse("empty request");
    std::string verb = lower(core::toUtf8(verbAndRest[0]));
    Text rest = verbAndRest.size() > 1 ? verbAndRest[1] : Text();
    if (verb == "forms") return forms();
    if (verb == "get") return get(rest);
    if (verb == "set") return set(rest);
    if (verb == "click" || verb == "dblclick") return click(rest, verb == "dblclick");
    if (verb == "select") return select(rest);
    if (verb == "msgbox") return msgbox();
    if (verb == "answer") return answer(rest);
    refuse("unknown command '" + verb + "'");
  }

 private:
  Text forms() {
    Text out;
    for (Form* f : app_.forms()) out += (out.empty() ? u"" : u" ") + core::fromUtf8(f->name());
    return out;
  }

  Form& form(const std::string& name) {
    for (Form* f : app_.forms())
      if (same(f->name(), name)) return *f;
    refuse("no form '" + name + "' is loaded");
  }

  Control& control(Form& f, const Segment& s) {
    int index = -1;
    if (s.args) {
      auto n = number(*s.args);
      if (!n || *n < 0) refuse("bad index '" + *s.args + "' of " + s.name);
      index = *n;
    }
    bool array = false;
    for (auto& c : f.controls()) {
      if (!same(c->name(), s.name)) continue;
      if (c->index() == index) return *c;
      array = array || c->index() >= 0;
    }
    if (array && index < 0)
      refuse(s.name + " is a control array: give an index, as " + s.name + "(0)");
    if (array) refuse(f.name() + " has no " + s.name + "(" + std::to_string(index) + ")");
    refuse(f.name() + " has no control '" + s.name + "'");
  }

  Target target(const std::string& text, bool withProperty) {
    std::vector<Segment> parts = path(text);
    if (parts.size() < 2 || parts[0].name.empty())
      refuse(withProperty ? "give Form.Control.property or Form.property" : "give Form.Control");
    Target t;
    t.form = &form(parts[0].name);
    if (!withProperty) {
      if (parts.size() != 2) refuse("give Form.Control, not '" + text + "'");
      t.control = &control(*t.form, parts[1]);
      return t;
    }
    if (parts.size() == 2) {
      if (parts[1].args) refuse("give a property, as " + text + ".caption");
      t.property = lower(parts[1].name);
      return t;
    }
    if (parts.size() != 3) refuse("too many parts in '" + text + "'");
    t.control = &control(*t.form, parts[1]);
    t.property = lower(parts[2].name);
    t.arg = parts[2].args.value_or("");
    hasArg_ = parts[2].args.has_value();
    return t;
  }

  Text get(const Text& rest) {
    std::vector<Text> w = words(rest, 1);
    if (w.empty()) refuse("get needs a target");
    Target t = target(core::toUtf8(w[0]), true);
    if (!t.control) {
      if (auto v = t.form->property(t.property)) return oneLine(*v);
      refuse(t.form->name() + " has no property '" + t.property + "'");
    }
    if (auto v = t.control->property(t.property, t.arg)) return oneLine(*v);
    if (hasArg_)
      refuse(describe(*t.control) + ": " + t.property + "(" + t.arg +
             ") is out of range or unknown");
    refuse(describe(*t.control) + " has no property '" + t.property + "'");
  }

  Text set(const Text& rest) {
    std::vector<Text> w = words(rest, 2);
    if (w.empty()) refuse("set needs a target and a value");
    Target t = target(core::toUtf8(w[0]), true);
    Text value = w.size() > 1 ? w[1] : Text();
    std::string property = t.property;
    if (!t.control) {
      static const char* formProps[] = {"left", "top", "width", "height", "windowstate"};
      if (std::find(std::begin(formProps), std::end(formProps), property) == std::end(formProps))
        refuse(t.form->name() + " has no property '" + property + "' that can be set");
      std::string name = t.form->name();
      host_.post([&app = app_, name, property, value] {
        if (Form* f = app.find(name)) f->setProperty(property, value);
      });
      return u"ok";
    }
    if (hasArg_ || !settable(*t.control, property))
      refuse(describe(*t.control) + " has no property '" + property + "' that can be set");
    Address a = address(*t.control);
    host_.post([this_app = &app_, a, property, value] {
      if (Control* c = find(*this_app, a)) c->setProperty(property, value);
    });
    return u"ok";
  }

  Text click(const Text& rest, bool twice) {
    std::vector<Text> w = words(rest, 2);
    if (w.empty()) refuse("click needs a target");
    Target t = target(core::toUtf8(w[0]), false);
    Control& c = *t.control;
    checkReachable(c);
    std::string key = w.size() > 1 ? core::toUtf8(w[1]) : std::string();
    if (c.kind() == Kind::Toolbar && !twice) {
      auto& buttons = static_cast<ui::Toolbar&>(c).buttons();
      bool known =
          std::any_of(buttons.begin(), buttons.end(), [&](auto& b) { return b.key == key; });
      if (!known) refuse(describe(c) + " has no button with the key '" + key + "'");
    } else if (!key.empty()) {
      refuse("click takes no argument for " + describe(c));
    }
    act(c, [twice, key](Control& target) {
      if (focusedByClick(target.kind())) target.setFocus();
      if (target.kind() == Kind::Toolbar && !twice)
        static_cast<ui::Toolbar&>(target).performButton(key);
      else if (twice)
        target.performDblClick();
      else
        target.performClick();
    });
    return u"ok";
  }

  Text select(const Text& rest) {
    std::vector<Text> w = words(rest, 3);
    if (w.size() < 2) refuse("select needs a target and an index");
    Target t = target(core::toUtf8(w[0]), false);
    Control& c = *t.control;
    auto i = number(core::toUtf8(w[1]));
    if (!i) refuse("bad index '" + core::toUtf8(w[1]) + "'");
    int index = *i;
    if (isList(c.kind())) {
      int n = static_cast<ui::ListBox&>(c).listCount();
      if (index < 0 || index >= n)
        refuse(describe(c) + ": index " + std::to_string(index) + " is outside 0 to " +
               std::to_string(n - 1));
    } else if (c.kind() == Kind::ListView) {
      int n = static_cast<ui::ListView&>(c).rowCount();
      if (index < -1 || index >= n)
        refuse(describe(c) + ": row " + std::to_string(index) + " is outside -1 to " +
               std::to_string(n - 1));
    } else {
      refuse(describe(c) + " is not a list");
    }
    checkReachable(c);
    act(c, [index](Control& target) {
      if (focusedByClick(target.kind())) target.setFocus();
      if (target.kind() == Kind::ListView)
        static_cast<ui::ListView&>(target).performSelect(index);
      else if (index < static_cast<ui::ListBox&>(target).listCount())
        static_cast<ui::ListBox&>(target).performSelect(index);
    });
    return u"ok";
  }

  Text msgbox() {
    auto box = host_.openMessageBox();
    if (!box) return {};
    return oneLine(box->title) + u"\t" + oneLine(box->text);
  }

  Text answer(const Text& rest) {
    std::vector<Text> w = words(rest, 1);
    auto id = w.empty() ? std::nullopt : number(core::toUtf8(w[0]));
    if (!id || *id <= 0) refuse("answer needs a button: 1 (OK), 6 (Yes) or 7 (No)");
    if (!host_.openMessageBox()) refuse("no message box is open");
    if (!host_.pressMessageBoxButton(*id))
      refuse("the message box has no button " + std::to_string(*id));
    return u"ok";
  }

  // Why the user could not reach the control now, or nothing.
  static std::string unreachable(const Control& c, const Host& host) {
    if (!c.showing()) return describe(c) + " is not shown";
    if (!c.form().app().acceptsInput(c.form()))
      return c.form().name() + " takes no input while another window is modal";
    if (!c.inputEnabled()) return describe(c) + " is disabled";
    if (!host.reachable(c.form()))
      return c.form().name() + " takes no input while a message box is open";
    return {};
  }

  void checkReachable(const Control& c) {
    std::string why = unreachable(c, host_);
    if (!why.empty()) refuse(why);
  }

  static Address address(const Control& c) { return {c.form().name(), c.name(), c.index()}; }

  static Control* find(ui::Application& app, const Address& a) {
    Form* f = app.find(a.form);
    return f ? f->find(a.control, a.index) : nullptr;
  }

  // Queues a user action; when its turn comes the control must still be
  // there and reachable, as for a real click.
  template <class F>
  void act(Control& c, F action) {
    Address a = address(c);
    ui::Application* app = &app_;
    Host* host = &host_;
    host_.post([app, host, a, action] {
      Control* target = find(*app, a);
      if (target && unreachable(*target, *host).empty()) action(*target);
    });
  }

  ui::Application& app_;
  Host& host_;
  bool hasArg_ = false;
};

}  // namespace

bool settable(const ui::Control& c, std::string_view p) {
  static const char* common[] = {"caption", "text", "visible", "enabled",
                                 "left",    "top",  "width",   "height"};
  if (std::find(std::begin(common), std::end(common), p) != std::end(common)) return true;
  switch (c.kind()) {
    case Kind::CheckBox:
    case Kind::UniCheck:
    case Kind::OptionButton:
      return p == "value";
    case Kind::Timer:
      return p == "interval";
    default:
      return isList(c.kind()) && p == "listindex";
  }
}

Text Interpreter::handle(const Text& request) {
  try {
    return Session(app_, host_).run(request);
  } catch (const Refusal& r) {
    return u"error: " + core::fromUtf8(r.reason);
  } catch (const core::Error& e) {
    return u"error: " + core::fromUtf8(e.what());
  }
}

}  // namespace automation
