#include "ui/controls.h"

#include <algorithm>

#include "core/error.h"
#include "ui/application.h"
#include "ui/event_loop.h"

namespace ui {

using core::Error;
namespace fail = core::fail;

static Text yesNo(bool b) { return b ? u"true" : u"false"; }
static bool truthy(const Text& v) { return v == u"true" || v == u"1"; }
static int toIndex(std::string_view arg) {
  try {
    return std::stoi(std::string(arg));
  } catch (...) {
    return -2;
  }
}

// ---- Label -------------------------------------------------------------

Label::Label(Form& form, std::string name, int index, bool unicode)
    : Control(form, unicode ? Kind::UniLabel : Kind::Label, std::move(name), index) {
  setTransparent(false);
}

void Label::setWordWrap(bool w) {
  if (w == wordWrap_) return;
  wordWrap_ = w;
  notify(Prop::Options);
}

// ---- Button ------------------------------------------------------------

Button::Button(Form& form, std::string name, int index, bool unicode)
    : Control(form, unicode ? Kind::UniButton : Kind::Button, std::move(name), index) {}

void Button::setDefault(bool d) {
  default_ = d;
  notify(Prop::Options);
}

void Button::setCancel(bool c) {
  cancel_ = c;
  notify(Prop::Options);
}

// ---- CheckBox ----------------------------------------------------------

CheckBox::CheckBox(Form& form, std::string name, int index, bool unicode)
    : Control(form, unicode ? Kind::UniCheck : Kind::CheckBox, std::move(name), index) {}

void CheckBox::setValue(int v) {
  if (v < 0 || v > 2) throw Error(fail::InvalidValue, "check box value");
  if (v == value_) return;
  value_ = v;
  notify(Prop::Value);
  raise(click);
}

void CheckBox::performClick() { setValue(value_ == 1 ? 0 : 1); }

std::optional<Text> CheckBox::property(std::string_view n, std::string_view a) const {
  if (n == "value") return core::decimal(value_);
  return Control::property(n, a);
}

bool CheckBox::setProperty(std::string_view n, const Text& v) {
  if (n == "value") {
    setValue(static_cast<int>(core::leadingNumber(v)));
    return true;
  }
  return Control::setProperty(n, v);
}

// ---- OptionButton ------------------------------------------------------

OptionButton::OptionButton(Form& form, std::string name, int index, bool unicode)
    : Control(form, Kind::OptionButton, std::move(name), index) {
  (void)unicode;
}

void OptionButton::setValue(bool v) {
  if (v == value_) return;
  value_ = v;
  notify(Prop::Value);
  if (!v) return;
  for (auto& c : form().controls()) {
    if (c.get() == this || c->kind() != Kind::OptionButton || c->container() != container())
      continue;
    auto& other = static_cast<OptionButton&>(*c);
    if (other.value_) {
      other.value_ = false;
      other.notify(Prop::Value);
    }
  }
  raise(click);
}

void OptionButton::performClick() { setValue(true); }

std::optional<Text> OptionButton::property(std::string_view n, std::string_view a) const {
  if (n == "value") return yesNo(value_);
  return Control::property(n, a);
}

bool OptionButton::setProperty(std::string_view n, const Text& v) {
  if (n == "value") {
    setValue(truthy(v));
    return true;
  }
  return Control::setProperty(n, v);
}

// ---- TextBox -----------------------------------------------------------

TextBox::TextBox(Form& form, std::string name, int index, bool unicode)
    : Control(form, unicode ? Kind::UniText : Kind::TextBox, std::move(name), index) {
  setBackColour(colour::Window);
}

void TextBox::setPasswordChar(char16_t c) {
  password_ = c;
  notify(Prop::Options);
}

void TextBox::setMultiLine(bool m) {
  multiLine_ = m;
  notify(Prop::Options);
}

void TextBox::setScrollBars(int bars) {
  scrollBars_ = bars;
  notify(Prop::Options);
}

void TextBox::setLocked(bool l) {
  locked_ = l;
  notify(Prop::Options);
}

void TextBox::select(int start, int length) {
  int size = static_cast<int>(text().size());
  selStart_ = std::clamp(start, 0, size);
  selLength_ = std::clamp(length, 0, size - selStart_);
  notify(Prop::Selection);
}

void TextBox::performEdit(const Text& t) {
  if (locked_) return;
  setText(t);
}

std::optional<Text> TextBox::property(std::string_view n, std::string_view a) const {
  if (n == "selstart") return core::decimal(selStart_);
  if (n == "sellength") return core::decimal(selLength_);
  return Control::property(n, a);
}

bool TextBox::setProperty(std::string_view n, const Text& v) {
  if (n == "text" || n == "caption") {
    performEdit(v);
    return true;
  }
  return Control::setProperty(n, v);
}

// ---- ListBox -----------------------------------------------------------

ListBox::ListBox(Form& form, std::string name, int index, bool unicode, Kind kind)
    : Control(form,
              kind == Kind::ListBox && unicode    ? Kind::UniList
              : kind == Kind::ComboBox && unicode ? Kind::UniCombo
                                                  : kind,
              std::move(name), index) {
  setBackColour(colour::Window);
}

const Text& ListBox::list(int i) const {
  if (i < 0 || i >= listCount()) throw Error(fail::InvalidValue, "list index");
  return items_[i];
}

void ListBox::setList(int i, const Text& text) {
  if (i < 0 || i >= listCount()) throw Error(fail::InvalidValue, "list index");
  items_[i] = storable(text);
  notify(Prop::Items, {Change::Update, i});
}

void ListBox::addItem(const Text& text, int at) {
  if (at < -1 || at > listCount()) throw Error(fail::InvalidValue, "list index");
  int pos = at < 0 ? listCount() : at;
  items_.insert(items_.begin() + pos, storable(text));
  if (listIndex_ >= pos) ++listIndex_;
  notify(Prop::Items, {Change::Insert, pos});
}

void ListBox::removeItem(int i) {
  if (i < 0 || i >= listCount()) throw Error(fail::InvalidValue, "list index");
  items_.erase(items_.begin() + i);
  if (listIndex_ == i)
    listIndex_ = -1;
  else if (listIndex_ > i)
    --listIndex_;
  notify(Prop::Items, {Change::Remove, i});
}

void ListBox::clear() {
  items_.clear();
  listIndex_ = -1;
  notify(Prop::Items);
}

void ListBox::setListIndex(int i) {
  if (i < -1 || i >= listCount()) throw Error(fail::InvalidValue, "list index");
  if (i == listIndex_) return;
  listIndex_ = i;
  notify(Prop::Selection);
  raise(click);
}

Text ListBox::selectedText() const { return listIndex_ < 0 ? Text() : items_[listIndex_]; }

int ListBox::findString(const Text& prefix, int after) const {
  int n = listCount();
  if (n == 0) return -1;
  int start = (after < -1 || after >= n) ? 0 : after + 1;
  for (int k = 0; k < n; ++k) {
    int i = (start + k) % n;
    if (core::startsWithNoCase(items_[i], prefix)) return i;
  }
  return -1;
}

void ListBox::swapItems(int a, int b) {
  std::swap(items_.at(a), items_.at(b));
  notify(Prop::Items, {Change::Update, a});
  notify(Prop::Items, {Change::Update, b});
}

void ListBox::performSelect(int i) { setListIndex(i); }

void ListBox::setItemsQuietly(std::vector<Text> items) {
  items_ = std::move(items);
  listIndex_ = -1;
  notify(Prop::Items);
}

void ListBox::setIndexQuietly(int i) {
  listIndex_ = i;
  notify(Prop::Selection);
}

std::optional<Text> ListBox::property(std::string_view n, std::string_view a) const {
  if (n == "listcount") return core::decimal(listCount());
  if (n == "listindex") return core::decimal(listIndex_);
  if (n == "list") {
    int i = toIndex(a);
    if (i < 0 || i >= listCount()) return std::nullopt;
    return items_[i];
  }
  if (n == "text") return selectedText();
  return Control::property(n, a);
}

bool ListBox::setProperty(std::string_view n, const Text& v) {
  if (n == "listindex") {
    setListIndex(static_cast<int>(core::leadingNumber(v)));
    return true;
  }
  return Control::setProperty(n, v);
}

ComboBox::ComboBox(Form& form, std::string name, int index, bool unicode)
    : ListBox(form, std::move(name), index, unicode, Kind::ComboBox) {}

// ---- DriveListBox ------------------------------------------------------

DriveListBox::DriveListBox(Form& form, std::string name, Source source)
    : ListBox(form, std::move(name), -1, false, Kind::DriveList), source_(std::move(source)) {
  refresh();
}

void DriveListBox::refresh() {
  Text current = drive();
  std::vector<Text> entries = source_.entries();
  int keep = entries.empty() ? -1 : 0;
  for (size_t i = 0; i < entries.size(); ++i)
    if (current.size() >= 2 &&
        core::equalsNoCase(core::left(entries[i], 2), core::left(current, 2)))
      keep = static_cast<int>(i);
  // The drive poll refreshes every second: nothing to tell the backend when
  // nothing changed.
  if (entries == items() && keep == listIndex()) return;
  setItemsQuietly(std::move(entries));
  setIndexQuietly(keep);
}

Text DriveListBox::drive() const { return selectedText(); }

void DriveListBox::setDrive(const Text& d) {
  for (int i = 0; i < listCount(); ++i)
    if (d.size() >= 2 && core::equalsNoCase(core::left(list(i), 2), core::left(d, 2))) {
      setListIndex(i);
      return;
    }
  throw Error(fail::DeviceUnavailable, "no such drive");
}

void DriveListBox::setListIndex(int i) {
  if (i < 0 || i >= listCount()) throw Error(fail::InvalidValue, "drive index");
  if (!source_.available(list(i)[0])) throw Error(fail::DeviceUnavailable, "drive not ready");
  ListBox::setListIndex(i);
}

// ---- FileListBox -------------------------------------------------------

FileListBox::FileListBox(Form& form, std::string name, Lister lister)
    : ListBox(form, std::move(name), -1, true, Kind::FileList), lister_(std::move(lister)) {}

void FileListBox::setPath(const Text& path) {
  if (path.empty()) throw Error(fail::PathNotFound, "empty folder path");
  if (core::equalsNoCase(path, path_)) return;
  Text previous = path_;
  path_ = path;
  try {
    relist();
  } catch (...) {
    path_ = previous;
    throw;
  }
}

void FileListBox::setPattern(const Text& pattern) {
  pattern_ = pattern;
  try {
    relist();
  } catch (const Error&) {
    setItemsQuietly({});
  }
}

void FileListBox::setShow(bool hidden, bool system) {
  hidden_ = hidden;
  system_ = system;
}

void FileListBox::refresh() { relist(); }

void FileListBox::relist() {
  std::vector<Text> names;
  if (!path_.empty()) {
    for (auto& e : lister_(path_, pattern_)) {
      constexpr uint32_t kDir = 0x10, kHidden = 0x2, kSystem = 0x4;
      if (e.attributes & kDir) continue;
      if ((e.attributes & kHidden) && !hidden_) continue;
      if ((e.attributes & kSystem) && !system_) continue;
      names.push_back(e.name);
    }
  }
  setItemsQuietly(std::move(names));
}

std::optional<Text> FileListBox::property(std::string_view n, std::string_view a) const {
  if (n == "path") return path_;
  if (n == "pattern") return pattern_;
  if (n == "filename") return fileName();
  return ListBox::property(n, a);
}

// ---- ListView ----------------------------------------------------------

ListView::ListView(Form& form, std::string name, int index)
    : Control(form, Kind::ListView, std::move(name), index) {
  setBackColour(colour::Window);
}

void ListView::addColumn(const Text& header, double width) {
  columns_.push_back({header, width});
  notify(Prop::Options);
}

int ListView::addRow(const Text& text) {
  Item item;
  item.cells.assign(std::max<size_t>(columns_.size(), 1), Text());
  item.cells[0] = text;
  rows_.push_back(std::move(item));
  int at = rowCount() - 1;
  notify(Prop::Items, {Change::Insert, at});
  return at;
}

const ListView::Item& ListView::row(int i) const {
  if (i < 0 || i >= rowCount()) throw Error(fail::InvalidValue, "row index");
  return rows_[i];
}

void ListView::setCell(int r, int c, const Text& text) {
  if (r < 0 || r >= rowCount() || c < 0) throw Error(fail::InvalidValue, "cell");
  auto& cells = rows_[r].cells;
  if (static_cast<size_t>(c) >= cells.size()) cells.resize(c + 1);
  cells[c] = text;
  notify(Prop::Items, {Change::Update, r});
  if (sorted_ && c == sortKey_) sortRows();
}

void ListView::setIcon(int r, int icon) {
  if (r < 0 || r >= rowCount()) throw Error(fail::InvalidValue, "row index");
  rows_[r].icon = icon;
  notify(Prop::Items, {Change::Update, r});
}

void ListView::removeRow(int i) {
  if (i < 0 || i >= rowCount()) throw Error(fail::InvalidValue, "row index");
  rows_.erase(rows_.begin() + i);
  if (selected_ == i)
    selected_ = -1;
  else if (selected_ > i)
    --selected_;
  notify(Prop::Items, {Change::Remove, i});
}

void ListView::clear() {
  rows_.clear();
  selected_ = -1;
  notify(Prop::Items);
}

void ListView::setSelected(int r) {
  if (r < -1 || r >= rowCount()) throw Error(fail::InvalidValue, "row index");
  selected_ = r;
  notify(Prop::Selection);
}

void ListView::setSortKey(int column) {
  if (column < 0) throw Error(fail::InvalidValue, "sort key");
  sortKey_ = column;
  if (sorted_) sortRows();
}

void ListView::setSorted(bool s) {
  sorted_ = s;
  if (s) sortRows();
}

void ListView::setHeadersHidden(bool h) {
  hideHeaders_ = h;
  notify(Prop::Options);
}

void ListView::setSmallIcons(const std::string& imageList) {
  smallIcons_ = imageList;
  notify(Prop::Options);
}

void ListView::performSelect(int r) {
  if (r >= -1 && r < rowCount()) setSelected(r);
  raise(click);
}

void ListView::sortRows() {
  std::vector<int> order(rows_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  size_t key = static_cast<size_t>(sortKey_);
  auto cell = [&](int i) -> Text {
    return key < rows_[i].cells.size() ? core::upper(rows_[i].cells[key]) : Text();
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return cell(a) < cell(b); });
  std::vector<Item> sortedRows;
  int newSelected = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    sortedRows.push_back(std::move(rows_[order[i]]));
    if (order[i] == selected_) newSelected = static_cast<int>(i);
  }
  rows_ = std::move(sortedRows);
  selected_ = newSelected;
  notify(Prop::Items);
}

std::optional<Text> ListView::property(std::string_view n, std::string_view a) const {
  if (n == "listcount" || n == "rowcount") return core::decimal(rowCount());
  if (n == "selected") return core::decimal(selected_);
  if (n == "sortkey") return core::decimal(sortKey_);
  if (n == "item" || n == "icon") {
    auto comma = a.find(',');
    int r = toIndex(a.substr(0, comma));
    if (r < 0 || r >= rowCount()) return std::nullopt;
    if (n == "icon") return core::decimal(rows_[r].icon);
    int c = comma == std::string_view::npos ? 0 : toIndex(a.substr(comma + 1));
    if (c < 0) return std::nullopt;
    return static_cast<size_t>(c) < rows_[r].cells.size() ? rows_[r].cells[c] : Text();
  }
  return Control::property(n, a);
}

// ---- ImageList ---------------------------------------------------------

ImageList::ImageList(Form& form, std::string name)
    : Control(form, Kind::ImageList, std::move(name), -1) {
  setVisible(false);
}

void ImageList::add(const std::string& key, const std::string& picture) {
  images_.push_back({key, picture});
  notify(Prop::Items, {Change::Insert, static_cast<int>(images_.size()) - 1});
}

int ImageList::indexOf(const std::string& key) const {
  for (size_t i = 0; i < images_.size(); ++i)
    if (images_[i].key == key) return static_cast<int>(i) + 1;
  return 0;
}

// ---- TreeView ----------------------------------------------------------

TreeView::TreeView(Form& form, std::string name)
    : Control(form, Kind::TreeView, std::move(name), -1) {}

void TreeView::add(const Text& parent, const Text& key, const Text& text,
                   const std::string& image) {
  if (node(key)) throw Error(fail::KeyNotUnique, "tree key is taken");
  if (!parent.empty() && !node(parent)) throw Error(fail::NoSuchElement, "no such parent");
  nodes_.push_back({key, text, image, parent});
  notify(Prop::Items, {Change::Insert, static_cast<int>(nodes_.size()) - 1});
}

void TreeView::clear() {
  nodes_.clear();
  notify(Prop::Items);
}

const TreeView::Node* TreeView::node(const Text& key) const {
  for (auto& n : nodes_)
    if (core::equalsNoCase(n.key, key)) return &n;
  return nullptr;
}

void TreeView::setImage(const Text& key, const std::string& image) {
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (core::equalsNoCase(nodes_[i].key, key)) {
      nodes_[i].image = image;
      notify(Prop::Items, {Change::Update, static_cast<int>(i)});
      return;
    }
  throw Error(fail::NoSuchElement, "no such node");
}

void TreeView::setLineStyle(int s) {
  lineStyle_ = s;
  notify(Prop::Options);
}

void TreeView::setCheckboxes(bool c) {
  checkboxes_ = c;
  notify(Prop::Options);
}

std::optional<Text> TreeView::property(std::string_view n, std::string_view a) const {
  if (n == "nodecount") return core::decimal(static_cast<int64_t>(nodes_.size()));
  if (n == "linestyle") return core::decimal(lineStyle_);
  if (n == "checkboxes") return yesNo(checkboxes_);
  if (n == "node") {
    const Node* found = node(core::fromUtf8(a));
    if (!found) return std::nullopt;
    return found->text;
  }
  return Control::property(n, a);
}

// ---- Containers, images ------------------------------------------------

PictureBox::PictureBox(Form& form, std::string name, int index)
    : Control(form, Kind::PictureBox, std::move(name), index) {}

Frame::Frame(Form& form, std::string name, int index)
    : Control(form, Kind::Frame, std::move(name), index) {}

Image::Image(Form& form, std::string name, int index)
    : Control(form, Kind::Image, std::move(name), index) {
  setTransparent(true);
}

// ---- Timer -------------------------------------------------------------

Timer::Timer(Form& form, std::string name, int interval)
    : Control(form, Kind::Timer, std::move(name), -1), interval_(interval) {
  setVisible(false);
  form.app().loop().timerChanged(*this);
}

Timer::~Timer() { form().app().loop().timerGone(*this); }

void Timer::setInterval(int ms) {
  if (ms < 0 || ms > 65535) throw Error(fail::InvalidValue, "timer interval");
  interval_ = ms;
  notify(Prop::Value);
  form().app().loop().timerChanged(*this);
}

std::optional<Text> Timer::property(std::string_view n, std::string_view a) const {
  if (n == "interval") return core::decimal(interval_);
  return Control::property(n, a);
}

bool Timer::setProperty(std::string_view n, const Text& v) {
  if (n == "interval") {
    setInterval(static_cast<int>(core::leadingNumber(v)));
    return true;
  }
  return Control::setProperty(n, v);
}

// ---- Toolbar -----------------------------------------------------------

Toolbar::Toolbar(Form& form, std::string name)
    : Control(form, Kind::Toolbar, std::move(name), -1) {}

void Toolbar::addButton(const std::string& key, const Text& caption, const std::string& picture) {
  buttons_.push_back({key, caption, picture});
  notify(Prop::Items, {Change::Insert, static_cast<int>(buttons_.size()) - 1});
}

void Toolbar::setCaption(int i, const Text& caption) {
  buttons_.at(i).caption = caption;
  notify(Prop::Items, {Change::Update, i});
}

void Toolbar::performButton(const std::string& key) { raise(buttonClick, key); }

std::optional<Text> Toolbar::property(std::string_view n, std::string_view a) const {
  if (n == "button") {
    int i = toIndex(a);
    if (i < 0 || i >= static_cast<int>(buttons_.size())) return std::nullopt;
    return buttons_[i].caption;
  }
  if (n == "buttoncount") return core::decimal(static_cast<int64_t>(buttons_.size()));
  return Control::property(n, a);
}

// ---- Animation ---------------------------------------------------------

Animation::Animation(Form& form, std::string name)
    : Control(form, Kind::Animation, std::move(name), -1) {}

void Animation::open(const Text& path) {
  clip_ = path;
  notify(Prop::Picture);
}

void Animation::setAutoPlay(bool a) {
  autoPlay_ = a;
  notify(Prop::Options);
}

}  // namespace ui
