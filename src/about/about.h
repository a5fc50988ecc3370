// The About window: the program's texts about itself, its version, the
// maker's address and a banner.
#pragma once

#include "shell/frm_main.h"

namespace about {

using core::Text;

// The maker's web address as the About window shows it (short enough for
// its label); a click opens it in the browser.
inline constexpr char16_t kWebAddress[] = u"norvane.example";

class Form5 : public ui::Form {
 public:
  static constexpr const char* kName = "Form5";
  explicit Form5(ui::Application& app);

  ui::PictureBox& Picture2;
  ui::Label& UniLabel1;
  ui::PictureBox& Picture3;
  ui::Label& Label1;
  ui::Label& Label18;
  ui::Label& UniLabel3;
  ui::Label& UniLabel4;
  ui::PictureBox& Picture1;
  ui::Image& Image6;
  ui::Label& UniLabel2;

 protected:
  void onLoad() override;
};

class About {
 public:
  explicit About(shell::FrmMain& frm);

 private:
  shell::FrmMain& frm_;
};

}  // namespace about
