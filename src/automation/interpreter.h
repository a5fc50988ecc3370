// The automation interpreter: one request line in, one answer line out.
//
//   forms                               the loaded forms, blank-separated
//   get    Form.Control.property        a control's property (caption, text,
//                                       value, listcount, list(i), item(r,c), ...)
//   get    Form.property                a form's own property (width, visible, ...)
//   set    Form.Control.property value  sets a property as code would (a text
//                                       box takes the text as typed)
//   click  Form.Control [button-key]    a click (a toolbar button by its key)
//   dblclick Form.Control               a double-click
//   select Form.Control index           the user choosing an entry or a row
//   msgbox                              title TAB text of the open message box
//   answer 1|6|7                        presses OK, Yes or No in it
//
// Control arrays take their index in brackets: frmMain.MSG0(30). Names are
// matched without regard to case. Failures answer "error: " and a reason.
// Answers show carriage returns, line feeds and tabs of a text as \r, \n, \t
// so that every answer is one line.
//
// Reading is done at once. Actions that run the program's handlers (click,
// dblclick, select, set) are checked at once and then queued through the
// host, to run on the user-interface loop like any other input; the answer
// "ok" means the action was accepted. A click, double-click or selection on
// a control the user could not reach (hidden, disabled, or on a form that
// takes no input while another window is modal) is refused.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/text.h"
#include "ui/application.h"

namespace automation {

using core::Text;

struct MessageBoxInfo {
  Text title;
  Text text;
};

// What the interpreter needs from the running program.
class Host {
 public:
  virtual ~Host() = default;
  // Runs an action later on the user-interface loop, as input.
  virtual void post(std::function<void()> action) = 0;
  // Whether the windowing system lets the user reach the form now (an open
  // message box keeps the program's windows from input).
  virtual bool reachable(const ui::Form& form) const { return true; }
  virtual std::optional<MessageBoxInfo> openMessageBox() = 0;
  // Presses the button with this id (1 OK, 6 Yes, 7 No); false when there
  // is no box or no such button.
  virtual bool pressMessageBoxButton(int id) = 0;
};

// Whether `set` accepts a property for this control (the model's
// setProperty takes exactly these).
bool settable(const ui::Control& control, std::string_view property);

class Interpreter {
 public:
  Interpreter(ui::Application& app, Host& host) : app_(app), host_(host) {}
  Text handle(const Text& request);

 private:
  ui::Application& app_;
  Host& host_;
};

}  // namespace automation
