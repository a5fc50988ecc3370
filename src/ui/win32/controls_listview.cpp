// The report list: a SysListView32 in report view with full-row selection,
// small icons from an image list control of the same form, and hidden
// headers when the model says so. The model keeps the rows in their order
// (sorted or not); the window shows them in that order. Selection by code
// raises nothing; a click with the mouse is the list's click.
#include "ui/win32/backend.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {

class ListViewPeer : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;
  ~ListViewPeer() override {
    if (hwnd_) ListView_SetImageList(hwnd_, nullptr, LVSIL_SMALL);
    if (images_) ImageList_Destroy(images_);
  }

 protected:
  ListView& view() const { return static_cast<ListView&>(control_); }

  Spec spec() const override {
    DWORD style = WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
    if (view().headersHidden()) style |= LVS_NOCOLUMNHEADER;
    return {WC_LISTVIEWW, style, control_.borderStyle() == 1 ? WS_EX_CLIENTEDGE : 0u};
  }

  void fill() override {
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT);
    showColours();
    showImages();
    showColumns();
    refill();
  }

  void apply(Prop prop, Change change) override {
    switch (prop) {
      case Prop::Items:
        items(change);
        break;
      case Prop::Selection:
        showSelection();
        break;
      case Prop::Colours:
        showColours();
        break;
      case Prop::Picture:
        showImages();
        break;
      case Prop::Options:
        showOptions();
        break;
      default:
        break;
    }
  }

  bool notify(NMHDR& n, LRESULT& result) override {
    switch (n.code) {
      case NM_CLICK: {
        int row = reinterpret_cast<NMITEMACTIVATE&>(n).iItem;
        guard([&] { view().performSelect(row); });
        return false;
      }
      case NM_DBLCLK:
        guard([&] { control_.performDblClick(); });
        return false;
      case LVN_ITEMCHANGED: {
        // The keyboard or the mouse moved the selection: the model follows
        // quietly; the click, if any, comes with NM_CLICK.
        auto& change = reinterpret_cast<NMLISTVIEW&>(n);
        if (quiet_ || !(change.uChanged & LVIF_STATE)) return false;
        bool now = change.uNewState & LVIS_SELECTED, before = change.uOldState & LVIS_SELECTED;
        if (now && !before && change.iItem != view().selected())
          guard([&] { view().setSelected(change.iItem); });
        return false;
      }
    }
    (void)result;
    return false;
  }

 private:
  void showColours() {
    COLORREF back = rgb(control_.backColour());
    ListView_SetBkColor(hwnd_, back);
    ListView_SetTextBkColor(hwnd_, back);
    ListView_SetTextColor(hwnd_, rgb(control_.foreColour()));
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  void showOptions() {
    LONG_PTR style =
        GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_NOCOLUMNHEADER);
    if (view().headersHidden()) style |= LVS_NOCOLUMNHEADER;
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    showImages();
    showColumns();
    refill();
  }

  void showImages() {
    const ImageList* list =
        view().smallIcons().empty() ? nullptr : findImageList(control_.form(), view().smallIcons());
    HIMAGELIST made = nullptr;
    if (list) {
      std::vector<std::string> names;
      for (auto& e : list->images()) names.push_back(e.picture);
      made = backend().pictures().imageList(names, static_cast<int>(16 * metrics().scale()));
    }
    ListView_SetImageList(hwnd_, made, LVSIL_SMALL);
    if (images_) ImageList_Destroy(images_);
    images_ = made;
  }

  void showColumns() {
    HWND header = ListView_GetHeader(hwnd_);
    int count = header ? Header_GetItemCount(header) : 0;
    for (int i = count - 1; i >= 0; --i) ListView_DeleteColumn(hwnd_, i);
    const auto& columns = view().columns();
    for (size_t i = 0; i < columns.size(); ++i) {
      LVCOLUMNW col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      col.pszText = const_cast<wchar_t*>(wide(columns[i].header));
      col.cx = metrics().px(columns[i].width);
      col.iSubItem = static_cast<int>(i);
      ListView_InsertColumn(hwnd_, static_cast<int>(i), &col);
    }
  }

  void setRow(int i, bool insert) {
    const auto& row = view().row(i);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.iImage = row.icon > 0 ? row.icon - 1 : I_IMAGENONE;
    Text first = row.cells.empty() ? Text() : row.cells[0];
    item.pszText = const_cast<wchar_t*>(wide(first));
    if (insert)
      ListView_InsertItem(hwnd_, &item);
    else
      ListView_SetItem(hwnd_, &item);
    for (size_t c = 1; c < row.cells.size() && c < view().columns().size(); ++c)
      ListView_SetItemText(hwnd_, i, static_cast<int>(c), const_cast<wchar_t*>(wide(row.cells[c])));
  }

  void refill() {
    quiet_ = true;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(hwnd_);
    for (int i = 0; i < view().rowCount(); ++i) setRow(i, true);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    quiet_ = false;
    showSelection();
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  void items(Change change) {
    quiet_ = true;
    switch (change.op) {
      case Change::Insert:
        setRow(change.index, true);
        break;
      case Change::Remove:
        ListView_DeleteItem(hwnd_, change.index);
        break;
      case Change::Update:
        setRow(change.index, false);
        break;
      case Change::Reset:
        quiet_ = false;
        refill();
        return;
    }
    quiet_ = false;
    showSelection();
  }

  void showSelection() {
    quiet_ = true;
    int want = view().selected();
    ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (want >= 0) {
      ListView_SetItemState(hwnd_, want, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(hwnd_, want, FALSE);
    }
    quiet_ = false;
  }

  HIMAGELIST images_ = nullptr;
};

}  // namespace

std::unique_ptr<WindowPeer> makeListViewPeer(Control& c, FormWindow& f) {
  return std::make_unique<ListViewPeer>(c, f);
}

}  // namespace ui::win32
