// Text boxes and Unicode text fields: EDIT windows. The user's typing
// reaches the model as an edit; text set by code is shown quietly, so that
// the change handler runs once, from the model, and not again from EN_CHANGE.
#include "ui/win32/backend.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {

class EditPeer : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;
  ~EditPeer() override {
    if (textPending_) backend().loop().dropAtNextPaint(&textPending_);
  }

 protected:
  TextBox& box() const { return static_cast<TextBox&>(control_); }

  // A one-line box scrolls sideways as the text grows. A multi-line box
  // wraps its lines to its width unless it has a horizontal scroll bar, and
  // shows the scroll bars the model asks for, none by default.
  Spec spec() const override {
    DWORD style = WS_TABSTOP;
    if (!box().multiLine()) {
      style |= ES_AUTOHSCROLL;
    } else {
      style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
      if (box().scrollBars() & 1) style |= ES_AUTOHSCROLL | WS_HSCROLL;
      if (box().scrollBars() & 2) style |= WS_VSCROLL;
    }
    return {L"EDIT", style, control_.borderStyle() == 1 ? WS_EX_CLIENTEDGE : 0u};
  }

  bool readingFixedAtCreation() const override { return true; }

  void fill() override {
    showOptions();
    showSelection();
  }

  void apply(Prop prop, Change change) override {
    // A hidden box only holds text for the program (the examination writes
    // one three times per item): its window takes the text and selection
    // when it is shown, as each change costs an edit a round of measuring.
    if (prop == Prop::Visible && control_.visible()) {
      showModelText();
      showSelection();
    }
    if (!control_.visible() && (prop == Prop::Text || prop == Prop::Selection)) return;
    if (prop == Prop::Options) showOptions();
    if (prop == Prop::Selection) showSelection();
    if (prop == Prop::Text) showTextSoon();
    if (prop == Prop::Border) {
      LONG_PTR ex =
          GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
      SetWindowLongPtrW(hwnd_, GWL_EXSTYLE,
                        ex | (control_.borderStyle() == 1 ? WS_EX_CLIENTEDGE : 0));
      SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
  }

  void command(WORD code, WORD) override {
    if (code != EN_CHANGE || quiet_) return;
    Text typed = windowText(hwnd_);
    guard([&] { box().performEdit(typed); });
    // A locked box, or a model that keeps a different text, wins.
    if (hwnd_ && windowText(hwnd_) != control_.text()) showModelText();
  }

 private:
  // Text set by code shows with the next round of painting when painting
  // waits: a clean run writes the path field twice per item, and each
  // write costs Wine a measuring and redrawing round of the edit.
  void showTextSoon() {
    backend().loop().showSoon(textPending_, [this] {
      if (hwnd_ && control_.visible()) showModelText();
    });
  }

  void showModelText() {
    if (textPending_) backend().loop().dropAtNextPaint(&textPending_);
    textPending_ = false;
    bool same = windowText(hwnd_) == control_.text();
    showText(control_.text());
    // The model kept less than was typed (a plain box drops what the code
    // page lacks): the caret goes to the end of what is left.
    if (!same) SendMessageW(hwnd_, EM_SETSEL, control_.text().size(), control_.text().size());
  }

  void showOptions() {
    SendMessageW(hwnd_, EM_SETPASSWORDCHAR, box().passwordChar(), 0);
    SendMessageW(hwnd_, EM_SETREADONLY, box().locked(), 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void showSelection() {
    SendMessageW(hwnd_, EM_SETSEL, box().selStart(), box().selStart() + box().selLength());
  }

  bool textPending_ = false;
};

}  // namespace

std::unique_ptr<WindowPeer> makeEditPeer(Control& c, FormWindow& f) {
  return std::make_unique<EditPeer>(c, f);
}

}  // namespace ui::win32
