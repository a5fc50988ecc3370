// The control kinds of the form model.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// Label and Unicode label: windowless, drawn by the container.
class Label : public Control {
 public:
  Label(Form& form, std::string name, int index = -1, bool unicode = false);
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool w);

 private:
  bool wordWrap_ = true;
};

class Button : public Control {
 public:
  Button(Form& form, std::string name, int index = -1, bool unicode = false);
  // The default button answers Enter, the cancel button Esc.
  bool isDefault() const { return default_; }
  bool isCancel() const { return cancel_; }
  void setDefault(bool d);
  void setCancel(bool c);

 private:
  bool default_ = false;
  bool cancel_ = false;
};

// Value 0 unticked, 1 ticked. Changing the value raises click, from code as
// from the user.
class CheckBox : public Control {
 public:
  CheckBox(Form& form, std::string name, int index = -1, bool unicode = false);
  int value() const { return value_; }
  void setValue(int v);
  void performClick() override;
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;
  bool setProperty(std::string_view name, const Text& value) override;

 private:
  int value_ = 0;
};

// Option buttons in the same container form one group: selecting one clears
// the others. Selecting raises click.
class OptionButton : public Control {
 public:
  OptionButton(Form& form, std::string name, int index = -1, bool unicode = true);
  bool value() const { return value_; }
  void setValue(bool v);
  void performClick() override;
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;
  bool setProperty(std::string_view name, const Text& value) override;

 private:
  bool value_ = false;
};

class TextBox : public Control {
 public:
  TextBox(Form& form, std::string name, int index = -1, bool unicode = false);
  char16_t passwordChar() const { return password_; }
  void setPasswordChar(char16_t c);
  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool m);
  // Scroll bars of a multi-line box: 0 none (the text wraps), 1 horizontal
  // (the lines do not wrap), 2 vertical, 3 both. Set before the window shows.
  int scrollBars() const { return scrollBars_; }
  void setScrollBars(int bars);
  bool locked() const { return locked_; }
  void setLocked(bool l);
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  void select(int start, int length);
  // Typing by the user: the text as it now stands.
  void performEdit(const Text& text);
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;
  bool setProperty(std::string_view name, const Text& value) override;

 private:
  char16_t password_ = 0;
  bool multiLine_ = false;
  int scrollBars_ = 0;
  bool locked_ = false;
  int selStart_ = 0, selLength_ = 0;
};

// List box (plain or Unicode). Changing the selection from code raises click
// just as the user's click does; setting the index it already has does not.
class ListBox : public Control {
 public:
  ListBox(Form& form, std::string name, int index = -1, bool unicode = false,
          Kind kind = Kind::ListBox);
  int listCount() const { return static_cast<int>(items_.size()); }
  const Text& list(int i) const;  // fails outside 0..count-1
  void setList(int i, const Text& text);
  void addItem(const Text& text, int at = -1);
  void removeItem(int i);
  void clear();
  int listIndex() const { return listIndex_; }
  // -1 clears the selection; an index outside -1..count-1 fails.
  virtual void setListIndex(int i);
  // Text of the selected entry, empty when none.
  Text selectedText() const;
  // The list's prefix search (LB_FINDSTRING): the first entry after `after`
  // (-1 for the start, wrapping round) that begins with `prefix`, ignoring
  // case; -1 when none.
  int findString(const Text& prefix, int after = -1) const;
  // Exchanges two entries without touching the selection.
  void swapItems(int a, int b);
  const std::vector<Text>& items() const { return items_; }
  // The user selecting an entry.
  void performSelect(int i);
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;
  bool setProperty(std::string_view name, const Text& value) override;

 protected:
  void setItemsQuietly(std::vector<Text> items);  // refill without events
  void setIndexQuietly(int i);

 private:
  std::vector<Text> items_;
  int listIndex_ = -1;
};

// Drop-down list (choice only): a list whose text is the selected entry.
class ComboBox : public ListBox {
 public:
  ComboBox(Form& form, std::string name, int index = -1, bool unicode = false);
};

// The platform's drive list: one entry per drive ("c: [SYSTEM]", "a:"), and
// a current drive. Entries come from a source the application provides.
class DriveListBox : public ListBox {
 public:
  struct Source {
    std::function<std::vector<Text>()> entries;  // in letter order
    std::function<bool(char16_t letter)> available;
  };
  DriveListBox(Form& form, std::string name, Source source);
  void refresh();
  // The current drive's entry text.
  Text drive() const;
  // Makes a drive current by text ("c:", "c: [SYSTEM]"); fails (and keeps the
  // current drive) when the drive is unknown or not available.
  void setDrive(const Text& drive);
  // Selecting an entry makes its drive current; see setDrive.
  void setListIndex(int i) override;

 private:
  Source source_;
};

// The platform's file list: the names of one folder's files that match a
// pattern and the attribute choice, in the file system's order.
class FileListBox : public ListBox {
 public:
  struct Entry {
    Text name;
    uint32_t attributes;
  };
  // Lists a folder; fails when the folder cannot be read.
  using Lister = std::function<std::vector<Entry>(const Text& folder, const Text& pattern)>;
  FileListBox(Form& form, std::string name, Lister lister);
  const Text& path() const { return path_; }
  // Points the list at a folder; the same folder again changes nothing. An
  // empty path, or a folder that cannot be read, fails and keeps the
  // previous list.
  void setPath(const Text& path);
  const Text& pattern() const { return pattern_; }
  void setPattern(const Text& pattern);
  // Which attributes qualify besides normal, read-only and archive files.
  bool showHidden() const { return hidden_; }
  bool showSystem() const { return system_; }
  void setShow(bool hidden, bool system);
  void refresh();
  Text fileName() const { return selectedText(); }
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;

 private:
  void relist();
  Lister lister_;
  Text path_;
  Text pattern_ = u"*.*";
  bool hidden_ = false, system_ = false;
};

// Report-style list with small icons: rows of cells, a selection that code
// sets without raising events, and an optional sort column.
class ListView : public Control {
 public:
  struct Column {
    Text header;
    double width;  // twips
  };
  struct Item {
    std::vector<Text> cells;  // cell 0 is the row's own text
    int icon = 0;             // index into the small-icon image list; 0 none
  };
  ListView(Form& form, std::string name, int index = -1);
  void addColumn(const Text& header, double width);
  const std::vector<Column>& columns() const { return columns_; }
  int rowCount() const { return static_cast<int>(rows_.size()); }
  // Adds a row with empty cells; returns its index (0-based).
  int addRow(const Text& text = {});
  const Item& row(int i) const;
  void setCell(int row, int column, const Text& text);
  void setIcon(int row, int icon);
  void removeRow(int i);
  void clear();
  int selected() const { return selected_; }
  void setSelected(int row);  // -1 none; raises nothing
  // Sorting by a column: the rows are kept in ascending text order of that
  // column (the icon column sorts by the row's own text).
  int sortKey() const { return sortKey_; }
  void setSortKey(int column);
  bool sorted() const { return sorted_; }
  void setSorted(bool s);
  bool headersHidden() const { return hideHeaders_; }
  void setHeadersHidden(bool h);
  const std::string& smallIcons() const { return smallIcons_; }  // image list name
  void setSmallIcons(const std::string& imageList);
  // The user clicking a row (-1: the empty area).
  void performSelect(int row);
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;

 private:
  void sortRows();
  std::vector<Column> columns_;
  std::vector<Item> rows_;
  int selected_ = -1;
  int sortKey_ = 0;
  bool sorted_ = false;
  bool hideHeaders_ = false;
  std::string smallIcons_;
};

// Keyed pictures for lists and trees. Index i (from 1) is images()[i-1].
class ImageList : public Control {
 public:
  struct Entry {
    std::string key;
    std::string picture;
  };
  ImageList(Form& form, std::string name);
  void add(const std::string& key, const std::string& picture);
  const std::vector<Entry>& images() const { return images_; }
  int indexOf(const std::string& key) const;  // 1-based, 0 when missing

 private:
  std::vector<Entry> images_;
};

class TreeView : public Control {
 public:
  struct Node {
    Text key;
    Text text;
    std::string image;
    Text parent;  // empty for a top-level node
  };
  TreeView(Form& form, std::string name);
  // Adds a node; a key that is taken, or a parent that does not exist, fails.
  void add(const Text& parent, const Text& key, const Text& text, const std::string& image);
  void clear();
  const std::vector<Node>& nodes() const { return nodes_; }
  const Node* node(const Text& key) const;
  void setImage(const Text& key, const std::string& image);
  int lineStyle() const { return lineStyle_; }
  void setLineStyle(int s);
  bool checkboxes() const { return checkboxes_; }
  void setCheckboxes(bool c);
  Event<const Text&> expand;  // the node's key
  Event<const Text&> collapse;
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;

 private:
  std::vector<Node> nodes_;
  int lineStyle_ = 0;
  bool checkboxes_ = false;
};

// Picture box and frame: containers of other controls.
class PictureBox : public Control {
 public:
  PictureBox(Form& form, std::string name, int index = -1);
};

class Frame : public Control {
 public:
  Frame(Form& form, std::string name, int index = -1);
};

class Image : public Control {
 public:
  Image(Form& form, std::string name, int index = -1);
};

// Ticks every `interval` milliseconds while enabled and the interval is not
// 0. A timer never runs its tick again while a tick is still running, unless
// it is made reentrant.
class Timer : public Control {
 public:
  Timer(Form& form, std::string name, int interval = 0);
  ~Timer() override;
  int interval() const { return interval_; }
  void setInterval(int ms);
  bool timerEnabled() const { return enabled(); }
  bool reentrant() const { return reentrant_; }
  void setReentrant(bool r) { reentrant_ = r; }
  bool active() const { return enabled() && interval_ > 0; }
  Event<> tick;
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;
  bool setProperty(std::string_view name, const Text& value) override;

  // Kept by the event loop.
  double deadline = 0;
  int running = 0;

 private:
  friend class Control;
  int interval_;
  bool reentrant_ = false;
};

class Toolbar : public Control {
 public:
  struct ToolButton {
    std::string key;
    Text caption;
    std::string picture;
  };
  Toolbar(Form& form, std::string name);
  void addButton(const std::string& key, const Text& caption, const std::string& picture);
  const std::vector<ToolButton>& buttons() const { return buttons_; }
  void setCaption(int i, const Text& caption);
  Event<const std::string&> buttonClick;  // the button's key
  void performButton(const std::string& key);
  std::optional<Text> property(std::string_view name, std::string_view arg) const override;

 private:
  std::vector<ToolButton> buttons_;
};

// Plays a clip file.
class Animation : public Control {
 public:
  Animation(Form& form, std::string name);
  const Text& clip() const { return clip_; }
  void open(const Text& path);
  bool autoPlay() const { return autoPlay_; }
  void setAutoPlay(bool a);

 private:
  Text clip_;
  bool autoPlay_ = true;
};

}  // namespace ui
