// The automation interface of the running program: requests arrive as
// WM_COPYDATA on the application window and are answered the same way (see
// automation/protocol.h). Also the program's side of the interpreter's host:
// queued actions, reachability and the open message box.
#pragma once

#include "automation/interpreter.h"
#include "ui/win32/backend.h"
#include "ui/win32/loop.h"

namespace automation::win32 {

class Server : public Host {
 public:
  Server(ui::Application& app, ui::win32::Loop& loop, ui::win32::Backend& backend);
  ~Server() override;

  void post(std::function<void()> action) override;
  bool reachable(const ui::Form& form) const override;
  std::optional<MessageBoxInfo> openMessageBox() override;
  bool pressMessageBoxButton(int id) override;

 private:
  LRESULT request(HWND sender, const COPYDATASTRUCT& data);

  ui::win32::Loop& loop_;
  ui::win32::Backend& backend_;
  Interpreter interpreter_;
};

}  // namespace automation::win32
