#include "shell/skin.h"

#include "ui/controls.h"

namespace shell::skin {

void apply(ui::Form& form) {
  if (form.find("SkinTitle")) return;
  // Content moves inside the frame, below the strip.
  for (auto& c : form.controls())
    if (!c->container() && c->kind() != ui::Kind::Timer && c->kind() != ui::Kind::ImageList)
      c->move(c->left() + kBorder, c->top() + kStrip, c->width(), c->height());
  form.setBorderStyle(0);
  form.setBackColour(kFrame);
  form.setWidth(form.width() + 2 * kBorder);
  form.setHeight(form.height() + kStrip + kBorder);

  auto& title = form.add<ui::Label>("SkinTitle", -1, true);
  title.move(kBorder + 60, 45, form.width() - 2 * kBorder - 420, kStrip - 60);
  title.setText(form.caption());
  title.setTransparent(true);
  title.setForeColour(kTitleText);
  ui::Font bold;
  bold.face = u"Tahoma";
  bold.bold = true;
  title.setFont(bold);
  title.mouseDown += [&form](const ui::MouseEvent&) { form.app().backend().dragWindow(form); };

  auto& close = form.add<ui::Label>("SkinClose");
  close.move(form.width() - kBorder - 330, 30, 300, kStrip - 60);
  close.setText(u"X");
  close.setAlignment(2);
  close.setTransparent(true);
  close.setForeColour(kTitleText);
  close.setFont(bold);
  close.click += [&form] { form.performClose(); };
}

}  // namespace shell::skin
