#include "editor/form2.h"

namespace editor {

using namespace ui;

Form2::Form2(Application& app, std::function<void()> accepted)
    : Form(app, kName),
      Label1(add<Label>("Label1")),
      Text1(add<TextBox>("Text1")),
      Command1(add<Button>("Command1")),
      Command2(add<Button>("Command2")),
      accepted_(std::move(accepted)) {
  setBorderStyle(3);
  setCaption(u"Password");
  move(0, 0, 2865, 1455);
  Label1.move(120, 360, 1215, 375);
  Label1.setText(u"Password");
  Text1.move(1200, 240, 1455, 375);
  Text1.setPasswordChar(u'*');
  Text1.setText(u"000000");
  Command1.move(1680, 960, 1095, 315);
  Command1.setText(u"OK");
  Command2.move(120, 960, 1095, 315);
  Command2.setText(u"Cancel");

  // Enter in the code field is OK; every other key reaches the field.
  Text1.keyPress += [this](int& key) {
    if (key != 13) return;
    key = 0;
    Command1.performClick();
  };
  Command1.click += [this] { ok(); };
  Command2.click += [this] { unload(); };
}

// The initial text is selected, so that the first key typed replaces it.
void Form2::onLoad() {
  Text1.select(0, static_cast<int>(Text1.text().size()));
  Text1.setFocus();
}

// A wrong code is refused in silence: the window stays with what was typed.
void Form2::ok() {
  if (Text1.text() != kAccessCode) return;
  if (accepted_) accepted_();
  unload();
}

}  // namespace editor
