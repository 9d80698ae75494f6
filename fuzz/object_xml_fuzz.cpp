// Fuzz target: the object XML reader, which reads the object lists that other programs put on
// the clipboard or into a drag. It may refuse a text, but only with the runtime's errors; what it
// reads must be the documented shape, and writing it out and reading it again must give the same
// objects (the writer and the reader agree).
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/Error.h"
#include "platform/SafeArray.h"

namespace {

using mzblprsx::RgObjectStreamService;
using platform::SafeArray;

std::shared_ptr<SafeArray> Read(std::string_view xml) {
  try {
    return RgObjectStreamService::ReadObjectDataXML(xml);
  } catch (const platform::Error& e) {
    if (e.Number() != platform::errc::kSubscript && e.Number() != platform::errc::kTypeMismatch) {
      std::abort();  // only "no object" and "open flag is no Boolean" are expected refusals
    }
    return nullptr;
  }
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto first = Read(text);
  if (!first) return 0;
  Check(first->Dimensions() == 2 && first->LBound(1) == 1 && first->UBound(1) == 3);
  Check(first->LBound(2) == 1 && first->UBound(2) >= 1);
  for (int32_t i = 1; i <= first->UBound(2); ++i) {
    const platform::VarType open = first->Get({3, i}).Type();
    Check(open == platform::VarType::Empty || open == platform::VarType::Bool);
  }

  const std::string written = RgObjectStreamService::WriteObjectDataXML(platform::Variant(first));
  const auto second = Read(written);
  Check(second != nullptr);
  Check(second->UBound(2) == first->UBound(2));
  for (int32_t i = 1; i <= first->UBound(2); ++i) {
    Check(second->Get({1, i}).ToString() == first->Get({1, i}).ToString());
    Check(second->Get({2, i}).ToString() == first->Get({2, i}).ToString());
    // An object without a flag is written as closed.
    Check(second->Get({3, i}).ToBool() == first->Get({3, i}).ToBool());
  }
  return 0;
}
