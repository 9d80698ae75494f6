#include "platform/Text.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
  if (needle.empty()) return true;
  return FoldCase(haystack).find(FoldCase(needle)) != std::string::npos;
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

double Val(std::string_view s) {
  // Blanks are skipped everywhere, as the runtime does ("1 2" reads as 12).
  std::string compact;
  compact.reserve(s.size());
  for (char c : s) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') compact.push_back(c);
  }
  if (compact.size() >= 2 && compact[0] == '&') {
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(compact[1])));
    const int base = kind == 'H' ? 16 : (kind == 'O' ? 8 : 0);
    if (base != 0) {
      uint64_t v = 0;
      size_t i = 2;
      for (; i < compact.size(); ++i) {
        const char c = compact[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
          digit = c - '0';
        else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
          digit = std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
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
  while (i < compact.size() && std::isdigit(static_cast<unsigned char>(compact[i]))) {
    number.push_back(compact[i++]);
    ++digits;
  }
  if (i < compact.size() && compact[i] == '.') {
    number.push_back(compact[i++]);
    while (i < compact.size() && std::isdigit(static_cast<unsigned char>(compact[i]))) {
      number.push_back(compact[i++]);
      ++digits;
    }
  }
  if (digits == 0) return 0.0;
  if (i < compact.size() &&
      (compact[i] == 'e' || compact[i] == 'E' || compact[i] == 'd' || compact[i] == 'D')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
      exponent.push_back(compact[j++]);
    size_t expDigits = 0;
    while (j < compact.size() && std::isdigit(static_cast<unsigned char>(compact[j]))) {
      exponent.push_back(compact[j++]);
      ++expDigits;
    }
    if (expDigits > 0) number += exponent;
  }
  const double v = std::strtod(number.c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

std::string Hex(int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", static_cast<uint32_t>(value));
  return buf;
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace platform::text
