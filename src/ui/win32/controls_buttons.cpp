// Push buttons, check boxes and option buttons: BUTTON windows that do not
// change themselves. A press is reported to the model, and the model's value
// comes back as the shown state.
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {

class ButtonPeer : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;

 protected:
  Spec spec() const override {
    switch (control_.kind()) {
      case Kind::CheckBox:
      case Kind::UniCheck:
        return {L"BUTTON", WS_TABSTOP | BS_CHECKBOX | BS_MULTILINE};
      case Kind::OptionButton:
        return {L"BUTTON", WS_TABSTOP | BS_RADIOBUTTON | BS_MULTILINE};
      default:
        return {L"BUTTON", WS_TABSTOP | BS_MULTILINE | pushStyle()};
    }
  }

  void fill() override { showValue(); }

  void apply(Prop prop, Change change) override {
    if (prop == Prop::Value) showValue();
    if (prop == Prop::Options && isPush())
      SendMessageW(hwnd_, BM_SETSTYLE, pushStyle() | BS_MULTILINE, TRUE);
    WindowPeer::apply(prop, change);
  }

  void command(WORD code, WORD) override {
    if (code == BN_CLICKED) guard([&] { control_.performClick(); });
    // The model may have refused the change: show what it holds.
    if (hwnd_) showValue();
  }

 private:
  bool isPush() const {
    return control_.kind() == Kind::Button || control_.kind() == Kind::UniButton;
  }
  DWORD pushStyle() const {
    return static_cast<const Button&>(control_).isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  }
  void showValue() {
    int state = 0;
    if (control_.kind() == Kind::OptionButton)
      state = static_cast<const OptionButton&>(control_).value() ? BST_CHECKED : BST_UNCHECKED;
    else if (!isPush())
      state = static_cast<const CheckBox&>(control_).value() == 1   ? BST_CHECKED
              : static_cast<const CheckBox&>(control_).value() == 2 ? BST_INDETERMINATE
                                                                    : BST_UNCHECKED;
    else
      return;
    SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(state), 0);
  }
};

}  // namespace

std::unique_ptr<WindowPeer> makeButtonPeer(Control& c, FormWindow& f) {
  return std::make_unique<ButtonPeer>(c, f);
}

}  // namespace ui::win32
