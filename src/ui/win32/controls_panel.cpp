// Picture boxes and frames: windows of our own class whose client area is a
// surface like a form's. A picture box shows its back colour and picture, a
// frame the group-box look with its caption; both draw the labels and images
// placed in them and hold the windows of the other controls placed in them.
#include "ui/win32/backend.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {

constexpr wchar_t kPanelClass[] = L"Norvane.Panel";

void registerPanelClass() {
  static bool done = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kPanelClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)done;
}

// All of a panel, whatever its size when the damage reaches the system
// (a width set by code takes effect with the next round of painting).
constexpr RECT kWholePanel{0, 0, 32767, 32767};

class PanelPeer : public WindowPeer {
 public:
  PanelPeer(Control& c, FormWindow& f) : WindowPeer(c, f), surface_(f, &c) { registerPanelClass(); }
  Surface& surface() { return surface_; }

 protected:
  Spec spec() const override {
    bool edge = control_.kind() == Kind::PictureBox && control_.borderStyle() == 1;
    return {kPanelClass, WS_CLIPCHILDREN, edge ? WS_EX_CLIENTEDGE : 0u};
  }

  void fill() override { surface_.attach(hwnd_); }

  // Whatever changed is drawn again: colours, picture, caption, border.
  void apply(Prop prop, Change) override {
    if (prop == Prop::Border) {
      LONG_PTR ex =
          GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
      SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex | spec().exStyle);
      SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (prop == Prop::Picture && hwnd_) {
      // A refresh paints now, as the program expects of a picture box,
      // unless windows were painted a moment ago: then with the next round.
      if (!backend().loop().paintDue()) return surface_.invalidate(kWholePanel);
      InvalidateRect(hwnd_, nullptr, FALSE);
      UpdateWindow(hwnd_);
      return;
    }
    surface_.invalidate(kWholePanel);
  }

  // The surface routes the panel's own mouse input: no second report here.
  bool filter(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    return surface_.handle(msg, wp, lp, result);
  }

 private:
  Surface surface_;
};

}  // namespace

std::unique_ptr<WindowPeer> makePanelPeer(Control& c, FormWindow& f) {
  return std::make_unique<PanelPeer>(c, f);
}

Surface& panelSurface(ControlPeer& peer) { return static_cast<PanelPeer&>(peer).surface(); }

}  // namespace ui::win32
