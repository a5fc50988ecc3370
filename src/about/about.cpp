#include "about/about.h"

#include "core/error.h"
#include "shell/skin.h"

namespace about {

using core::attempt;
using namespace ui;

namespace {
// The URL handler opens a browser only for an address with its scheme.
Text webUrl(const Text& address) {
  return address.find(u"://") == Text::npos ? u"https://" + address : address;
}
}  // namespace

Form5::Form5(Application& app)
    : Form(app, kName),
      Picture2(add<PictureBox>("Picture2")),
      UniLabel1(add<Label>("UniLabel1", -1, true)),
      Picture3(add<PictureBox>("Picture3")),
      Label1(add<Label>("Label1")),
      Label18(add<Label>("Label18")),
      UniLabel3(add<Label>("UniLabel3", -1, true)),
      UniLabel4(add<Label>("UniLabel4", -1, true)),
      Picture1(add<PictureBox>("Picture1")),
      Image6(add<Image>("Image6")),
      UniLabel2(add<Label>("UniLabel2", -1, true)) {
  setBorderStyle(3);
  setCaption(u"About");
  move(0, 0, 4740, 2940);
  Picture2.move(120, 120, 4515, 2295);
  Picture2.setBackColour(0x808080);
  UniLabel1.setContainer(&Picture2);
  UniLabel1.move(120, 60, 4215, 1140);
  UniLabel1.setTransparent(true);
  Picture3.setContainer(&Picture2);
  Picture3.move(150, 915, 2535, 255);
  Picture3.setBackColour(0x808080);
  Label1.setContainer(&Picture3);
  Label1.move(0, 0, 1215, 255);
  Label1.setText(kWebAddress);
  Label1.setForeColour(0xFF0000);
  Label1.setTransparent(true);
  Label18.setContainer(&Picture3);
  Label18.move(1320, 0, 1215, 255);
  Label18.setText(u"Version 8.0");
  Label18.setTransparent(true);
  UniLabel3.setContainer(&Picture2);
  UniLabel3.move(120, 1260, 4215, 300);
  UniLabel3.setTransparent(true);
  UniLabel4.setContainer(&Picture2);
  UniLabel4.move(120, 1560, 4215, 600);
  UniLabel4.setText(u"The Norvane team\r\nفريق نورفان");
  UniLabel4.setTransparent(true);
  Picture1.move(120, 2400, 4500, 375);
  Image6.setContainer(&Picture1);
  Image6.move(0, 0, 4470, 360);
  Image6.setStretch(true);
  Image6.setPicture("about.banner");
  UniLabel2.setContainer(&Picture1);
  UniLabel2.move(15, 30, 4440, 300);
  UniLabel2.setText(u"Support: +1 555 0100  ·  +44 20 7946 0100");
  UniLabel2.setTransparent(true);

  UniLabel1.click += [this] { unload(); };
  Label1.click += [this] {
    attempt([&] {
      this->app().platform().processes.start(
          u"RUNDLL32.EXE URL.DLL,FileProtocolHandler " + webUrl(Label1.text()),
          platform::show::Normal);
    });
  };
}

void Form5::onLoad() {
  auto* frm = app().loaded<shell::FrmMain>();
  if (frm) {
    attempt([&] { UniLabel3.setText(frm->message(28)); });
    attempt([&] { UniLabel1.setText(frm->message(24)); });
    attempt([&] { Label18.setText(frm->message(25)); });
    attempt([&] { setCaption(frm->Command6.text() + u"        Quillon for Computer"); });
  }
  shell::skin::apply(*this);
  if (frm) centreOver(*frm);  // with its frame, so the whole window is centred
}

About::About(shell::FrmMain& frm) : frm_(frm) {
  frm.Command6.click += [this] { frm_.app().form<Form5>().showModal(); };
}

}  // namespace about
