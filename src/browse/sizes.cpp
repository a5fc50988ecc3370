#include "browse/sizes.h"

namespace browse {

Text driveSizeText(uint64_t totalBytes, char16_t decimalPoint) {
  // The count is held in units of 10 000 bytes with four decimals and then
  // taken to the nearest whole number, halves to the even neighbour.
  uint64_t r = totalBytes / 10000;
  uint64_t rest = totalBytes % 10000;
  if (rest > 5000 || (rest == 5000 && (r & 1))) ++r;
  double gigabytes = static_cast<double>(r / 1024) / 100;
  if (gigabytes >= 1) return core::shortestDecimal(gigabytes, decimalPoint) + u"  GB";
  return core::decimal(static_cast<int64_t>(r / 102)) + u"  MB";
}

Text fileSizeText(double bytes, char16_t decimalPoint) {
  // A figure written out for the user and read back as a number.
  auto reread = [decimalPoint](double x) {
    return core::leadingNumber(core::shortestDecimal(x, decimalPoint));
  };
  double h = core::roundHalfEven(bytes / 1024 * 100);
  const char16_t* unit = u"  KB";
  if (h > 102400) {
    h = core::roundHalfEven(reread(bytes / 1024) / 1024 * 100);
    unit = u"  MB";
  }
  if (h > 102400) {
    h = core::roundHalfEven(reread(bytes / 1024 / 1024) / 1024 * 100);
    unit = u"  GB";
  }
  return core::shortestDecimal(h / 100, decimalPoint) + unit;
}

}  // namespace browse
