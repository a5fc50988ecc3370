// The client side of the automation protocol (see automation/protocol.h): a
// message-only window that receives Norvane's answers, and one request at a
// time sent to Norvane's application window. Header only, so that small
// programs (norvane-automate, the benchmark's driver) need no library.
#pragma once

#include <windows.h>

#include <string>

#include "automation/protocol.h"

namespace automation::win32 {

class Client {
 public:
  // `windowClass` names the client's own message-only window class.
  explicit Client(const wchar_t* windowClass) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Client::proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = windowClass;
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(0, windowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Client() {
    if (window_) DestroyWindow(window_);
  }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  // One request, one answer; an answer beginning "error: " when Norvane is
  // not running or does not answer within `timeoutMs`.
  std::wstring ask(const std::wstring& request, UINT timeoutMs = 30000) {
    HWND server = FindWindowW(kServerClass, nullptr);
    if (!server) return L"error: Norvane is not running";
    COPYDATASTRUCT data{};
    data.dwData = kRequest;
    data.cbData = static_cast<DWORD>(request.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(request.data());
    answered_ = false;
    DWORD_PTR result = 0;
    LRESULT sent =
        SendMessageTimeoutW(server, WM_COPYDATA, reinterpret_cast<WPARAM>(window_),
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs, &result);
    if (!sent || !result || !answered_) return L"error: Norvane did not answer";
    return answer_;
  }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Client*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg != WM_COPYDATA || !self) return DefWindowProcW(hwnd, msg, wp, lp);
    auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    if (data->dwData != kAnswer) return FALSE;
    self->answer_.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    self->answered_ = true;
    return TRUE;
  }

  HWND window_ = nullptr;
  std::wstring answer_;
  bool answered_ = false;
};

}  // namespace automation::win32
