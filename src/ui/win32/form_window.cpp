#include "ui/win32/form_window.h"

#include <windowsx.h>

#include "ui/application.h"
#include "ui/win32/backend.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {
constexpr wchar_t kFormClass[] = L"Norvane.Form";

void registerClass(HICON big, HICON small) {
  static bool done = [&] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = big;
    wc.hIconSm = small;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)done;
}
}  // namespace

FormWindow::FormWindow(Form& form, Backend& backend)
    : form_(form), backend_(backend), surface_(*this, nullptr) {
  registerClass(backend.icon(false), backend.icon(true));
  hwnd_ = CreateWindowExW(exStyle(), kFormClass, wide(form.caption()), style(), 0, 0, 0, 0, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormWindow::windowProc));
  surface_.attach(hwnd_);
  backend_.added(*this);
  applyGeometry();
  for (auto& c : form.controls()) attach(*c);
  restack();
  if (form.visible()) applyVisible();
}

FormWindow::~FormWindow() {
  backend_.removed(*this);
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

DWORD FormWindow::style() const {
  DWORD s = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
  if (form_.borderStyle() == 0) return s | WS_MINIMIZEBOX;
  s |= WS_CAPTION;
  if (form_.borderStyle() == 1) s |= WS_MINIMIZEBOX;
  return s;
}

DWORD FormWindow::exStyle() const { return form_.borderStyle() == 3 ? WS_EX_DLGMODALFRAME : 0; }

void FormWindow::attach(Control& c) {
  if (c.peer()) return;
  if (c.container() && !c.container()->peer()) attach(*c.container());
  auto peer = makePeer(c, *this);
  auto* windowed = dynamic_cast<WindowPeer*>(peer.get());
  c.attachPeer(std::move(peer));
  if (windowed) windowed->create();
}

void FormWindow::controlAdded(Control& control) {
  attach(control);
  restack();
}

HWND FormWindow::parentFor(const Control& c) {
  if (c.container())
    if (auto* p = dynamic_cast<WindowPeer*>(c.container()->peer())) return p->hwnd();
  return hwnd_;
}

Surface& FormWindow::surfaceFor(const Control* container) {
  if (container && container->peer()) return panelSurface(*container->peer());
  return surface_;
}

void FormWindow::restack() {
  for (auto& c : form_.controls())
    if (auto* p = dynamic_cast<WindowPeer*>(c->peer()); p && p->hwnd())
      SetWindowPos(p->hwnd(), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void FormWindow::imagesChanged(const Control& imageList) {
  for (auto& c : form_.controls())
    if ((c->kind() == Kind::ListView || c->kind() == Kind::TreeView) && c->peer())
      c->peer()->changed(Prop::Picture, {Change::Reset, -1});
  (void)imageList;
}

PaintContext FormWindow::paintContext() {
  return {backend_.fonts(), backend_.pictures(), form_.app().rightToLeft()};
}

void FormWindow::changed(Prop prop) {
  switch (prop) {
    case Prop::Geometry:
      applyGeometry();
      break;
    case Prop::Visible:
      applyVisible();
      break;
    case Prop::Text:
      SetWindowTextW(hwnd_, wide(form_.caption()));
      break;
    case Prop::Border:
      applyBorder();
      break;
    case Prop::Options:
      applyState();
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    default:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
  }
}

// The model's size is the client size; a bordered window adds its frame.
void FormWindow::applyGeometry() {
  if (IsIconic(hwnd_) || IsZoomed(hwnd_)) return;
  const Metrics& m = backend_.metrics();
  RECT r{0, 0, m.px(form_.width()), m.px(form_.height())};
  if (form_.borderStyle() != 0) AdjustWindowRectEx(&r, style(), FALSE, exStyle());
  syncing_ = true;
  SetWindowPos(hwnd_, nullptr, m.px(form_.left()), m.px(form_.top()), r.right - r.left,
               r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  syncing_ = false;
}

void FormWindow::applyBorder() {
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style() | (IsWindowVisible(hwnd_) ? WS_VISIBLE : 0));
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE,
                    exStyle() | (GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_LAYERED));
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  applyGeometry();
}

// A modal window is owned by the window that was active, so that it stays
// above it and the system returns there when it closes.
HWND FormWindow::ownerForModal() const {
  HWND active = GetActiveWindow();
  if (active && active != hwnd_ && backend_.formWindow(active)) return active;
  const auto& stack = form_.app().modalStack();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it)
    if (*it != &form_) return backend_.windowOf(**it);
  return nullptr;
}

void FormWindow::applyVisible() {
  syncing_ = true;
  if (form_.visible()) {
    if (form_.modal())
      SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerForModal()));
    int show = form_.state() == WindowState::Minimised   ? SW_SHOWMINIMIZED
               : form_.state() == WindowState::Maximised ? SW_SHOWMAXIMIZED
                                                         : SW_SHOW;
    ShowWindow(hwnd_, show);
    syncing_ = false;
    backend_.syncEnabled();
    return;
  }
  if (form_.modal()) backend_.syncEnabled(&form_);
  ShowWindow(hwnd_, SW_HIDE);
  syncing_ = false;
}

void FormWindow::applyState() {
  if (!IsWindowVisible(hwnd_) && !IsIconic(hwnd_)) return;
  syncing_ = true;
  switch (form_.state()) {
    case WindowState::Minimised:
      if (!IsIconic(hwnd_)) ShowWindow(hwnd_, SW_MINIMIZE);
      break;
    case WindowState::Maximised:
      if (!IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_MAXIMIZE);
      break;
    case WindowState::Normal:
      if (IsIconic(hwnd_) || IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
      break;
  }
  syncing_ = false;
}

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT FormWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (surface_.handle(msg, wp, lp, result)) return result;
  Loop& loop = backend_.loop();
  switch (msg) {
    case WM_CLOSE:
      guard([&] { form_.performClose(); });
      return 0;
    case WM_SYSCOMMAND:
      // A request to maximise goes to the model, whose rules may refuse it.
      if ((wp & 0xFFF0) == SC_MAXIMIZE) {
        guard([&] { form_.setState(WindowState::Maximised); });
        return 0;
      }
      break;
    case WM_SIZE:
      sized(wp);
      break;
    case WM_WINDOWPOSCHANGED:
      result = DefWindowProcW(hwnd_, msg, wp, lp);
      windowMoved();
      return result;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE || !form_.loaded()) break;
      form_.app().setActiveForm(&form_);
      focus_ = nullptr;
      if (HWND target = focusTarget()) {
        SetFocus(target);
        return 0;
      }
      break;
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
      loop.enterSystemModal();
      break;
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP:
      loop.leaveSystemModal();
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

// The window for the focus: the model's active control's, else the first
// control (in the order added) that takes the focus.
HWND FormWindow::focusTarget() const {
  auto usable = [](const Control* c) -> HWND {
    auto* p = c ? dynamic_cast<WindowPeer*>(c->peer()) : nullptr;
    if (!p || !p->hwnd() || !c->showing() || !c->inputEnabled()) return nullptr;
    return (GetWindowLongPtrW(p->hwnd(), GWL_STYLE) & WS_TABSTOP) ? p->hwnd() : nullptr;
  };
  if (HWND h = usable(form_.activeControl())) return h;
  for (auto& c : form_.controls())
    if (HWND h = usable(c.get())) return h;
  return nullptr;
}

void FormWindow::syncFocus() {
  Control* want = form_.activeControl();
  if (!want || want == focus_ || GetActiveWindow() != hwnd_) return;
  auto* p = dynamic_cast<WindowPeer*>(want->peer());
  if (!p || !p->hwnd() || !want->showing() || !want->inputEnabled()) return;
  focus_ = want;
  if (GetFocus() != p->hwnd()) SetFocus(p->hwnd());
}

void FormWindow::focused(Control& c) {
  focus_ = &c;
  if (form_.activeControl() != &c) guard([&] { c.setFocus(); });
}

void FormWindow::setTip(HWND tool, const Text& text) {
  if (!tips_ && text.empty()) return;
  if (!tips_)
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  TTTOOLINFOW tool_info{};
  tool_info.cbSize = sizeof tool_info;
  // The control's procedure passes the mouse on (relayToTip): the tooltip's
  // own subclassing would cost a round trip to the Wine server per message.
  tool_info.uFlags = TTF_IDISHWND;
  tool_info.hwnd = GetParent(tool);
  tool_info.uId = reinterpret_cast<UINT_PTR>(tool);
  // A tool that has a tip gets its new text in place: the file list's tip
  // follows the selected file, and adding a tool anew costs the tooltip a
  // round of screen measuring each time.
  const bool tipped = tipped_.count(tool) > 0;
  if (text.empty()) {
    if (tipped) SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool_info));
    tipped_.erase(tool);
    return;
  }
  tool_info.lpszText = const_cast<wchar_t*>(wide(text));
  SendMessageW(tips_, tipped ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
               reinterpret_cast<LPARAM>(&tool_info));
  tipped_.insert(tool);
}

void FormWindow::relayToTip(HWND tool, UINT msg, WPARAM wp, LPARAM lp) {
  if (!tips_) return;
  DWORD pos = GetMessagePos();
  MSG m{};
  m.hwnd = tool;
  m.message = msg;
  m.wParam = wp;
  m.lParam = lp;
  m.time = static_cast<DWORD>(GetMessageTime());
  m.pt = {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
  SendMessageW(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

// The user minimised or restored the window (from the task bar, say).
void FormWindow::sized(WPARAM kind) {
  if (syncing_) return;
  WindowState now = kind == SIZE_MINIMIZED   ? WindowState::Minimised
                    : kind == SIZE_MAXIMIZED ? WindowState::Maximised
                                             : WindowState::Normal;
  if (kind != SIZE_MINIMIZED && kind != SIZE_MAXIMIZED && kind != SIZE_RESTORED) return;
  if (form_.state() != now) guard([&] { form_.setState(now); });
}

// The user moved the window: the model follows. An edge whose pixels still
// match the model keeps the model's exact twips.
void FormWindow::windowMoved() {
  if (syncing_ || IsIconic(hwnd_) || IsZoomed(hwnd_) || !IsWindowVisible(hwnd_)) return;
  if (form_.state() != WindowState::Normal || !form_.loaded()) return;
  const Metrics& m = backend_.metrics();
  RECT wr, cr;
  GetWindowRect(hwnd_, &wr);
  GetClientRect(hwnd_, &cr);
  auto follow = [&](double model, int actual) {
    return m.px(model) == actual ? model : m.twips(actual);
  };
  double l = follow(form_.left(), wr.left), t = follow(form_.top(), wr.top);
  double w = follow(form_.width(), cr.right), h = follow(form_.height(), cr.bottom);
  if (l == form_.left() && t == form_.top() && w == form_.width() && h == form_.height()) return;
  guard([&] { form_.move(l, t, w, h); });
}

}  // namespace ui::win32
