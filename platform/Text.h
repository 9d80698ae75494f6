// Text helpers: comparison without regard to case (Unicode case folding), the UTF-16LE byte form
// used where text leaves or enters as bytes, and the runtime's numeric reading of a text.
//
// Text is UTF-8 everywhere inside. Invalid UTF-8 or UTF-16 input never fails: ill-formed
// sequences become U+FFFD.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::text {

/// True when every byte is ASCII (below 0x80): such a text folds case letter by letter.
constexpr bool IsAscii(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}
/// An ASCII letter in lower case, any other byte unchanged, whatever the process's locale:
/// FoldCase of an ASCII text, one byte at a time.
constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// An ASCII letter in upper case, any other byte unchanged, whatever the process's locale.
constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
/// '0' to '9' only: the locale's digits and letters never make a number here.
constexpr bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}
/// The value of an ASCII hexadecimal digit (either case), or -1 for any other byte.
constexpr int HexDigitValue(char c) {
  if (IsAsciiDigit(c)) return c - '0';
  const char upper = UpperAscii(c);
  return upper >= 'A' && upper <= 'F' ? upper - 'A' + 10 : -1;
}
/// An ASCII letter of either case.
constexpr bool IsAsciiLetter(char c) {
  return UpperAscii(c) >= 'A' && UpperAscii(c) <= 'Z';
}

/// A decimal number as a whole: [sign] digits [. digits] [e [sign] digits], a point as the
/// decimal separator whatever the process's locale. std::nullopt when the text is anything else
/// (blanks included); infinity when the value is too large for a double, 0 when it is too small.
std::optional<double> ParseDecimal(std::string_view s);
/// A double as the runtime writes it: up to 15 significant digits, a point as the decimal
/// separator whatever the process's locale, the exponent as "E+20" or "E-07".
std::string FormatDouble(double d);

/// Full Unicode case folding ("Straße" folds like "STRASSE").
std::string FoldCase(std::string_view s);
/// Equality without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);
/// <0, 0, >0 comparing the case-folded texts (code point order).
int CompareNoCase(std::string_view a, std::string_view b);
/// True when needle occurs in haystack without regard to case; an empty needle always occurs.
/// ASCII texts (every item type and class name) are compared in place, without folded copies,
/// because the views and handlers ask this once per tree item.
bool ContainsNoCase(std::string_view haystack, std::string_view needle);
/// True when text begins with prefix without regard to case; an empty prefix always does.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

/// UTF-8 to UTF-16LE bytes (no terminator, no byte-order mark).
std::vector<uint8_t> ToUtf16LE(std::string_view utf8);
/// UTF-16LE bytes to UTF-8; an odd trailing byte is dropped, unpaired surrogates become U+FFFD.
std::string FromUtf16LE(std::span<const uint8_t> bytes);
/// Well-formed UTF-8 (ill-formed sequences replaced by U+FFFD).
std::string SanitizeUtf8(std::string_view s);

/// The runtime's Val(): the number that the text begins with, after leading blanks, with blanks
/// inside the number ignored; "&H1F" and "&O17" are hexadecimal and octal; 0 when there is none.
double Val(std::string_view s);

/// The runtime's Hex(): upper-case hexadecimal of the 32-bit pattern, no leading zeros.
std::string Hex(int32_t value);

/// Leading and trailing blanks (space, tab, CR, LF) removed.
std::string_view Trim(std::string_view s);

}  // namespace platform::text
