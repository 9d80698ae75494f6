#include "host/print/TextWidth.h"

#include <algorithm>

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace host {
namespace {

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

int32_t CellsOf(UChar32 c) {
  if (c < 0) return 1;  // an invalid byte
  const auto category = static_cast<UCharCategory>(u_charType(c));
  if (category == U_NON_SPACING_MARK || category == U_ENCLOSING_MARK || category == U_FORMAT_CHAR) {
    return 0;
  }
  const auto east = static_cast<UEastAsianWidth>(u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH));
  return east == U_EA_WIDE || east == U_EA_FULLWIDTH ? 2 : 1;
}

}  // namespace

int32_t TextWidth::Of(std::string_view text) {
  if (IsAscii(text)) return static_cast<int32_t>(text.size());
  int32_t width = 0;
  int32_t at = 0;
  const auto length = static_cast<int32_t>(text.size());
  while (at < length) {
    UChar32 c = 0;
    U8_NEXT(text.data(), at, length, c);
    width += CellsOf(c);
  }
  return width;
}

size_t TextWidth::Fit(std::string_view text, int32_t cells, int32_t& used) {
  if (cells <= 0) {
    used = 0;
    return 0;
  }
  if (IsAscii(text)) {
    const size_t bytes = std::min(text.size(), static_cast<size_t>(cells));
    used = static_cast<int32_t>(bytes);
    return bytes;
  }
  int32_t width = 0;
  int32_t at = 0;
  const auto length = static_cast<int32_t>(text.size());
  while (at < length) {
    int32_t next = at;
    UChar32 c = 0;
    U8_NEXT(text.data(), next, length, c);
    const int32_t w = CellsOf(c);
    // A zero-width mark stays with the character before it, so it is taken when that was.
    if (width + w > cells) break;
    width += w;
    at = next;
  }
  used = width;
  return static_cast<size_t>(at);
}

}  // namespace host
