// The Win32 backend with real windows (run under Wine or Windows): places in
// pixels, text and selection passing between window and model without a
// handler running twice, mouse routing to windowless controls, the dialog
// keys, modal windows, and timers ticking inside a system message box.
#include "ui/win32/backend.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "platform/win32/machine.h"
#include "ui/controls.h"
#include "ui/win32/loop.h"
#include "ui/win32/window_peer.h"
#include "win32_world.h"

namespace {

using core::Text;
using test::Win32World;
using namespace ui;

struct Panel : Form {
  static constexpr const char* kName = "Panel";
  explicit Panel(Application& app)
      : Form(app, kName),
        back(add<Label>("Back")),
        front(add<Label>("Front")),
        ok(add<Button>("Ok")),
        cancel(add<Button>("Cancel")),
        offside(add<Button>("Offside")),
        box(add<PictureBox>("Box")),
        field(add<TextBox>("Field", -1, true)),
        list(add<ListBox>("List", -1, true)) {
    move(0, 0, 13065, 8940);
    back.move(150, 150, 1500, 600);
    front.move(900, 300, 1500, 600);
    ok.move(11640, 1650, 1095, 315);
    ok.setDefault(true);
    cancel.move(9840, 1650, 1095, 315);
    cancel.setCancel(true);
    offside.move(-1320, 1560, 1095, 615);
    box.move(360, 2040, 6000, 4000);
    field.setContainer(&box);
    field.move(60, 30, 4500, 390);
    list.move(7000, 2040, 3000, 3000);
    for (auto t : {u"A:", u"C:", u"G:"}) list.addItem(t);
  }
  Label& back;
  Label& front;
  Button& ok;
  Button& cancel;
  Button& offside;
  PictureBox& box;
  TextBox& field;
  ListBox& list;
};

struct Other : Form {
  static constexpr const char* kName = "Other";
  explicit Other(Application& app) : Form(app, kName), tick(add<Timer>("Tick", 0)) {
    move(3000, 3000, 3000, 2000);
    setBorderStyle(3);
  }
  Timer& tick;
};

HWND hwndOf(const Control& c) { return static_cast<win32::WindowPeer*>(c.peer())->hwnd(); }
HWND hwndOf(const Backend& b, const Form& f) {
  return static_cast<const win32::Backend&>(b).windowOf(f);
}

RECT placeIn(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class BackendTest : public ::testing::Test {
 protected:
  BackendTest() : panel(w.app.form<Panel>()) { panel.show(); }
  int px(double twips) const { return w.m.px(twips); }
  Win32World w;
  Panel& panel;
};

TEST_F(BackendTest, PlacesWindowsInPixelsOfTheModelsTwips) {
  HWND form = hwndOf(w.backend, panel);
  RECT client;
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, px(13065));
  EXPECT_EQ(client.bottom, px(8940));
  if (w.m.dpi() == 96) {
    EXPECT_EQ(client.right, 871);
  }

  RECT ok = placeIn(hwndOf(panel.ok));
  EXPECT_EQ(ok.left, px(11640));
  EXPECT_EQ(ok.top, px(1650));
  EXPECT_EQ(ok.right - ok.left, px(1095));
  // A control placed outside the visible area stays there.
  EXPECT_EQ(placeIn(hwndOf(panel.offside)).left, px(-1320));
  // A control in a picture box is placed in the box's client area.
  EXPECT_EQ(GetParent(hwndOf(panel.field)), hwndOf(panel.box));
  EXPECT_EQ(placeIn(hwndOf(panel.field)).left, px(60));

  panel.ok.move(600, 600, 1500, 450);
  ok = placeIn(hwndOf(panel.ok));
  EXPECT_EQ(ok.left, px(600));
  EXPECT_EQ(ok.bottom - ok.top, px(450));

  // A bordered window: the model's size is its client size.
  auto& other = w.app.form<Other>();
  RECT otherClient;
  GetClientRect(hwndOf(w.backend, other), &otherClient);
  EXPECT_EQ(otherClient.right, px(3000));
  EXPECT_EQ(otherClient.bottom, px(2000));
}

TEST_F(BackendTest, TextFromCodeRaisesChangeOnceAndTypingReachesTheModel) {
  int changes = 0;
  panel.field.change += [&] { ++changes; };
  HWND edit = hwndOf(panel.field);

  panel.field.setText(u"G:\\Фото");
  EXPECT_EQ(win32::windowText(edit), u"G:\\Фото");
  w.loop.yield();
  EXPECT_EQ(changes, 1);

  SendMessageW(edit, EM_SETSEL, 7, 7);
  SendMessageW(edit, WM_CHAR, L'x', 0);
  EXPECT_EQ(panel.field.text(), u"G:\\Фотоx");
  EXPECT_EQ(changes, 2);

  // A key handler may swallow a key.
  panel.field.keyPress += [](int& key) {
    if (key == 'q') key = 0;
  };
  SendMessageW(edit, WM_CHAR, L'q', 0);
  EXPECT_EQ(panel.field.text(), u"G:\\Фотоx");
  EXPECT_EQ(changes, 2);
}

TEST_F(BackendTest, ListSelectionFromCodeAndFromTheMouse) {
  std::vector<int> clicks;
  panel.list.click += [&] { clicks.push_back(panel.list.listIndex()); };
  HWND list = hwndOf(panel.list);

  panel.list.setListIndex(1);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
  w.loop.yield();
  EXPECT_EQ(clicks, std::vector<int>{1});

  RECT item;
  SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  LPARAM at = MAKELPARAM(item.left + 3, item.top + 3);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  w.loop.yield();
  EXPECT_EQ(panel.list.listIndex(), 2);
  EXPECT_EQ(clicks, (std::vector<int>{1, 2}));

  panel.list.removeItem(0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(BackendTest, MouseGoesToTheTopmostWindowlessControl) {
  std::vector<std::string> seen;
  MouseEvent down;
  for (Label* l : {&panel.back, &panel.front}) {
    l->mouseDown += [&, l](const MouseEvent& e) {
      seen.push_back(l->name() + " down");
      down = e;
    };
    l->click += [&, l] { seen.push_back(l->name() + " click"); };
  }
  HWND form = hwndOf(w.backend, panel);
  auto press = [&](double x, double y) {
    LPARAM at = MAKELPARAM(px(x), px(y));
    SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(form, WM_LBUTTONUP, 0, at);
  };

  press(1200, 450);  // where both labels lie: the later one is on top
  EXPECT_EQ(seen, (std::vector<std::string>{"Front down", "Front click"}));
  EXPECT_NEAR(down.x, 300, w.m.twips(1));
  EXPECT_NEAR(down.y, 150, w.m.twips(1));
  EXPECT_EQ(down.button, mouse::Left);

  seen.clear();
  panel.front.setEnabled(false);
  press(1200, 450);
  EXPECT_EQ(seen, (std::vector<std::string>{"Back down", "Back click"}));
}

TEST_F(BackendTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
  int oks = 0, cancels = 0;
  panel.ok.click += [&] { ++oks; };
  panel.cancel.click += [&] { ++cancels; };
  HWND edit = hwndOf(panel.field);
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  w.loop.yield();
  EXPECT_EQ(oks, 1);
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(panel.field.text(), u"");
}

TEST_F(BackendTest, TheFormsKeyPreviewSeesKeysFirstAndMayKeepThem) {
  std::vector<int> seen;
  panel.keyDown += [&](int& key, int) {
    seen.push_back(key);
    if (key == 'Q') key = 0;
  };
  HWND edit = hwndOf(panel.field);
  SetFocus(edit);
  PostMessageW(edit, WM_KEYDOWN, 'Q', 1);
  PostMessageW(edit, WM_KEYDOWN, 'W', 1);
  w.loop.yield();
  EXPECT_EQ(seen, (std::vector<int>{'Q', 'W'}));
  EXPECT_EQ(panel.field.text(), u"w");
}

// Right after a round of painting, what code changes reaches the windows
// with the next round: places, list selections, tooltips and the text of a
// hidden box all end up as the model holds them.
TEST_F(BackendTest, WindowsCatchUpWithTheModelByTheNextRoundOfPainting) {
  InvalidateRect(hwndOf(w.backend, panel), nullptr, FALSE);
  w.loop.yield();
  ASSERT_FALSE(w.loop.paintDue());  // the case under test: painting waits

  panel.ok.move(600, 600, 1500, 450);
  panel.list.setListIndex(2);
  panel.list.setListIndex(0);
  panel.list.setToolTip(u"A:");
  panel.list.setToolTip(u"C:");
  panel.field.setVisible(false);
  panel.field.setText(u"hidden");
  panel.field.select(2, 3);
  w.loop.pause(0.25);

  RECT ok = placeIn(hwndOf(panel.ok));
  EXPECT_EQ(ok.left, px(600));
  EXPECT_EQ(ok.bottom - ok.top, px(450));
  EXPECT_EQ(SendMessageW(hwndOf(panel.list), LB_GETCURSEL, 0, 0), 0);
  HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t tip[16] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(hwndOf(panel.list));
  tool.uId = reinterpret_cast<UINT_PTR>(hwndOf(panel.list));
  tool.lpszText = tip;
  SendMessageW(tips, TTM_GETTEXTW, 16, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(tip), L"C:");

  panel.field.setVisible(true);
  HWND edit = hwndOf(panel.field);
  EXPECT_EQ(win32::windowText(edit), u"hidden");
  DWORD from = 0, to = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 2u);
  EXPECT_EQ(to, 5u);

  // A shown box takes text from code by the next round as well.
  InvalidateRect(hwndOf(w.backend, panel), nullptr, FALSE);
  w.loop.yield();
  ASSERT_FALSE(w.loop.paintDue());
  panel.field.setText(u"first");
  panel.field.setText(u"shown");
  w.loop.pause(0.25);
  EXPECT_EQ(win32::windowText(edit), u"shown");
}

// Changes made by code are painted a few times a second; what the user does
// brings the next round of painting closer.
TEST_F(BackendTest, UserInputBringsTheNextRoundOfPaintingCloser) {
  HWND form = hwndOf(w.backend, panel);
  auto damagedRightAfterPainting = [&] {
    w.loop.pause(0.15);  // the last round long past
    InvalidateRect(form, nullptr, FALSE);
    w.loop.yield();
    ASSERT_FALSE(w.loop.paintDue());
    InvalidateRect(form, nullptr, FALSE);
  };
  damagedRightAfterPainting();
  w.loop.pause(0.06);
  EXPECT_TRUE(GetUpdateRect(form, nullptr, FALSE));  // still waiting its turn

  damagedRightAfterPainting();
  PostMessageW(form, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  w.loop.pause(0.06);
  EXPECT_FALSE(GetUpdateRect(form, nullptr, FALSE));  // painted already
}

TEST_F(BackendTest, FocusFollowsTheModelAndTheUser) {
  panel.list.setFocus();
  w.loop.pause(0.02);
  EXPECT_EQ(GetFocus(), hwndOf(panel.list));

  int got = 0;
  panel.field.gotFocus += [&] { ++got; };
  SetFocus(hwndOf(panel.field));
  EXPECT_EQ(panel.activeControl(), &panel.field);
  EXPECT_EQ(got, 1);
}

TEST_F(BackendTest, AModalFormKeepsTheOthersFromInputUntilItCloses) {
  auto& other = w.app.form<Other>();
  HWND main = hwndOf(w.backend, panel);
  bool mainEnabledDuring = true, otherEnabledDuring = false;
  other.tick.tick += [&] {
    mainEnabledDuring = IsWindowEnabled(main);
    otherEnabledDuring = IsWindowEnabled(hwndOf(w.backend, other));
    other.hide();
  };
  other.tick.setInterval(50);
  other.showModal();
  EXPECT_FALSE(mainEnabledDuring);
  EXPECT_TRUE(otherEnabledDuring);
  w.loop.yield();
  EXPECT_TRUE(IsWindowEnabled(main));
}

// The system's message box runs its own loop; the model's timers go on
// ticking in it, and the program's other windows take no input meanwhile.
TEST_F(BackendTest, TimersTickWhileAMessageBoxIsOpen) {
  auto& other = w.app.form<Other>();
  other.show();
  int ticks = 0;
  bool otherEnabledDuring = true;
  other.tick.tick += [&] {
    ++ticks;
    otherEnabledDuring = IsWindowEnabled(hwndOf(w.backend, other));
  };
  other.tick.setInterval(20);

  std::atomic<bool> pressed = false;
  std::thread user([&] {
    Sleep(400);
    for (int i = 0; i < 100 && !pressed; ++i, Sleep(20)) {
      HWND box = FindWindowW(L"#32770", L"Norvane test");
      if (!box) continue;
      PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
      pressed = true;
    }
  });
  MessageBoxRequest request;
  request.owner = &panel;
  request.text = u"Timers go on?";
  request.title = u"Norvane test";
  int answer = w.backend.messageBox(request);
  user.join();

  EXPECT_TRUE(pressed);
  EXPECT_EQ(answer, IDOK);
  EXPECT_GE(ticks, 8);  // 400 ms at 20 ms, with room for a slow machine
  EXPECT_FALSE(otherEnabledDuring);
  EXPECT_TRUE(IsWindowEnabled(hwndOf(w.backend, other)));
  EXPECT_TRUE(IsWindowEnabled(hwndOf(w.backend, panel)));
}

TEST_F(BackendTest, AMaximiseRequestGoesToTheModelWhichMayRefuseIt) {
  HWND form = hwndOf(w.backend, panel);
  panel.resize += [&] {
    if (panel.state() == WindowState::Maximised) panel.setState(WindowState::Normal);
  };
  SendMessageW(form, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_EQ(panel.state(), WindowState::Normal);
  EXPECT_FALSE(IsZoomed(form));

  panel.setState(WindowState::Minimised);
  EXPECT_TRUE(IsIconic(form));
  panel.setState(WindowState::Normal);
  EXPECT_FALSE(IsIconic(form));
}

}  // namespace
