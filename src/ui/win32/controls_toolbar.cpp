// The toolbar (ToolbarWindow32 with text buttons, each with its key) and the
// animation (SysAnimate32 playing the clip file the model opened).
#include "ui/win32/backend.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {

constexpr int kFirstButtonId = 1000;

class ToolbarPeer : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;
  ~ToolbarPeer() override {
    if (hwnd_) SendMessageW(hwnd_, TB_SETIMAGELIST, 0, 0);
    if (images_) ImageList_Destroy(images_);
  }

 protected:
  Toolbar& bar() const { return static_cast<Toolbar&>(control_); }

  Spec spec() const override {
    return {TOOLBARCLASSNAMEW,
            TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER};
  }

  void fill() override {
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    refill();
  }

  void apply(Prop prop, Change) override {
    if (prop == Prop::Items) refill();
  }

  // A flat toolbar lets its parent paint its background; its own back
  // colour is painted here instead.
  bool filter(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (msg == WM_ERASEBKGND) {
      RECT r;
      GetClientRect(hwnd_, &r);
      win32::fill(reinterpret_cast<HDC>(wp), r, control_.backColour());
      result = 1;
      return true;
    }
    return WindowPeer::filter(msg, wp, lp, result);
  }

  void command(WORD, WORD id) override {
    size_t i = static_cast<size_t>(id - kFirstButtonId);
    if (id < kFirstButtonId || i >= bar().buttons().size()) return;
    std::string key = bar().buttons()[i].key;
    guard([&] { bar().performButton(key); });
  }

 private:
  void refill() {
    while (SendMessageW(hwnd_, TB_BUTTONCOUNT, 0, 0) > 0)
      SendMessageW(hwnd_, TB_DELETEBUTTON, 0, 0);
    const auto& buttons = bar().buttons();
    bool pictures = false;
    std::vector<std::string> names;
    for (auto& b : buttons) {
      names.push_back(b.picture);
      pictures = pictures || backend().pictures().exists(b.picture);
    }
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, 0);
    if (images_) ImageList_Destroy(images_);
    images_ = pictures
                  ? backend().pictures().imageList(names, static_cast<int>(16 * metrics().scale()))
                  : nullptr;
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    std::vector<TBBUTTON> add(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
      add[i].iBitmap = images_ ? static_cast<int>(i) : I_IMAGENONE;
      add[i].idCommand = kFirstButtonId + static_cast<int>(i);
      add[i].fsState = TBSTATE_ENABLED;
      add[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
      add[i].iString = reinterpret_cast<INT_PTR>(wide(buttons[i].caption));
    }
    SendMessageW(hwnd_, TB_ADDBUTTONSW, add.size(), reinterpret_cast<LPARAM>(add.data()));
  }

  HIMAGELIST images_ = nullptr;
};

class AnimationPeer : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;

 protected:
  Animation& clip() const { return static_cast<Animation&>(control_); }

  Spec spec() const override {
    return {ANIMATE_CLASSW, ACS_TRANSPARENT | ACS_CENTER | (clip().autoPlay() ? ACS_AUTOPLAY : 0u)};
  }

  void fill() override { open(); }

  void apply(Prop prop, Change) override {
    if (prop == Prop::Picture) open();
  }

  // A transparent clip shows its container through: the control fills
  // around and under the picture with the brush its parent gives for
  // WM_CTLCOLORSTATIC, and the container's surface asks this peer.
  HBRUSH colours(HDC dc) override {
    const Control* container = control_.container();
    Colour back = container ? container->backColour() : control_.form().backColour();
    SetBkColor(dc, rgb(back));
    return background_.get(back);
  }

 private:
  Brush background_;

  void open() {
    const Text& path = clip().clip();
    SendMessageW(hwnd_, ACM_OPENW, 0, path.empty() ? 0 : reinterpret_cast<LPARAM>(wide(path)));
    if (!path.empty() && clip().autoPlay())
      SendMessageW(hwnd_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, -1));
  }
};

}  // namespace

std::unique_ptr<WindowPeer> makeToolbarPeer(Control& c, FormWindow& f) {
  return std::make_unique<ToolbarPeer>(c, f);
}

std::unique_ptr<WindowPeer> makeAnimationPeer(Control& c, FormWindow& f) {
  return std::make_unique<AnimationPeer>(c, f);
}

}  // namespace ui::win32
