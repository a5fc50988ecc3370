// Text handling shared by every layer.
//
// Norvane keeps all text as UTF-16 code units (std::u16string): the language
// files, the Win32 wide calls and the character counts the program relies on
// ("drop the first 9 characters", "keep units 0x0001 to 0x7FFF") are all in
// code units. wchar_t is 32 bits on Linux, so char16_t is the portable choice;
// only the Win32 layer reinterprets it as wchar_t.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 <-> UTF-16. Invalid input is replaced by U+FFFD rather than rejected:
// these are used for diagnostics, tests and source-embedded literals.
Text fromUtf8(std::string_view utf8);
std::string toUtf8(TextView text);

// Case mapping as the program's "upper-cased" means it: simple per-unit
// mapping for ASCII, Latin-1 and the other scripts that have case below
// U+0530 (Greek, Cyrillic). Other units pass unchanged.
char16_t upperUnit(char16_t c);
Text upper(TextView text);
bool equalsNoCase(TextView a, TextView b);
bool startsWithNoCase(TextView text, TextView prefix);

bool startsWith(TextView text, TextView prefix);
bool endsWith(TextView text, TextView suffix);

// The text without blanks (U+0020) at both ends.
Text trimBlanks(TextView text);

// Left(text, n) / Mid(text, start) / Right(text, n) with the forgiving
// bounds the program expects: asking for more than there is gives what there is.
Text left(TextView text, size_t n);
Text right(TextView text, size_t n);
Text from(TextView text, size_t index);  // 0-based start

// Replaces every occurrence of `what` (non-empty) by `with`.
Text replaceAll(TextView text, TextView what, TextView with);

// Decimal text of a whole number.
Text decimal(int64_t n);

// The leading number of a text, as a basic Val reads it: blanks, tabs and line
// feeds are skipped anywhere in the number, then an optional sign, digits, an
// optional point and fraction and an optional exponent. No number gives 0.
double leadingNumber(TextView text);

// Shortest decimal text of a number with up to 15 significant digits, no
// exponent for ordinary magnitudes, and `decimalPoint` as the separator
// (15.62, 48, 0.52, 1.4).
Text shortestDecimal(double value, char16_t decimalPoint = u'.');

// Rounds to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

}  // namespace core
