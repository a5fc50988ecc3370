#include "shell/chrome.h"

namespace shell {

using ui::Label;
using ui::MouseEvent;

Chrome::Chrome(FrmMain& frm) : frm_(frm) {
  frm.LayoutRule = [this] { LayoutRule(); };
  frm.resize += [this] { LayoutRule(); };
  frm.Timer4.tick += [this] { blink(); };
  bindDragging();
  bindCaptionButtons();
  // The cover hides the language box until the mouse reaches it.
  frm.Label15.mouseMove += [this](const MouseEvent&) { frm_.Picture11.setVisible(false); };
  frm.Image5.mouseMove += [this](const MouseEvent&) {
    frm_.Picture11.setVisible(true);
    hover(nullptr);
  };
}

// The borderless window moves with the title strip and the title text. A
// drag starts only while the left button is held: starting the system's move
// loop on a mere hover would make the window follow the mouse.
void Chrome::bindDragging() {
  auto dragOnMove = [this](const MouseEvent& e) {
    if (e.button & ui::mouse::Left) drag(e);
  };
  frm_.Label17.mouseDown += [this](const MouseEvent& e) { drag(e); };
  frm_.Label17.mouseMove += dragOnMove;
  frm_.Label1.mouseDown += [this](const MouseEvent& e) { drag(e); };
  frm_.Label1.mouseMove += [this, dragOnMove](const MouseEvent& e) {
    dragOnMove(e);
    frm_.Picture11.setVisible(true);
  };
}

void Chrome::drag(const MouseEvent&) { frm_.app().backend().dragWindow(frm_); }

void Chrome::bindCaptionButtons() {
  for (Label* button : {&frm_.Label18, &frm_.Label20, &frm_.Label21})
    button->mouseMove += [this, button](const MouseEvent&) { hover(button); };
  // "X" and "_" look pressed while the button is down; "2" keeps its border.
  for (Label* button : {&frm_.Label18, &frm_.Label20}) {
    button->mouseDown += [button](const MouseEvent&) { button->setBorderStyle(1); };
    button->mouseUp += [button](const MouseEvent&) { button->setBorderStyle(0); };
  }
  frm_.Label20.click += [this] { frm_.setState(ui::WindowState::Minimised); };
  frm_.Label21.click += [this] {
    hover(nullptr);
    LayoutRule();
  };
}

void Chrome::hover(Label* hovered) {
  for (Label* button : {&frm_.Label18, &frm_.Label20, &frm_.Label21})
    button->setBackColour(button == hovered ? chrome::Hover : chrome::Normal);
}

void Chrome::stretchBackground() { frm_.Image5.move(0, 0, frm_.width(), frm_.height()); }

void Chrome::LayoutRule() {
  if (frm_.state() == ui::WindowState::Maximised) frm_.setState(ui::WindowState::Normal);
  if (frm_.state() == ui::WindowState::Minimised) return;
  if (frm_.height() < FrmMain::kDesignHeight) frm_.setHeight(FrmMain::kDesignHeight);
  if (frm_.width() < FrmMain::kDesignWidth) frm_.setWidth(FrmMain::kDesignWidth);
  frm_.Label18.setLeft(frm_.width() - frm_.Label18.width() - 135);
  frm_.Label21.setLeft(frm_.Label18.left() - frm_.Label21.width() - 30);
  frm_.Label20.setLeft(frm_.Label21.left() - frm_.Label20.width() - 30);
  stretchBackground();
  // Repaint the title.
  core::Text title = frm_.Label1.text();
  frm_.Label1.setText(u"");
  frm_.Label1.setText(title);
}

// While anything suspicious has been found, its caption alternates between
// red on black and black on dark red.
void Chrome::blink() {
  double found = core::leadingNumber(frm_.Label11.text());
  if (found > 0 && frm_.Label12.backColour() == ui::colour::Black) {
    frm_.Label12.setBackColour(chrome::BlinkBack);
    frm_.Label12.setForeColour(ui::colour::Black);
  } else {
    frm_.Label12.setBackColour(ui::colour::Black);
    frm_.Label12.setForeColour(chrome::Red);
  }
}

}  // namespace shell
