#include "host/project/PlcProject.h"

#include <utility>

#include "host/project/HardwareConfig.h"
#include "host/project/MemoryCard.h"
#include "host/project/Program.h"
#include "mzblprsx/interfaces/ClassIds.h"

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

}  // namespace host
