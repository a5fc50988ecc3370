// The program's pictures, found by name.
//
// A name such as "main.background" is a bitmap resource of Norvane.exe named
// MAIN_BACKGROUND (or an icon resource of that name); on screens above 125 %
// a variant MAIN_BACKGROUND_2X is preferred when it exists. A name that is a
// file path (it holds '\' or ':') is loaded from that file. A picture that
// cannot be found draws nothing. Pure magenta (255, 0, 255) is the
// transparent colour of the bitmaps.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/win32/win32.h"

namespace ui::win32 {

class Pictures {
 public:
  explicit Pictures(const Metrics& metrics);
  ~Pictures();
  Pictures(const Pictures&) = delete;
  Pictures& operator=(const Pictures&) = delete;

  // Draws a picture into `dest`: stretched over it, or at its natural size
  // (its size at 96 DPI, scaled to the screen) from the top left, clipped.
  void draw(HDC dc, const std::string& name, const RECT& dest, bool stretch);
  bool exists(const std::string& name);

  // An image list of `size` x `size` images, one per name in order (a
  // missing picture leaves a transparent slot). The caller owns it.
  HIMAGELIST imageList(const std::vector<std::string>& names, int size);

  struct Picture;

 private:
  Picture* find(const std::string& name);
  std::unique_ptr<Picture> load(const std::string& name);

  const Metrics& metrics_;
  std::map<std::string, std::unique_ptr<Picture>> cache_;  // null: not found
};

// The resource name of a picture id: "tree.closedfolder" -> "TREE_CLOSEDFOLDER".
std::wstring resourceName(const std::string& id);

}  // namespace ui::win32
