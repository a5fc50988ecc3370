// The two-list window: rows of two linked lists (a former name on the left,
// a path to open on the right), each opened in the file browser by a
// double-click.
#pragma once

#include "ui/application.h"
#include "ui/controls.h"

namespace editor {

class Form3 : public ui::Form {
 public:
  static constexpr const char* kName = "Form3";
  explicit Form3(ui::Application& app);

  ui::Label& UniLabel1;
  ui::ListBox& List1;
  ui::ListBox& List2;

 protected:
  void onLoad() override;

 private:
  void open(int row);
};

}  // namespace editor
