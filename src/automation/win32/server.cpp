#include "automation/win32/server.h"

#include "automation/protocol.h"

namespace automation::win32 {

namespace {

using ui::win32::fromWide;
using ui::win32::windowText;

constexpr bool sameName(const wchar_t* a, const wchar_t* b) {
  for (; *a && *a == *b; ++a, ++b) {
  }
  return *a == *b;
}
static_assert(sameName(kServerClass, ui::win32::kAppWindowClass),
              "the client looks for the application window by this name");

bool hasClass(HWND hwnd, const wchar_t* name) {
  wchar_t cls[32];
  return GetClassNameW(hwnd, cls, 32) && _wcsicmp(cls, name) == 0;
}

struct BoxSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM lp) {
  auto& s = *reinterpret_cast<BoxSearch*>(lp);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != s.process || !IsWindowVisible(hwnd) || !hasClass(hwnd, L"#32770")) return TRUE;
  s.found = hwnd;
  return FALSE;
}

// The topmost visible dialog-class window of this process: the message box.
HWND openBox() {
  BoxSearch search{GetCurrentProcessId(), nullptr};
  EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK findText(HWND hwnd, LPARAM lp) {
  auto& text = *reinterpret_cast<Text*>(lp);
  if (!hasClass(hwnd, L"Static")) return TRUE;
  if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return TRUE;
  text = windowText(hwnd);
  return text.empty();
}

// The box's message: its static control with text (not the icon).
Text boxText(HWND box) {
  Text text;
  EnumChildWindows(box, findText, reinterpret_cast<LPARAM>(&text));
  return text;
}

}  // namespace

Server::Server(ui::Application& app, ui::win32::Loop& loop, ui::win32::Backend& backend)
    : loop_(loop), backend_(backend), interpreter_(app, *this) {
  loop_.onCopyData = [this](HWND sender, const COPYDATASTRUCT& data) {
    return request(sender, data);
  };
}

Server::~Server() { loop_.onCopyData = nullptr; }

void Server::post(std::function<void()> action) { loop_.post(std::move(action)); }

bool Server::reachable(const ui::Form& form) const {
  HWND hwnd = backend_.windowOf(form);
  return hwnd && IsWindowEnabled(hwnd);
}

std::optional<MessageBoxInfo> Server::openMessageBox() {
  HWND box = openBox();
  if (!box) return std::nullopt;
  return MessageBoxInfo{windowText(box), boxText(box)};
}

// Posted, not sent: the box closes in its own loop once this request has
// been answered.
bool Server::pressMessageBoxButton(int id) {
  HWND box = openBox();
  HWND button = box ? GetDlgItem(box, id) : nullptr;
  if (!button) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

// Answers at once; actions that run handlers were only queued.
LRESULT Server::request(HWND sender, const COPYDATASTRUCT& data) {
  if (data.dwData != kRequest || !IsWindow(sender)) return FALSE;
  Text line =
      data.lpData ? fromWide(static_cast<const wchar_t*>(data.lpData), data.cbData / 2) : Text();
  Text answer = interpreter_.handle(line);
  COPYDATASTRUCT back{};
  back.dwData = kAnswer;
  back.cbData = static_cast<DWORD>(answer.size() * sizeof(char16_t));
  back.lpData = answer.data();
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(loop_.appWindow()),
                      reinterpret_cast<LPARAM>(&back), SMTO_ABORTIFHUNG, 5000, &ignored);
  return TRUE;
}

}  // namespace automation::win32
