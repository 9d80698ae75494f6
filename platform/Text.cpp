#include "platform/Text.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace platform::text {
namespace {

icu::UnicodeString FromUtf8(std::string_view s) {
  return icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
}

std::string ToUtf8(const icu::UnicodeString& u) {
  std::string out;
  u.toUTF8String(out);
  return out;
}

}  // namespace

std::string FoldCase(std::string_view s) {
  if (IsAscii(s)) {
    std::string out(s);
    for (char& c : out) c = LowerAscii(c);
    return out;
  }
  icu::UnicodeString u = FromUtf8(s);
  u.foldCase(U_FOLD_CASE_DEFAULT);
  return ToUtf8(u);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return CompareNoCase(a, b) == 0;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
      const int ca = static_cast<unsigned char>(LowerAscii(a[i]));
      const int cb = static_cast<unsigned char>(LowerAscii(b[i]));
      if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  const int r =
      FromUtf8(a).caseCompare(FromUtf8(b), U_FOLD_CASE_DEFAULT | U_COMPARE_CODE_POINT_ORDER);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

namespace {

bool SameLetterAscii(char a, char b) {
  return LowerAscii(a) == LowerAscii(b);
}

}  // namespace

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) return true;
  // The usual spelling settles it without folding.
  if (haystack.find(needle) != std::string_view::npos) return true;
  if (IsAscii(haystack) && IsAscii(needle)) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       SameLetterAscii) != haystack.end();
  }
  return FoldCase(haystack).find(FoldCase(needle)) != std::string::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.starts_with(prefix)) return true;
  if (IsAscii(text) && IsAscii(prefix)) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), SameLetterAscii);
  }
  return std::string_view(FoldCase(text)).starts_with(FoldCase(prefix));
}

std::vector<uint8_t> ToUtf16LE(std::string_view utf8) {
  const icu::UnicodeString u = FromUtf8(utf8);
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(u.length()) * 2);
  for (int32_t i = 0; i < u.length(); ++i) {
    const char16_t c = u.charAt(i);
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  return out;
}

std::string FromUtf16LE(std::span<const uint8_t> bytes) {
  icu::UnicodeString u;
  const size_t n = bytes.size() / 2;
  for (size_t i = 0; i < n; ++i) {
    u.append(static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
  }
  // toUTF8String replaces unpaired surrogates with U+FFFD.
  return ToUtf8(u);
}

std::string SanitizeUtf8(std::string_view s) {
  if (IsAscii(s)) return std::string(s);
  return ToUtf8(FromUtf8(s));
}

namespace {

// The decimal exponent of the first significant digit of a number that std::from_chars found out
// of range: not negative when it is too large, negative when it is too small.
bool TooLarge(std::string_view mantissa, std::string_view exponent) {
  const size_t point = mantissa.find('.');
  const size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
  long long position = static_cast<long long>(integerDigits) - 1;
  for (const char c : mantissa) {
    if (c == '.') continue;
    if (c != '0') break;
    --position;
  }
  const bool negativeExponent = !exponent.empty() && exponent.front() == '-';
  const std::string_view exponentDigits = negativeExponent ? exponent.substr(1) : exponent;
  if (exponentDigits.size() > 6) return !negativeExponent;  // far beyond any double either way
  long long e = 0;
  std::from_chars(exponentDigits.data(), exponentDigits.data() + exponentDigits.size(), e);
  if (negativeExponent) e = -e;
  return position + e >= 0;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view s) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const size_t mantissaStart = i;
  size_t digits = 0;
  while (i < s.size() && IsAsciiDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsAsciiDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  const std::string_view mantissa = s.substr(mantissaStart, i - mantissaStart);
  std::string_view exponent;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    const size_t start = ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const size_t expDigits = i;
    while (i < s.size() && IsAsciiDigit(s[i])) ++i;
    if (i == expDigits) return std::nullopt;
    exponent = s.substr(start, i - start);
    if (exponent.front() == '+') exponent.remove_prefix(1);
  }
  if (i != s.size()) return std::nullopt;
  // from_chars takes no plus sign and never looks at the locale.
  const size_t first = s[0] == '+' ? 1 : 0;
  double value = 0;
  const auto [end, error] = std::from_chars(s.data() + first, s.data() + s.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = TooLarge(mantissa, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
  }
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::string FormatDouble(double d) {
  char buf[64];
  const auto [end, error] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 15);
  if (error != std::errc()) return {};  // 64 bytes hold any double in this form
  std::string s(buf, end);
  for (char& c : s) c = UpperAscii(c);  // 1E+20, 1.5E-07, INF
  return s;
}

double Val(std::string_view s) {
  // Blanks are skipped everywhere, as the runtime does ("1 2" reads as 12).
  std::string compact;
  compact.reserve(s.size());
  for (char c : s) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') compact.push_back(c);
  }
  if (compact.size() >= 2 && compact[0] == '&') {
    const char kind = UpperAscii(compact[1]);
    const int base = kind == 'H' ? 16 : (kind == 'O' ? 8 : 0);
    if (base != 0) {
      uint64_t v = 0;
      for (size_t i = 2; i < compact.size(); ++i) {
        const int digit = HexDigitValue(compact[i]);
        if (digit < 0 || digit >= base) break;
        v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (v > 0xFFFFFFFFull) break;
      }
      // Up to 32 bits: the pattern is read as a signed 16- or 32-bit value like the runtime.
      if (v <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(v));
      return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
    }
    return 0.0;
  }
  // Longest prefix of the form [sign] digits [. digits] [(e|d) [sign] digits].
  size_t i = 0;
  std::string number;
  if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
    number.push_back(compact[i++]);
  size_t digits = 0;
  while (i < compact.size() && IsAsciiDigit(compact[i])) {
    number.push_back(compact[i++]);
    ++digits;
  }
  if (i < compact.size() && compact[i] == '.') {
    number.push_back(compact[i++]);
    while (i < compact.size() && IsAsciiDigit(compact[i])) {
      number.push_back(compact[i++]);
      ++digits;
    }
  }
  if (digits == 0) return 0.0;
  if (i < compact.size() && (UpperAscii(compact[i]) == 'E' || UpperAscii(compact[i]) == 'D')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
      exponent.push_back(compact[j++]);
    size_t expDigits = 0;
    while (j < compact.size() && IsAsciiDigit(compact[j])) {
      exponent.push_back(compact[j++]);
      ++expDigits;
    }
    if (expDigits > 0) number += exponent;
  }
  const double v = ParseDecimal(number).value_or(0.0);
  return std::isfinite(v) ? v : 0.0;
}

std::string Hex(int32_t value) {
  char buf[16];
  const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<uint32_t>(value), 16).ptr;
  std::string s(buf, end);
  for (char& c : s) c = UpperAscii(c);
  return s;
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace platform::text
