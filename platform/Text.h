// Text helpers: comparison without regard to case (Unicode case folding), the UTF-16LE byte form
// used where text leaves or enters as bytes, and the runtime's numeric reading of a text.
//
// Text is UTF-8 everywhere inside. Invalid UTF-8 or UTF-16 input never fails: ill-formed
// sequences become U+FFFD.
#pragma once

#include <cstdint>
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

/// Full Unicode case folding ("Straße" folds like "STRASSE").
std::string FoldCase(std::string_view s);
/// Equality without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);
/// <0, 0, >0 comparing the case-folded texts (code point order).
int CompareNoCase(std::string_view a, std::string_view b);
/// True when needle occurs in haystack without regard to case; an empty needle always occurs.
bool ContainsNoCase(std::string_view haystack, std::string_view needle);

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
