// The password window: the access code that opens the list editor.
#pragma once

#include <functional>

#include "ui/application.h"
#include "ui/controls.h"

namespace editor {

using core::Text;

// The code that unlocks the editor, compared with the whole typed text.
inline constexpr char16_t kAccessCode[] = u"503";

class Form2 : public ui::Form {
 public:
  static constexpr const char* kName = "Form2";
  // `accepted` runs when OK is pressed with the access code typed; the window
  // then closes.
  Form2(ui::Application& app, std::function<void()> accepted);

  ui::Label& Label1;
  ui::TextBox& Text1;
  ui::Button& Command1;  // OK
  ui::Button& Command2;  // Cancel

 protected:
  void onLoad() override;

 private:
  void ok();
  std::function<void()> accepted_;
};

}  // namespace editor
