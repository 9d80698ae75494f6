// Fuzzes the transfer object's byte reader: any bytes either load or raise a platform::Error
// that leaves the object as it was; bytes that load are exactly what saving the object writes
// (the format has one form per content), and that form loads again.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "host/framework/DataObject.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, data ? size : 0);
  auto object = platform::MakeObject<host::DataObject>();
  object->AddReference(std::string(mzblprsx::clsid::kBlockOffline), "FB1", "before");
  const std::vector<uint8_t> before = object->SaveBytes();
  try {
    object->LoadBytes(bytes);
  } catch (const platform::Error&) {
    if (object->SaveBytes() != before) std::abort();  // a refusal changed the object
    return 0;
  }
  const std::vector<uint8_t> saved = object->SaveBytes();
  if (!std::equal(saved.begin(), saved.end(), bytes.begin(), bytes.end())) std::abort();
  auto again = platform::MakeObject<host::DataObject>();
  try {
    again->LoadBytes(saved);
  } catch (const platform::Error&) {
    std::abort();  // what the writer wrote does not load
  }
  if (again->SaveBytes() != saved) std::abort();
  return 0;
}
