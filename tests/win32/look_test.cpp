// How the Win32 backend shows the model (run under Wine or Windows): the
// reading order of the applied language on the Unicode windows and labels,
// multi-line text boxes that wrap, a transparent clip over its container's
// colour, and symbols of a symbol face the system lacks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/machine.h"
#include "ui/controls.h"
#include "ui/win32/backend.h"
#include "ui/win32/loop.h"
#include "ui/win32/window_peer.h"
#include "win32_world.h"

namespace {

using core::Text;
using test::Win32World;
using namespace ui;

struct Sheet : Form {
  static constexpr const char* kName = "Sheet";
  explicit Sheet(Application& app)
      : Form(app, kName),
        uniText(add<TextBox>("UniText", -1, true)),
        plainText(add<TextBox>("PlainText")),
        uniCheck(add<CheckBox>("UniCheck", -1, true)),
        uniList(add<ListBox>("UniList", -1, true)),
        note(add<TextBox>("Note", -1, true)),
        wide(add<TextBox>("Wide", -1, true)),
        tall(add<TextBox>("Tall", -1, true)),
        box(add<PictureBox>("Box")),
        clip(add<Animation>("Clip")) {
    move(0, 0, 9000, 6000);
    uniText.move(120, 120, 3000, 315);
    plainText.move(120, 600, 3000, 315);
    uniCheck.move(120, 1080, 3000, 270);
    uniList.move(120, 1500, 3000, 900);
    for (TextBox* t : {&note, &wide, &tall}) t->setMultiLine(true);
    note.move(3300, 120, 2400, 900);
    wide.move(3300, 1200, 2400, 900);
    wide.setScrollBars(1);
    tall.move(3300, 2280, 2400, 900);
    tall.setScrollBars(2);
    box.move(6000, 120, 2700, 1500);
    box.setBackColour(0xD8D8C8);
    clip.setContainer(&box);
    clip.move(0, 0, 2700, 1500);
  }
  TextBox& uniText;
  TextBox& plainText;
  CheckBox& uniCheck;
  ListBox& uniList;
  TextBox& note;
  TextBox& wide;
  TextBox& tall;
  PictureBox& box;
  Animation& clip;
};

// A form loaded later, while the reading order is already right to left.
struct Later : Form {
  static constexpr const char* kName = "Later";
  explicit Later(Application& app) : Form(app, kName), field(add<TextBox>("Field", -1, true)) {
    move(0, 0, 3000, 1000);
    field.move(60, 60, 2700, 315);
  }
  TextBox& field;
};

HWND hwndOf(const Control& c) { return static_cast<win32::WindowPeer*>(c.peer())->hwnd(); }
LONG_PTR exStyle(const Control& c) { return GetWindowLongPtrW(hwndOf(c), GWL_EXSTYLE); }
LONG_PTR style(const Control& c) { return GetWindowLongPtrW(hwndOf(c), GWL_STYLE); }

constexpr LONG_PTR kReading = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;

// A white bitmap to draw into, read back pixel by pixel.
class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bmp_ = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bmp_);
    RECT all{0, 0, w, h};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  bool ink(int x, int y) const { return GetPixel(dc_, x, y) == RGB(0, 0, 0); }
  // The first and last column that holds ink; -1 when none does.
  std::pair<int, int> inkColumns() const {
    int first = -1, last = -1;
    for (int x = 0; x < w_; ++x)
      for (int y = 0; y < h_; ++y)
        if (ink(x, y)) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    return {first, last};
  }
  // How many rows (across) or columns hold an unbroken run of ink at least
  // `length` long.
  int linesWithRun(bool across, int length) const {
    int lines = 0;
    for (int i = 0; i < (across ? h_ : w_); ++i) {
      int run = 0, best = 0;
      for (int j = 0; j < (across ? w_ : h_); ++j) {
        run = (across ? ink(j, i) : ink(i, j)) ? run + 1 : 0;
        best = std::max(best, run);
      }
      if (best >= length) ++lines;
    }
    return lines;
  }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};

class LookTest : public ::testing::Test {
 protected:
  LookTest() : sheet(w.app.form<Sheet>()) { sheet.show(); }
  Win32World w;
  Sheet& sheet;
};

TEST_F(LookTest, RightToLeftReachesTheUnicodeWindowsAndLabelsOnly) {
  const std::vector<Control*> unicode{&sheet.uniText, &sheet.uniCheck, &sheet.uniList, &sheet.note};
  for (Control* c : unicode) EXPECT_EQ(exStyle(*c) & kReading, 0) << c->name();

  // An edit aligns its text only when its window is made: the backend makes
  // a new one, which keeps the focus.
  SetFocus(hwndOf(sheet.uniText));
  w.app.setRightToLeft(true);
  EXPECT_EQ(GetFocus(), hwndOf(sheet.uniText));
  for (Control* c : unicode) EXPECT_EQ(exStyle(*c) & kReading, kReading) << c->name();
  EXPECT_EQ(exStyle(sheet.plainText) & kReading, 0);
  // A window made while the order is right to left starts that way.
  auto& later = w.app.form<Later>();
  later.show();
  EXPECT_EQ(exStyle(later.field) & kReading, kReading);

  // The text of a right-to-left box starts at its right edge.
  for (TextBox* t : {&sheet.uniText, &later.field}) {
    t->setText(u"نظام");
    RECT client;
    GetClientRect(hwndOf(*t), &client);
    LRESULT at = SendMessageW(hwndOf(*t), EM_POSFROMCHAR, 0, 0);
    EXPECT_GT(static_cast<short>(LOWORD(at)), client.right / 2) << t->name();
  }

  w.app.setRightToLeft(false);
  EXPECT_EQ(exStyle(sheet.uniText) & kReading, 0);
  EXPECT_EQ(exStyle(later.field) & kReading, 0);
}

// A Unicode label's alignment is mirrored in right-to-left order; a plain
// label keeps it.
TEST_F(LookTest, RightToLeftMirrorsTheAlignmentOfUnicodeLabels) {
  auto& uni = sheet.add<Label>("UniLabel", -1, true);
  auto& plain = sheet.add<Label>("PlainLabel");
  struct Case {
    Label* label;
    bool rightToLeft;
    bool atRight;
  };
  for (Case c : {Case{&uni, false, false}, Case{&uni, true, true}, Case{&plain, true, false}}) {
    c.label->setText(u"abc");
    c.label->setForeColour(0);
    c.label->setTransparent(true);
    Canvas canvas(200, 20);
    win32::PaintContext pc{w.backend.fonts(), w.backend.pictures(), c.rightToLeft};
    win32::drawLabel(canvas.dc(), *c.label, RECT{0, 0, 200, 20}, pc);
    auto [first, last] = canvas.inkColumns();
    ASSERT_GE(first, 0) << c.label->name();
    if (c.atRight)
      EXPECT_GT(first, 100) << c.label->name();
    else
      EXPECT_LT(last, 100) << c.label->name() << (c.rightToLeft ? " right to left" : "");
  }
}

TEST_F(LookTest, AMultiLineBoxWrapsAndShowsOnlyTheScrollBarsAsked) {
  const Text longLine =
      u"Empties the temporary folder or the Prefetch folder: choose one below, then "
      u"start; files in use stay where they are.";
  struct Case {
    TextBox* box;
    bool wraps;
    LONG_PTR bars;
  };
  for (Case c : {Case{&sheet.note, true, 0}, Case{&sheet.wide, false, WS_HSCROLL},
                 Case{&sheet.tall, true, WS_VSCROLL}}) {
    c.box->setText(longLine);
    EXPECT_EQ(style(*c.box) & (WS_HSCROLL | WS_VSCROLL), c.bars) << c.box->name();
    EXPECT_EQ((style(*c.box) & ES_AUTOHSCROLL) == 0, c.wraps) << c.box->name();
    LRESULT lines = SendMessageW(hwndOf(*c.box), EM_GETLINECOUNT, 0, 0);
    if (c.wraps)
      EXPECT_GT(lines, 1) << c.box->name();
    else
      EXPECT_EQ(lines, 1) << c.box->name();
  }
  // A one-line box scrolls sideways as the text grows.
  EXPECT_NE(style(sheet.uniText) & ES_AUTOHSCROLL, 0);
}

// The clip control fills what its picture leaves free with the colour its
// parent gives; no clip is open here, so that is the whole control.
TEST_F(LookTest, AClipShowsItsContainersBackColourAroundThePicture) {
  HWND clip = hwndOf(sheet.clip);
  RedrawWindow(clip, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(clip);
  COLORREF seen = GetPixel(dc, 5, 5);
  ReleaseDC(clip, dc);
  EXPECT_EQ(seen, win32::rgb(0xD8D8C8));
}

// Stdcall on 32-bit Windows, so a named function rather than a lambda.
int CALLBACK copyFirstFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM out) {
  wcsncpy(reinterpret_cast<wchar_t*>(out), lf->lfFaceName, LF_FACESIZE - 1);
  return 0;
}

// Whether Webdings is installed or not, its restore glyph shows as two
// window outlines: drawn by the face, or by us where the face is missing.
TEST_F(LookTest, TheRestoreSymbolShowsWithOrWithoutItsFace) {
  // A face the system lists is installed; a made-up one is not.
  LOGFONTW any{};
  any.lfCharSet = DEFAULT_CHARSET;
  wchar_t listed[LF_FACESIZE] = L"";
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &any, copyFirstFace, reinterpret_cast<LPARAM>(listed), 0);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(listed[0], L'\0');
  EXPECT_TRUE(w.backend.fonts().installed(win32::fromWide(listed)));
  EXPECT_FALSE(w.backend.fonts().installed(u"No Such Face Here"));

  auto& restore = sheet.add<Label>("Restore");
  auto& digit = sheet.add<Label>("Digit");
  for (Label* l : {&restore, &digit}) {
    l->setText(u"2");
    l->setAlignment(2);
    l->setForeColour(0);
    l->setTransparent(true);
  }
  Font symbol{u"Webdings", 14.25, true, false, false, SYMBOL_CHARSET};
  restore.setFont(symbol);
  digit.setFont(Font{u"Tahoma", 14.25, true});
  // Two window outlines: several long straight strokes each way (top bars,
  // bottoms, sides). The letter has a crossbar at its foot and at most one
  // upright.
  auto strokes = [&](Label& l) {
    Canvas canvas(30, 30);
    win32::PaintContext pc{w.backend.fonts(), w.backend.pictures(), false};
    win32::drawLabel(canvas.dc(), l, RECT{0, 0, 30, 30}, pc);
    return std::pair{canvas.linesWithRun(true, 8), canvas.linesWithRun(false, 8)};
  };
  auto [digitAcross, digitDown] = strokes(digit);
  EXPECT_LT(digitDown, 5);
  if (w.backend.fonts().installed(u"Webdings")) {
    // The face's own glyph, whatever its strokes: not the letter.
    EXPECT_NE(strokes(restore), strokes(digit));
  } else {
    auto [across, down] = strokes(restore);
    EXPECT_GE(across, 5);
    EXPECT_GE(down, 5);
  }
  // Our own drawing of the glyph, for a system without the face.
  Canvas own(30, 30);
  HGDIOBJ old = SelectObject(own.dc(), w.backend.fonts().get(Font{u"Tahoma", 14.25, true}));
  ASSERT_TRUE(win32::drawSymbol(own.dc(), u"Webdings", u"2", RECT{0, 0, 30, 30}, 2, 0));
  SelectObject(own.dc(), old);
  EXPECT_GE(own.linesWithRun(true, 8), 5);
  EXPECT_GE(own.linesWithRun(false, 8), 5);
  // Only what we know is drawn as a symbol; other text stays text.
  Canvas canvas(30, 30);
  EXPECT_FALSE(win32::drawSymbol(canvas.dc(), u"Webdings", u"7", RECT{0, 0, 30, 30}, 2, 0));
  EXPECT_EQ(canvas.inkColumns().first, -1);
}

}  // namespace
