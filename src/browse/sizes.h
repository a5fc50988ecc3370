// The size texts of the drive table and of the selected file.
//
// Both keep the program's own units: the drive figure divides by 1 024 000 000
// bytes for GB and 1 020 000 bytes for MB, the file figure steps from KB to MB
// to GB past 1024 units. Counts are 64-bit throughout, so files above 2 GiB
// and drives above 21 TB show their real size. Two blanks stand before the unit.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace browse {

using core::Text;

// "15.62  GB", "526  MB", "0  MB".
Text driveSizeText(uint64_t totalBytes, char16_t decimalPoint);

// "1.46  KB", "1024  KB", "4.77  MB", "2.79  GB". The intermediate figures go
// through decimal text in the user's number format and are read back with a
// point as separator, so with a decimal comma their fraction is lost.
Text fileSizeText(double bytes, char16_t decimalPoint);

}  // namespace browse
