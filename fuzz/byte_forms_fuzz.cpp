// Fuzz target: the readers of the object list and object source bytes that other programs hand
// over. Reading never fails; the text read is well-formed UTF-8 without NUL or blanks around it,
// survives its own byte form unchanged, and the list reader on top of it refuses only with the
// runtime's errors.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using mzblprsx::RgObjectStreamService;
  const std::string text =
      RgObjectStreamService::ReadByteForm(std::span<const uint8_t>(data, size));
  Check(text.find('\0') == std::string::npos);
  Check(text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back())));
  Check(platform::text::SanitizeUtf8(text) == text);
  Check(RgObjectStreamService::ReadByteForm(RgObjectStreamService::MakeByteForm(text)) == text);

  try {
    RgObjectStreamService::ReadObjectDataXML(text);
  } catch (const platform::Error& e) {
    Check(e.Number() == platform::errc::kSubscript || e.Number() == platform::errc::kTypeMismatch);
  }
  return 0;
}
