// The results window: the suspicious files found since it was last closed,
// counts by kind, removing entries, deleting every listed file.
#pragma once

#include "ui/application.h"
#include "ui/controls.h"

namespace scan {

using core::Text;

class Form4 : public ui::Form {
 public:
  static constexpr const char* kName = "Form4";
  explicit Form4(ui::Application& app);

  // The file a row names: its folder and its name.
  Text rowFile(int row) const;

  ui::Toolbar& Toolbar1;
  ui::Button& Label8;  // sort buttons over the four columns
  ui::Button& Label9;
  ui::Button& Label10;
  ui::Button& Label11;
  ui::ImageList& ImageList1;
  ui::ListView& ListView1;
  ui::Label& Label2;  // titles of the counts
  ui::Label& Label100;
  ui::Label& Label5;
  ui::Label& Label3;
  ui::Label& Label16;
  ui::Label& Label4;
  ui::Label& Label6;
  ui::Label& Label7;  // total findings
  ui::PictureBox& Picture4;
  ui::Label& Label1;  // deletion progress
  ui::Button& Command1;
  ui::Button& Command2;

  // Row icons.
  static constexpr int kIconDeleted = 9;

 protected:
  void onLoad() override;

 private:
  void close();
  void deleteAllAndClose();
  void toolbarButton(const std::string& key);
  void removeSelected();
  void deleteAll();
  void deleteRow(int row);
};

}  // namespace scan
