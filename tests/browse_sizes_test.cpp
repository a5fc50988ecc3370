// Size texts of the drive table and of the selected file.
#include <gtest/gtest.h>

#include "browse/sizes.h"

using browse::driveSizeText;
using browse::fileSizeText;
using core::Text;

TEST(BrowseSizes, DriveTotals) {
  struct Case {
    uint64_t bytes;
    char16_t point;
    const char16_t* text;
  } cases[] = {
      {16'000'000'000ULL, u'.', u"15.62  GB"},
      {536'870'912ULL, u'.', u"526  MB"},
      {2'000'000'000ULL, u'.', u"1.95  GB"},
      {1'024'000'000ULL, u'.', u"1  GB"},  // the GB figure's divisor
      {1'023'990'000ULL, u'.', u"1003  MB"},
      {20'395'000ULL, u'.', u"20  MB"},  // 2039.5 units of 10 000 bytes round up to 2040
      {0, u'.', u"0  MB"},
      // Beyond 2^31 units of 10 000 bytes: a 30 TB drive shows its real size.
      {30'000'000'000'000ULL, u'.', u"29296.87  GB"},
      {16'000'000'000ULL, u',', u"15,62  GB"},
  };
  for (auto& c : cases) EXPECT_EQ(driveSizeText(c.bytes, c.point), c.text) << c.bytes;
}

TEST(BrowseSizes, FileLengths) {
  struct Case {
    double bytes;
    char16_t point;
    const char16_t* text;
  } cases[] = {
      {0, u'.', u"0  KB"},
      {1500, u'.', u"1.46  KB"},
      {1'048'576, u'.', u"1024  KB"},  // exactly 102400 hundredths stays in KB
      {1'049'000, u'.', u"1  MB"},
      {5'000'000, u'.', u"4.77  MB"},
      {1'500'000'000, u'.', u"1.4  GB"},
      // Above 2 GiB the real length counts: no 32-bit wrap.
      {3'000'000'000.0, u'.', u"2.79  GB"},
      {5'000'000'000'000.0, u'.', u"4656.61  GB"},
      {5'000'000, u',', u"4,77  MB"},
      // 1029.9 MB: with a decimal comma the re-read figure loses its fraction.
      {1'079'928'422, u'.', u"1.01  GB"},
      {1'079'928'422, u',', u"1  GB"},
  };
  for (auto& c : cases)
    EXPECT_EQ(fileSizeText(c.bytes, c.point), c.text) << c.bytes << " " << char(c.point);
}
