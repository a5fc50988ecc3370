#include "shell/splash.h"

namespace shell {

namespace {
constexpr int kFadeInterval = 50;
constexpr int kFadeStep = 17;
// The title of every tile: the opening invocation.
constexpr char16_t kTileTitle[] = u"بسم الله الرحمن الرحيم";
}  // namespace

SplashTile::SplashTile(ui::Application& app, const char* name, int column, int row)
    : Form(app, name),
      Image1(add<ui::Image>("Image1")),
      FadeTimer(add<ui::Timer>(column == 0 && row == 0 ? "Timer2" : "Timer1", 0)) {
  setBorderStyle(0);
  setCaption(kTileTitle);
  move(0, 0, kWidth, kHeight);
  // The whole picture, shifted so that this tile shows its own cell. The
  // second row is shifted 785 twips: at 15 twips a pixel both 780 and 785
  // round to 52 pixels, so the rows join without a seam.
  Image1.move(-kWidth * column, row == 0 ? 0 : -785, 5220, 1575);
  Image1.setPicture("splash.banner");
  FadeTimer.tick += [this] { fadeStep(); };
}

void SplashTile::onLoad() {
  FadeAlpha = 0;
  applyAlpha();
  FadeTimer.setInterval(kFadeInterval);
}

void SplashTile::applyAlpha() { app().backend().setAlpha(*this, FadeAlpha); }

void SplashTile::fadeStep() {
  applyAlpha();
  if (FadeAlpha == 255)
    FadeTimer.setInterval(0);
  else
    FadeAlpha += kFadeStep;
}

F1::F1(ui::Application& app, std::function<void()> showMain)
    : SplashTile(app, kName, 0, 0),
      Timer1(add<ui::Timer>("Timer1", 10)),
      showMain_(std::move(showMain)) {
  // A step may come while step 17 is still loading the main window; it then
  // closes F1 early, so the step timer must be allowed to run again.
  Timer1.setReentrant(true);
  Timer1.tick += [this] { step(); };
}

void F1::onLoad() {
  auto& backend = app().backend();
  setTop((backend.screenHeight() - 2 * height()) / 2);
  setLeft((backend.screenWidth() - 4 * width()) / 2);
  SplashTile::onLoad();
}

template <int N>
void F1::place(double left, double top) {
  auto& tile = app().form<Tile<N>>();
  tile.move(left, top, tile.width(), tile.height());
  tile.show();
}

void F1::step() {
  ++SplashStep;
  const double w = width(), h = height();
  switch (SplashStep) {
    case 1:
      return place<2>(left() + w, top());
    case 2:
      return place<3>(left() + 2 * w, top());
    case 3:
      return place<4>(left() + 3 * w, top());
    case 4:
      return place<5>(left(), top() + h);
    case 5:
      return place<6>(left() + w, top() + h);
    case 6:
      return place<7>(left() + 2 * w, top() + h);
    case 7:
      return place<8>(left() + 3 * w, top() + h);
    case 17:
      showMain_();
      closeAll();
      Timer1.setInterval(0);
      return;
    default:
      if (SplashStep > 17) unload();
  }
}

void F1::closeAll() {
  unload();
  auto close = [this](auto* tile) {
    if (tile) tile->unload();
  };
  close(app().loaded<Tile<2>>());
  close(app().loaded<Tile<3>>());
  close(app().loaded<Tile<4>>());
  close(app().loaded<Tile<5>>());
  close(app().loaded<Tile<6>>());
  close(app().loaded<Tile<7>>());
  close(app().loaded<Tile<8>>());
}

}  // namespace shell
