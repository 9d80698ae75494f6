// Fuzz target: the stored category order, the UTF-16LE data block a program keeps its category
// order in. Both readers of it, the program handler's and the project file's, get the same bytes
// and must agree on the identifiers they read; neither may crash on damaged bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "host/Environment.h"
#include "host/project/Program.h"
#include "mzblprsx/core/DllEntryPoints.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgAttributeStorage.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace {

/// A program object whose stored category order is whatever the fuzzer gives.
class FuzzProgram final : public mzblprsx::IRgObject, public mzblprsx::IRgAttributeStorage {
 public:
  explicit FuzzProgram(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::string_view TypeName() const override { return "FuzzProgram"; }
  std::string ClassID() override { return std::string(mzblprsx::clsid::kProgramOffline); }
  std::string ObjectID() override { return "PROGRAM"; }
  std::string DisplayName() override { return "Program"; }
  void Delete() override {}
  std::vector<uint8_t> DataBlock(const std::string&) override { return bytes_; }
  void SetDataBlock(const std::string&, const std::vector<uint8_t>& bytes) override {
    bytes_ = bytes;
  }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static host::Environment* env = [] {
    auto* e = new host::Environment();  // lives for the whole run, like the host application
    DllRegisterServer();
    return e;
  }();
  (void)env;
  std::vector<uint8_t> bytes(data, data + size);
  auto handler = platform::MakeObject<mzblprsx::RgPrjHandlerProgramOffline>();
  handler->SetObject(platform::MakeObject<FuzzProgram>(bytes));
  const std::vector<std::string> read = handler->GetCategoryOrder();
  handler->Terminate();
  const std::vector<std::string> decoded = host::Program::DecodeCategoryOrder(bytes);
  if (read != decoded) std::abort();  // the two readers disagree: a finding
  return 0;
}
