#include "ui/win32/backend.h"

#include <algorithm>

#include "ui/controls.h"
#include "ui/win32/form_window.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {
int screenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

HICON loadIcon(int metric) {
  int size = GetSystemMetrics(metric);
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"NORVANE", IMAGE_ICON, size, size, 0));
}

// Whether a form takes input now; `leaving` counts as already gone.
bool takesInput(const Form& f, const Form* leaving) {
  if (!f.loaded()) return false;
  const auto& stack = f.app().modalStack();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it)
    if (*it != leaving) return *it == &f;
  return true;
}

bool isClass(HWND hwnd, const wchar_t* name) {
  wchar_t cls[64];
  return GetClassNameW(hwnd, cls, 64) && _wcsicmp(cls, name) == 0;
}

bool isPushButton(const Control& c) {
  return c.kind() == Kind::Button || c.kind() == Kind::UniButton;
}

// The default (Enter) or cancel (Esc) button of a form that can take a click now.
Control* dialogButton(const Form& form, bool enter) {
  for (auto& c : form.controls()) {
    if (!isPushButton(*c)) continue;
    auto& b = static_cast<const Button&>(*c);
    if ((enter ? b.isDefault() : b.isCancel()) && c->showing() && c->inputEnabled()) return c.get();
  }
  return nullptr;
}
}  // namespace

void fatal(const char* what) {
  std::fprintf(stderr, "Norvane: unexpected failure: %s\n", what);
  std::fflush(stderr);
  OutputDebugStringA(what);
  std::abort();
}

Text windowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, buffer.data(), n + 1);
  return fromWide(buffer.data(), static_cast<size_t>(std::max(n, 0)));
}

COLORREF rgb(Colour c) {
  if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

Backend::Backend(Loop& loop)
    : loop_(loop), metrics_(screenDpi()), fonts_(metrics_), pictures_(metrics_) {
  bigIcon_ = loadIcon(SM_CXICON);
  smallIcon_ = loadIcon(SM_CXSMICON);
  loop_.preTranslate = [this](MSG& msg) { return keyDown(msg); };
  loop_.beforeWait = [this] { syncEnabled(); };
}

Backend::~Backend() {
  loop_.preTranslate = nullptr;
  loop_.beforeWait = nullptr;
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

std::unique_ptr<FormPeer> Backend::createPeer(Form& form) {
  return std::make_unique<FormWindow>(form, *this);
}

int Backend::messageBox(const MessageBoxRequest& request) {
  MSGBOXPARAMSW p{};
  p.cbSize = sizeof p;
  p.hwndOwner = request.owner ? windowOf(*request.owner) : nullptr;
  p.hInstance = GetModuleHandleW(nullptr);
  p.lpszText = wide(request.text);
  p.lpszCaption = wide(request.title);
  p.dwStyle = request.style;
  p.lpszIcon = request.icon ? wide(*request.icon) : nullptr;
  p.dwContextHelpId = 0;
  p.lpfnMsgBoxCallback = nullptr;
  p.dwLanguageId = 0;
  // The system disables the owner; the program's other windows wait too.
  boxOwners_.push_back(p.hwndOwner);
  syncEnabled();
  int answer;
  {
    Loop::SystemModal modal(loop_);
    answer = MessageBoxIndirectW(&p);
  }
  boxOwners_.pop_back();
  syncEnabled();
  return answer;
}

double Backend::screenWidth() { return metrics_.twips(GetSystemMetrics(SM_CXSCREEN)); }

double Backend::screenHeight() { return metrics_.twips(GetSystemMetrics(SM_CYSCREEN)); }

void Backend::dragWindow(Form& form) {
  HWND hwnd = windowOf(form);
  if (!hwnd) return;
  // The system's move loop follows the pointer until the button goes up;
  // started with the button already up it would never end on that, so a
  // drag only begins while the left button is held.
  int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  if (!(GetAsyncKeyState(button) & 0x8000)) return;
  ReleaseCapture();
  Loop::SystemModal modal(loop_);
  SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Backend::setAlpha(Form& form, int alpha) {
  HWND hwnd = windowOf(form);
  if (!hwnd) return;
  LONG style = GetWindowLongA(hwnd, GWL_EXSTYLE);
  SetWindowLongA(hwnd, GWL_EXSTYLE, style | WS_EX_LAYERED);
  SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), LWA_ALPHA);
}

void Backend::endProcess(int code) { ExitProcess(static_cast<UINT>(code)); }

void Backend::syncEnabled(const Form* leaving) {
  for (FormWindow* w : windows_) {
    HWND h = w->hwnd();
    if (!h || std::find(boxOwners_.begin(), boxOwners_.end(), h) != boxOwners_.end()) continue;
    bool want = boxOwners_.empty() && takesInput(w->form(), leaving);
    if (!IsWindowEnabled(h) == want) EnableWindow(h, want);
    if (want) w->syncFocus();
  }
}

HWND Backend::windowOf(const Form& form) const {
  auto* w = dynamic_cast<FormWindow*>(form.peer());
  return w ? w->hwnd() : nullptr;
}

FormWindow* Backend::formWindow(HWND hwnd) const {
  HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  for (FormWindow* w : windows_)
    if (w->hwnd() == root) return w;
  return nullptr;
}

void Backend::added(FormWindow& window) { windows_.push_back(&window); }

void Backend::removed(FormWindow& window) { std::erase(windows_, &window); }

// A key going down: the form's key preview first, then Enter and Esc.
bool Backend::keyDown(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  FormWindow* w = formWindow(msg.hwnd);
  if (!w || !w->form().loaded()) return false;
  Form& form = w->form();
  int key = static_cast<int>(msg.wParam);
  int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
              (GetKeyState(VK_MENU) < 0 ? 4 : 0);
  guard([&] { key = form.performKeyDown(key, shift); });
  // Kept by the preview: the control sees neither the key nor its character.
  if (key == 0 || !form.loaded()) return true;
  if (msg.message != WM_KEYDOWN || (key != VK_RETURN && key != VK_ESCAPE)) return false;
  return dialogKey(form, msg.hwnd, key == VK_RETURN);
}

bool Backend::dialogKey(Form& form, HWND focus, bool enter) {
  if (enter && isClass(focus, L"Edit") && (GetWindowLongPtrW(focus, GWL_STYLE) & ES_MULTILINE))
    return false;
  if (isClass(focus, L"ComboBox") && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0)) return false;
  Control* target = nullptr;
  // Enter on a focused button presses that button.
  if (WindowPeer* p = WindowPeer::from(focus); enter && p && isPushButton(p->control()))
    target = &p->control();
  if (!target) target = dialogButton(form, enter);
  if (!target) return false;
  guard([&] { target->performClick(); });
  return true;
}

}  // namespace ui::win32
