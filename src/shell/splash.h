// The splash: one banner picture cut into a 4 x 2 grid of borderless tiles
// (F1 to F8) that fade in one after another while the main window loads.
#pragma once

#include <functional>

#include "ui/application.h"
#include "ui/controls.h"

namespace shell {

// One tile of the banner. Column and row count from the top left.
class SplashTile : public ui::Form {
 public:
  static constexpr double kWidth = 1305, kHeight = 780;
  SplashTile(ui::Application& app, const char* name, int column, int row);

  ui::Image& Image1;
  ui::Timer& FadeTimer;  // Timer2 on F1, Timer1 on the others
  int FadeAlpha = 0;

 protected:
  void onLoad() override;

 private:
  void fadeStep();
  void applyAlpha();
};

template <int N>
class Tile : public SplashTile {
 public:
  static constexpr const char* kNames[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8"};
  static constexpr const char* kName = kNames[N - 1];
  explicit Tile(ui::Application& app) : SplashTile(app, kName, (N - 1) % 4, (N - 1) / 4) {}
};

// F1, the program's first window: it centres the grid and its step timer
// shows the other tiles, then the main window, then closes the splash.
class F1 : public SplashTile {
 public:
  static constexpr const char* kName = "F1";
  F1(ui::Application& app, std::function<void()> showMain);

  ui::Timer& Timer1;  // the step timer, every 10 ms
  int SplashStep = 0;

 protected:
  void onLoad() override;

 private:
  void step();
  template <int N>
  void place(double left, double top);
  void closeAll();

  std::function<void()> showMain_;
};

}  // namespace shell
