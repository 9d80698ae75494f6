#include "ScriptText.h"

#include <algorithm>

#include "platform/Text.h"

namespace prjsnap::script_text {

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), platform::text::LowerAscii);
  return out;
}

std::vector<std::string> Split(std::string_view text, char separator, bool unescape,
                               const Fail& fail) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      if (i + 1 == text.size()) fail("a backslash must be followed by ',', ':' or '\\'");
      const char next = text[i + 1];
      if (next != ',' && next != ':' && next != '\\') {
        fail(std::string("'\\") + next + "' is no escape; use '\\,', '\\:' or '\\\\'");
      }
      if (!unescape) parts.back() += c;
      parts.back() += next;
      ++i;
    } else if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

}  // namespace prjsnap::script_text
