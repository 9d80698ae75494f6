#include "host/project/ProjectClasses.h"

#include "host/project/BlockInfo.h"
#include "host/project/HwCompare.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"

namespace host {

void RegisterProjectClasses() {
  auto& registry = platform::ClassRegistry::Instance();
  // The block information object is stateless; every creation may give a new one.
  registry.Register(mzblprsx::clsid::kBlockInfo, "mzframex.RgBlockInfo", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<BlockInfo>());
  });
  // A comparison keeps its result: each one is a new object.
  registry.Register(mzblprsx::clsid::kHwCompare, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<HwCompare>());
  });
}

}  // namespace host
