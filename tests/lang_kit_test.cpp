// The language files we ship (kit/lang/*.txt, UTF-8 sources of Lang\*.ini):
// complete, well formed, and with captions that fit their controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lang/languages.h"

using core::Text;

namespace {

const std::filesystem::path kSources =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "kit" / "lang";

std::vector<Text> sourceLines(const std::string& language) {
  std::ifstream in(kSources / (language + ".txt"), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::vector<Text> lines;
  std::string line;
  std::istringstream split(bytes.str());
  while (std::getline(split, line)) lines.push_back(core::fromUtf8(line));
  return lines;
}

// Rough width in pixels of a text in the 8-point dialog fonts at 96 DPI.
// Only a guard against captions that clearly overflow their controls.
double estimatedPixels(const Text& text) {
  static const Text narrow = u" .,:;'!|()[]iljtfrI-";
  double px = 0;
  for (char16_t c : text) {
    if (narrow.find(c) != Text::npos)
      px += 3;
    else if (c == u'm' || c == u'w' || c == u'M' || c == u'W')
      px += 9;
    else if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE))
      px += 7;
    else if (c >= 0x0600 && c <= 0x06FF)
      px += 4.5;
    else
      px += 5.5;
  }
  return px;
}

// Room for the text of lines whose controls have a fixed size: the control's
// width (twips / 15) less its check box or button border; multi-line labels
// count their lines.
struct Room {
  int line;
  double pixels;
  const char16_t* before = u"";
  const char16_t* after = u"";
};
const Room kRooms[] = {
    {1, 85 - 18},   {2, 85 - 18},    {3, 85 - 18},   {4, 85 - 18},          {5, 133 - 18},
    {6, 177 - 18},  {7, 73 - 8},     {8, 113 - 8},   {9, 129 - 8},          {10, 49 - 8},
    {11, 51 - 8},   {12, 65 - 8},    {13, 89 - 8},   {14, 89 - 8},          {15, 184, u" "},
    {16, 73, u" "}, {17, 281, u" "}, {18, 73, u" "}, {19, 93, u" ", u" :"}, {20, 99, u" "},
    {21, 59, u" "}, {44, 561},       {46, 377},      {47, 417 * 4},         {48, 105 - 8},
    {49, 105 - 8},  {50, 169 - 18},  {51, 177 - 18}, {52, 281 * 4},         {53, 81},
    {54, 601},      {55, 73 - 8},    {56, 281},
};

}  // namespace

class ShippedLanguage : public testing::TestWithParam<std::pair<std::string, bool>> {};

TEST_P(ShippedLanguage, IsCompleteAndFits) {
  const auto& [language, rightToLeft] = GetParam();
  std::vector<Text> lines = sourceLines(language);
  ASSERT_GE(lines.size(), 59u) << language;

  EXPECT_EQ(core::left(lines[0], 9), rightToLeft ? u"[dir=rtl]" : u"[dir=ltr]");
  EXPECT_GT(lines[0].size(), 9u);
  EXPECT_EQ(lang::headingIsRightToLeft(lines[0]), rightToLeft);

  for (size_t i = 0; i < lines.size(); ++i) {
    for (char16_t c : lines[i])
      EXPECT_TRUE(c >= 0x20 && c <= 0x7FFF) << language << " line " << i << ": unit " << int(c);
    if (i == 0 || i > 58) continue;
    Text prefix = u"Text__ [" + Text(i < 10 ? u"0" : u"") + core::decimal(i) + u"]: ";
    EXPECT_EQ(core::left(lines[i], 13), prefix) << language << " line " << i;
    Text value = core::from(lines[i], 13);
    EXPECT_FALSE(value.empty()) << language << " line " << i;
    EXPECT_EQ(core::trimBlanks(value), value) << language << " line " << i;
  }

  for (const Room& room : kRooms) {
    Text shown = room.before + core::from(lines[room.line], 13) + room.after;
    EXPECT_LE(estimatedPixels(shown), room.pixels)
        << language << " line " << room.line << ": " << core::toUtf8(shown);
  }
}

INSTANTIATE_TEST_SUITE_P(Kit, ShippedLanguage,
                         testing::Values(std::pair{std::string("English"), false},
                                         std::pair{std::string("French"), false},
                                         std::pair{std::string("Arabic"), true}),
                         [](const auto& info) { return info.param.first; });
