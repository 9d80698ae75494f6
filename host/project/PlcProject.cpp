#include "host/project/PlcProject.h"

#include <utility>

#include "host/project/HardwareConfig.h"
#include "host/project/MemoryCard.h"
#include "host/project/Program.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"

namespace host {

namespace clsid = mzblprsx::clsid;

PlcProject::PlcProject(std::string guid, std::string name)
    : ProjectRoot(clsid::kProjectOnline, std::move(guid), std::move(name),
                  {clsid::kHwConfigOnline, clsid::kMemoryCard, clsid::kProgramOnline}) {}

platform::Ref<HardwareConfig> PlcProject::Hardware() const {
  return Child<HardwareConfig>(clsid::kHwConfigOnline);
}
platform::Ref<MemoryCard> PlcProject::MemoryCard() const {
  return Child<host::MemoryCard>(clsid::kMemoryCard);
}
platform::Ref<Program> PlcProject::Program() const {
  return Child<host::Program>(clsid::kProgramOnline);
}

void PlcProject::SetLoadMemory(std::optional<int64_t> bytes) {
  if (bytes && *bytes < 0) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "a load memory of " + std::to_string(*bytes) + " bytes is negative");
  }
  loadMemory_ = bytes;
}

}  // namespace host
