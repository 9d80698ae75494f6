// Widths of UTF-8 texts in character cells, as a fixed-width page counts them: one cell per
// character, none for a combining mark, two for an East Asian wide or full-width character.
//
//   host::TextWidth::Of("Größe");                 // 5
//   size_t bytes = host::TextWidth::Fit("Größe", 3, used);   // "Grö": 4 bytes, used 3
//
// ASCII texts (nearly every cell) are counted by their length without decoding. A byte that is
// no valid UTF-8 counts as one cell and is kept as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace host {

class TextWidth {
 public:
  static int32_t Of(std::string_view text);
  /// The length in bytes of the longest prefix of `text` that is at most `cells` wide (never
  /// splitting a character from its combining marks); `used` receives its width.
  static size_t Fit(std::string_view text, int32_t cells, int32_t& used);
};

}  // namespace host
