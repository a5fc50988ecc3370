// The one message box routine: owner, title and icon rules.
#include <gtest/gtest.h>

#include "shell/msgbox.h"
#include "support/world.h"

using test::World;

namespace {

class Owner : public ui::Form {
 public:
  static constexpr const char* kName = "Owner";
  explicit Owner(ui::Application& app) : Form(app, kName) {}
};

struct Boxes : World {
  Boxes() {
    backend.answer = [](const ui::MessageBoxRequest&) { return shell::answer::Yes; };
  }
  const ui::MessageBoxRequest& last() { return backend.boxes.back(); }
};

TEST(MsgBoxW, AnEmptyTitleGivesTheApplicationTitle) {
  Boxes w;
  EXPECT_EQ(shell::MsgBoxW(w.app, u"text", shell::style::YesNo, u""), shell::answer::Yes);
  EXPECT_EQ(w.last().title, u"Tamsel");
  shell::MsgBoxW(w.app, u"text", 0, u"Mine");
  EXPECT_EQ(w.last().title, u"Mine");
}

TEST(MsgBoxW, TheActiveWindowOwnsTheBoxUnlessAnOwnerIsGiven) {
  Boxes w;
  shell::MsgBoxW(w.app, u"t", 0, u"x");
  EXPECT_EQ(w.last().owner, nullptr);  // no window of the program is active
  auto& owner = w.app.form<Owner>();
  owner.show();
  shell::MsgBoxW(w.app, u"t", 0, u"x");
  EXPECT_EQ(w.last().owner, &owner);
  shell::MsgBoxW(w.app, u"t", 0, u"x", std::nullopt, static_cast<ui::Form*>(nullptr));
  EXPECT_EQ(w.last().owner, nullptr);
}

TEST(MsgBoxW, AnIconNameReplacesTheIconBits) {
  Boxes w;
  struct Case {
    uint32_t style;
    std::optional<core::Text> icon;
    uint32_t sent;
  } cases[] = {
      {0x10, std::nullopt, 0x10},
      {0x10 | 4, core::Text(u"NORVANE"), 0x80 | 4},
      {0x40, core::Text(u"NORVANE"), 0x80},
      {0x80004, std::nullopt, 0x80004},
  };
  for (auto& c : cases) {
    shell::MsgBoxW(w.app, u"t", c.style, u"x", c.icon);
    EXPECT_EQ(w.last().style, c.sent) << std::hex << c.style;
    EXPECT_EQ(w.last().icon, c.icon);
  }
}

TEST(MsgBoxW, ArabicTextReachesTheSystemUnchanged) {
  Boxes w;
  shell::MsgBoxW(w.app, u"هل تريد حذف الملفات؟", 4, u"نورفان");
  EXPECT_EQ(w.last().text, u"هل تريد حذف الملفات؟");
  EXPECT_EQ(w.last().title, u"نورفان");
}

TEST(MsgBoxW, ABoxThatCannotBeShownAnswersZero) {
  Boxes w;
  w.backend.answer = [](const ui::MessageBoxRequest&) { return 0; };
  EXPECT_EQ(shell::MsgBoxW(w.app, u"t", 4, u"x"), 0);
}

}  // namespace
