#include "ui/win32/window_peer.h"

#include <windowsx.h>

#include <unordered_map>

#include "ui/application.h"
#include "ui/win32/backend.h"

namespace ui::win32 {

namespace {
constexpr DWORD kReadingStyles = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;

// The windows this backend made, with their peers and the procedures that
// the peers' procedure stands in front of. The table is the process's own:
// window properties, and the common controls' subclassing that is built on
// them, cost a round trip to the Wine server on every message.
struct Hook {
  WindowPeer* peer;  // null once the peer let go of the window
  WNDPROC original;
};
std::unordered_map<HWND, Hook>& hooks() {
  static std::unordered_map<HWND, Hook> table;
  return table;
}

int shiftState(WPARAM wp) {
  return (wp & MK_SHIFT ? 1 : 0) | (wp & MK_CONTROL ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}
}  // namespace

// ---- Windowless controls: a region of the container's surface ----------

class WindowlessPeer : public ControlPeer {
 public:
  WindowlessPeer(Control& c, FormWindow& f) : control_(c), form_(f) {}
  void changed(Prop, Change) override {
    // The old place and the new one both need painting.
    Surface& now = form_.surfaceFor(control_.container());
    RECT r = now.rectOf(control_);
    if (last_ && (last_ != &now || !EqualRect(&r, &lastRect_))) last_->invalidate(lastRect_);
    lastRect_ = r;
    last_ = &now;
    now.invalidate(r);
  }

 private:
  Control& control_;
  FormWindow& form_;
  Surface* last_ = nullptr;
  RECT lastRect_{};
};

// An image list has no window; the lists and trees that show it follow it.
class ImageListPeer : public ControlPeer {
 public:
  ImageListPeer(Control& c, FormWindow& f) : control_(c), form_(f) {}
  void changed(Prop prop, Change) override {
    if (prop == Prop::Items) form_.imagesChanged(control_);
  }

 private:
  Control& control_;
  FormWindow& form_;
};

std::unique_ptr<ControlPeer> makePeer(Control& c, FormWindow& f) {
  switch (c.kind()) {
    case Kind::Label:
    case Kind::UniLabel:
    case Kind::Image:
      return std::make_unique<WindowlessPeer>(c, f);
    case Kind::ImageList:
      return std::make_unique<ImageListPeer>(c, f);
    case Kind::Timer:
      return nullptr;
    case Kind::Button:
    case Kind::UniButton:
    case Kind::CheckBox:
    case Kind::UniCheck:
    case Kind::OptionButton:
      return makeButtonPeer(c, f);
    case Kind::TextBox:
    case Kind::UniText:
      return makeEditPeer(c, f);
    case Kind::ListBox:
    case Kind::UniList:
    case Kind::ComboBox:
    case Kind::UniCombo:
    case Kind::DriveList:
    case Kind::FileList:
      return makeListPeer(c, f);
    case Kind::ListView:
      return makeListViewPeer(c, f);
    case Kind::TreeView:
      return makeTreePeer(c, f);
    case Kind::Toolbar:
      return makeToolbarPeer(c, f);
    case Kind::Animation:
      return makeAnimationPeer(c, f);
    case Kind::PictureBox:
    case Kind::Frame:
      return makePanelPeer(c, f);
  }
  return nullptr;
}

const ImageList* findImageList(const Form& form, const std::string& name, const std::string& key) {
  for (auto& c : form.controls()) {
    if (c->kind() != Kind::ImageList) continue;
    auto& list = static_cast<const ImageList&>(*c);
    if (!name.empty() ? c->name() == name : list.indexOf(key) > 0) return &list;
  }
  return nullptr;
}

// ---- Windowed controls ---------------------------------------------------

WindowPeer::WindowPeer(Control& control, FormWindow& form) : control_(control), form_(form) {}

WindowPeer::~WindowPeer() {
  if (placePending_) backend().loop().dropAtNextPaint(this);
  if (!hwnd_) return;
  HWND h = hwnd_;
  detach();
  DestroyWindow(h);
}

// The window keeps the procedure in front until it is destroyed; without a
// peer it passes every message on.
void WindowPeer::detach() {
  if (auto it = hooks().find(hwnd_); it != hooks().end()) it->second.peer = nullptr;
  hwnd_ = nullptr;
}

WindowPeer* WindowPeer::from(HWND hwnd) {
  auto it = hwnd ? hooks().find(hwnd) : hooks().end();
  return it == hooks().end() ? nullptr : it->second.peer;
}

Backend& WindowPeer::backend() const { return form_.backend(); }

const Metrics& WindowPeer::metrics() const { return form_.backend().metrics(); }

bool WindowPeer::rightToLeft() const {
  return control_.unicode() && control_.form().app().rightToLeft();
}

void WindowPeer::create() {
  Spec s = spec();
  DWORD style = s.style | WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.visible()) style |= WS_VISIBLE;
  if (!control_.enabled()) style |= WS_DISABLED;
  DWORD ex = s.exStyle | (rightToLeft() ? kReadingStyles : 0);
  quiet_ = true;
  hwnd_ = CreateWindowExW(ex, s.cls, L"", style, 0, 0, 0, 0, form_.parentFor(control_),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(form_.nextId())),
                          GetModuleHandleW(nullptr), nullptr);
  quiet_ = false;
  if (!hwnd_) return;
  auto original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowPeer::windowProc)));
  hooks()[hwnd_] = {this, original};
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(backend().fonts().get(control_.font())),
               FALSE);
  place();
  apply(Prop::Text, {});
  form_.setTip(hwnd_, control_.toolTip());
  fill();
}

// A window that moves while painting waits for its turn moves with the next
// round of painting: a bar that grows with every examined item would
// otherwise cost a move, with its server traffic, every 10 ms.
void WindowPeer::placeSoon() {
  Loop& loop = backend().loop();
  if (loop.paintDue()) return place();
  if (placePending_) return;
  placePending_ = true;
  loop.atNextPaint(this, [this] { placeNow(); });
}

void WindowPeer::placeNow() {
  if (placePending_) backend().loop().dropAtNextPaint(this);
  placePending_ = false;
  if (hwnd_) place();
}

void WindowPeer::place() {
  RECT r = metrics().rect(control_.left(), control_.top(), control_.width(), control_.height());
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top + extraHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPeer::showText(const Text& text) {
  if (windowText(hwnd_) == text) return;
  quiet_ = true;
  SetWindowTextW(hwnd_, wide(text));
  quiet_ = false;
}

void WindowPeer::applyReading() {
  LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  LONG_PTR want =
      (ex & ~static_cast<LONG_PTR>(kReadingStyles)) | (rightToLeft() ? kReadingStyles : 0);
  if (want == ex) return;
  if (readingFixedAtCreation()) return recreate();
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, want);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// A new window in place of the old one, made from the model as the first
// was, in the same place among its siblings and with the focus if the old
// one had it.
void WindowPeer::recreate() {
  HWND old = hwnd_;
  bool focused = GetFocus() == old;
  form_.setTip(old, {});
  detach();
  DestroyWindow(old);
  create();
  if (!hwnd_) return;
  form_.restack();
  if (focused) SetFocus(hwnd_);
}

void WindowPeer::changed(Prop prop, Change change) {
  if (!hwnd_) return;
  switch (prop) {
    case Prop::Geometry:
      placeSoon();
      break;
    case Prop::Visible:
      if (placePending_ && control_.visible()) placeNow();
      ShowWindow(hwnd_, control_.visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Prop::Enabled:
      EnableWindow(hwnd_, control_.enabled());
      break;
    case Prop::Font:
      SendMessageW(hwnd_, WM_SETFONT,
                   reinterpret_cast<WPARAM>(backend().fonts().get(control_.font())), TRUE);
      break;
    case Prop::Colours:
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Prop::Container:
      SetParent(hwnd_, form_.parentFor(control_));
      placeNow();
      form_.restack();
      break;
    case Prop::Options:
      applyReading();
      form_.setTip(hwnd_, control_.toolTip());
      break;
    default:
      break;
  }
  apply(prop, change);
}

void WindowPeer::apply(Prop prop, Change) {
  if (prop == Prop::Text) showText(control_.text());
}

HBRUSH WindowPeer::colours(HDC dc) {
  SetTextColor(dc, rgb(control_.foreColour()));
  SetBkColor(dc, rgb(control_.backColour()));
  return brush_.get(control_.backColour());
}

LRESULT CALLBACK WindowPeer::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto it = hooks().find(hwnd);
  if (it == hooks().end()) return DefWindowProcW(hwnd, msg, wp, lp);
  // Copies: a handler may make windows and so move the table's entries.
  const Hook hook = it->second;
  if (msg == WM_NCDESTROY) {
    if (hook.peer) hook.peer->detach();
    LRESULT result = CallWindowProcW(hook.original, hwnd, msg, wp, lp);
    hooks().erase(hwnd);
    return result;
  }
  if (hook.peer && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
    hook.peer->form_.relayToTip(hwnd, msg, wp, lp);
  LRESULT result = 0;
  if (hook.peer && hook.peer->filter(msg, wp, lp, result)) return result;
  return CallWindowProcW(hook.original, hwnd, msg, wp, lp);
}

LRESULT WindowPeer::defaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  auto it = hooks().find(hwnd_);
  if (it == hooks().end()) return DefWindowProcW(hwnd_, msg, wp, lp);
  return CallWindowProcW(it->second.original, hwnd_, msg, wp, lp);
}

// The control's mouse and key events, before the window does its own work.
bool WindowPeer::filter(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      reportMouse(msg, wp, lp);
      return false;
    case WM_SETFOCUS:
      form_.focused(control_);
      return false;
    case WM_CHAR: {
      int key = typed(static_cast<int>(wp));
      if (!hwnd_) return true;
      if (key == 0) return true;
      if (key != static_cast<int>(wp)) {
        result = defaultProc(msg, static_cast<WPARAM>(key), lp);
        return true;
      }
      return false;
    }
  }
  return false;
}

void WindowPeer::reportMouse(UINT msg, WPARAM wp, LPARAM lp) {
  int which = msg == WM_MOUSEMOVE                                                   ? 1
              : (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) ? 2
                                                                                    : 0;
  MouseEvent e;
  if (which == 1)
    e.button = (wp & MK_LBUTTON ? mouse::Left : 0) | (wp & MK_RBUTTON ? mouse::Right : 0) |
               (wp & MK_MBUTTON ? mouse::Middle : 0);
  else
    e.button = (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP)   ? mouse::Right
               : (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP) ? mouse::Middle
                                                                : mouse::Left;
  e.shift = shiftState(wp);
  e.x = metrics().twips(GET_X_LPARAM(lp));
  e.y = metrics().twips(GET_Y_LPARAM(lp));
  guard([&] { control_.performMouse(which, e); });
}

// A typed character goes to the form's key handlers, then the control's;
// either may change it or swallow it (0).
int WindowPeer::typed(int key) {
  guard([&] {
    Form& form = control_.form();
    if (form.keyPress.bound()) form.raise(form.keyPress, key);
    if (key != 0) key = control_.performKey(key);
  });
  return key;
}

}  // namespace ui::win32
