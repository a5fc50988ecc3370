// List boxes (plain, Unicode, drive and file lists) as LISTBOX windows and
// drop-down lists as COMBOBOX windows. The model holds the entries and the
// selection; the window mirrors them. Selecting by code sends no
// notification (LB_SETCURSEL), so the model's own click is the only one.
#include "ui/win32/backend.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {

struct ListMessages {
  UINT add, insert, remove, reset, setSel, getSel;
  WORD selChange, dblClick;
};
constexpr ListMessages kListBox{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                LB_SETCURSEL, LB_GETCURSEL,    LBN_SELCHANGE,   LBN_DBLCLK};
constexpr ListMessages kComboBox{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                 CB_SETCURSEL, CB_GETCURSEL,    CBN_SELCHANGE,   CBN_DBLCLK};

class ListPeer : public WindowPeer {
 public:
  ListPeer(Control& c, FormWindow& f)
      : WindowPeer(c, f), combo_(c.kind() == Kind::ComboBox || c.kind() == Kind::UniCombo) {}
  ~ListPeer() override {
    if (selectionPending_) backend().loop().dropAtNextPaint(&selectionPending_);
  }

 protected:
  ListBox& list() const { return static_cast<ListBox&>(control_); }
  const ListMessages& msgs() const { return combo_ ? kComboBox : kListBox; }

  Spec spec() const override {
    if (combo_) return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS};
    return {L"LISTBOX",
            WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
            WS_EX_CLIENTEDGE};
  }

  // A drop-down's window also holds its opened list.
  int extraHeight() const override {
    return combo_ ? static_cast<int>(160 * metrics().scale()) : 0;
  }

  void fill() override { refill(); }

  void apply(Prop prop, Change change) override {
    if (prop == Prop::Items) items(change);
    if (prop == Prop::Selection) showSelectionSoon();
  }

  void command(WORD code, WORD) override {
    if (code == msgs().selChange) {
      int i = static_cast<int>(SendMessageW(hwnd_, msgs().getSel, 0, 0));
      guard([&] { list().performSelect(i); });
      // A drive that is not ready, say, keeps the model's choice.
      if (hwnd_) showSelection();
    } else if (code == msgs().dblClick) {
      guard([&] { control_.performDblClick(); });
    }
  }

 private:
  void insert(int at, const Text& text) {
    SendMessageW(hwnd_, msgs().insert, static_cast<WPARAM>(at),
                 reinterpret_cast<LPARAM>(wide(text)));
  }

  void refill() {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, msgs().reset, 0, 0);
    for (const Text& item : list().items())
      SendMessageW(hwnd_, msgs().add, 0, reinterpret_cast<LPARAM>(wide(item)));
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  void items(Change change) {
    int i = change.index;
    switch (change.op) {
      case Change::Insert:
        insert(i, list().list(i));
        break;
      case Change::Remove:
        SendMessageW(hwnd_, msgs().remove, static_cast<WPARAM>(i), 0);
        break;
      case Change::Update:
        SendMessageW(hwnd_, msgs().remove, static_cast<WPARAM>(i), 0);
        insert(i, list().list(i));
        break;
      case Change::Reset:
        refill();
        break;
    }
    showSelectionSoon();
  }

  // The selection the program moves shows with the next round of painting
  // when painting waits: a clean run moves it every 10 ms, and each move
  // that scrolls the list costs Wine dozens of server round trips.
  void showSelectionSoon() {
    backend().loop().showSoon(selectionPending_, [this] {
      if (hwnd_) showSelection();
    });
  }

  void showSelection() {
    int want = list().listIndex();
    if (SendMessageW(hwnd_, msgs().getSel, 0, 0) != want)
      SendMessageW(hwnd_, msgs().setSel, static_cast<WPARAM>(want), 0);
  }

  bool combo_;
  bool selectionPending_ = false;
};

}  // namespace

std::unique_ptr<WindowPeer> makeListPeer(Control& c, FormWindow& f) {
  return std::make_unique<ListPeer>(c, f);
}

}  // namespace ui::win32
