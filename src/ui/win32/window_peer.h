// The peers of the controls: one system window per windowed control, and a
// region of the container's surface for labels and images.
#pragma once

#include <memory>

#include "ui/controls.h"
#include "ui/win32/form_window.h"
#include "ui/win32/paint.h"

namespace ui::win32 {

class Backend;

// Base of the peers that own a child window.
class WindowPeer : public ControlPeer {
 public:
  WindowPeer(Control& control, FormWindow& form);
  ~WindowPeer() override;

  // Makes the window; called once the peer is attached.
  void create();
  HWND hwnd() const { return hwnd_; }
  Control& control() const { return control_; }
  void changed(Prop prop, Change change) override;

  // Notifications the parent window passes on (WM_COMMAND, WM_NOTIFY,
  // WM_CTLCOLOR*).
  virtual void command(WORD code, WORD id) {}
  virtual bool notify(NMHDR& header, LRESULT& result) { return false; }
  virtual HBRUSH colours(HDC dc);

  // The peer of a window made by this backend, or null.
  static WindowPeer* from(HWND hwnd);

 protected:
  struct Spec {
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle = 0;
  };
  virtual Spec spec() const = 0;
  // Fills a new window from the model (items, values, options).
  virtual void fill() {}
  // A change beyond place, visibility, state, font and colours. The default
  // shows the text.
  virtual void apply(Prop prop, Change change);
  // Sees each message before the window's own procedure; true when handled.
  virtual bool filter(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // Extra height of the window beyond the control's (a drop-down's list).
  virtual int extraHeight() const { return 0; }
  // True for a class that reads the reading order only when its window is
  // made (an edit aligns its text then): a change makes a new window.
  virtual bool readingFixedAtCreation() const { return false; }

  // Sets the window's text without reporting it back as the user's edit.
  void showText(const Text& text);
  void place();
  // place() now, or with the next round of painting when painting waits.
  void placeSoon();
  void placeNow();
  bool rightToLeft() const;
  Backend& backend() const;
  const Metrics& metrics() const;

  Control& control_;
  FormWindow& form_;
  HWND hwnd_ = nullptr;
  bool quiet_ = false;  // code is changing the window: swallow its notices
  bool placePending_ = false;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // The window's own procedure, behind the peer's.
  LRESULT defaultProc(UINT msg, WPARAM wp, LPARAM lp);
  void applyReading();
  void recreate();
  void detach();
  void reportMouse(UINT msg, WPARAM wp, LPARAM lp);
  int typed(int key);
  Brush brush_;
};

// The peer a control of this kind gets: a window, a region of the
// container's surface, or null for what is never drawn (timers).
std::unique_ptr<ControlPeer> makePeer(Control& control, FormWindow& form);

// Makers of the windowed peers, one per file.
std::unique_ptr<WindowPeer> makeButtonPeer(Control& c, FormWindow& f);
std::unique_ptr<WindowPeer> makeEditPeer(Control& c, FormWindow& f);
std::unique_ptr<WindowPeer> makeListPeer(Control& c, FormWindow& f);
std::unique_ptr<WindowPeer> makeListViewPeer(Control& c, FormWindow& f);
std::unique_ptr<WindowPeer> makeTreePeer(Control& c, FormWindow& f);
std::unique_ptr<WindowPeer> makeToolbarPeer(Control& c, FormWindow& f);
std::unique_ptr<WindowPeer> makeAnimationPeer(Control& c, FormWindow& f);
std::unique_ptr<WindowPeer> makePanelPeer(Control& c, FormWindow& f);
// A picture box's or frame's surface, for the controls inside it.
Surface& panelSurface(ControlPeer& panelPeer);

// The image list control of a form that a list or tree shows, by name; or
// the first one holding `key` when no name is given.
const ImageList* findImageList(const Form& form, const std::string& name,
                               const std::string& key = {});

}  // namespace ui::win32
