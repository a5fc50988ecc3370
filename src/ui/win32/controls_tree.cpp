// The tree: a SysTreeView32 holding the model's nodes. A node's image is a
// key of an image list control of the same form (the first that holds it).
// Expanding or collapsing a node by the user raises the tree's events.
#include <map>

#include "ui/win32/backend.h"
#include "ui/win32/window_peer.h"

namespace ui::win32 {

namespace {

class TreePeer : public WindowPeer {
 public:
  using WindowPeer::WindowPeer;
  ~TreePeer() override {
    if (hwnd_) TreeView_SetImageList(hwnd_, nullptr, TVSIL_NORMAL);
    if (images_) ImageList_Destroy(images_);
  }

 protected:
  TreeView& tree() const { return static_cast<TreeView&>(control_); }

  Spec spec() const override { return {WC_TREEVIEWW, WS_TABSTOP | styleBits(), WS_EX_CLIENTEDGE}; }

  void fill() override {
    showImages();
    refill();
  }

  void apply(Prop prop, Change change) override {
    if (prop == Prop::Items) {
      if (change.op == Change::Insert)
        insert(tree().nodes()[change.index]);
      else if (change.op == Change::Update)
        update(tree().nodes()[change.index]);
      else
        refill();
    } else if (prop == Prop::Picture) {
      showImages();
      refill();
    } else if (prop == Prop::Options) {
      LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE) &
                       ~static_cast<LONG_PTR>(TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES);
      SetWindowLongPtrW(hwnd_, GWL_STYLE, style | styleBits());
      InvalidateRect(hwnd_, nullptr, TRUE);
    }
  }

  bool notify(NMHDR& n, LRESULT&) override {
    if (n.code != TVN_ITEMEXPANDEDW) return false;
    auto& change = reinterpret_cast<NMTREEVIEWW&>(n);
    Text key = keyOf(change.itemNew.hItem);
    bool expanded = change.action & TVE_EXPAND;
    guard([&] { tree().raise(expanded ? tree().expand : tree().collapse, key); });
    return false;
  }

 private:
  DWORD styleBits() const {
    DWORD s = TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_HASLINES;
    if (tree().lineStyle() == 1) s |= TVS_LINESATROOT;
    if (tree().checkboxes()) s |= TVS_CHECKBOXES;
    return s;
  }

  int imageIndex(const std::string& key) const { return list_ ? list_->indexOf(key) - 1 : -1; }

  void showImages() {
    list_ = nullptr;
    for (auto& n : tree().nodes())
      if ((list_ = findImageList(control_.form(), {}, n.image))) break;
    HIMAGELIST made = nullptr;
    if (list_) {
      std::vector<std::string> names;
      for (auto& e : list_->images()) names.push_back(e.picture);
      made = backend().pictures().imageList(names, static_cast<int>(16 * metrics().scale()));
    }
    TreeView_SetImageList(hwnd_, made, TVSIL_NORMAL);
    if (images_) ImageList_Destroy(images_);
    images_ = made;
  }

  void insert(const TreeView::Node& node) {
    if (!list_ && !node.image.empty()) {
      showImages();
      if (list_) return refill();
    }
    TVINSERTSTRUCTW ins{};
    auto parent = items_.find(core::upper(node.parent));
    ins.hParent = node.parent.empty() || parent == items_.end() ? TVI_ROOT : parent->second;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<wchar_t*>(wide(node.text));
    ins.item.iImage = ins.item.iSelectedImage = imageIndex(node.image);
    items_[core::upper(node.key)] = TreeView_InsertItem(hwnd_, &ins);
  }

  void update(const TreeView::Node& node) {
    auto it = items_.find(core::upper(node.key));
    if (it == items_.end()) return;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = it->second;
    item.iImage = item.iSelectedImage = imageIndex(node.image);
    TreeView_SetItem(hwnd_, &item);
  }

  void refill() {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(hwnd_);
    items_.clear();
    for (auto& n : tree().nodes()) insert(n);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  }

  Text keyOf(HTREEITEM item) const {
    for (auto& n : tree().nodes()) {
      auto it = items_.find(core::upper(n.key));
      if (it != items_.end() && it->second == item) return n.key;
    }
    return {};
  }

  std::map<Text, HTREEITEM> items_;  // by upper-cased key
  const ImageList* list_ = nullptr;
  HIMAGELIST images_ = nullptr;
};

}  // namespace

std::unique_ptr<WindowPeer> makeTreePeer(Control& c, FormWindow& f) {
  return std::make_unique<TreePeer>(c, f);
}

}  // namespace ui::win32
