#include "host/project/ProjectClasses.h"

#include "host/project/BlockInfo.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"

namespace host {

void RegisterProjectClasses() {
  // The block information object is stateless; every creation may give a new one.
  platform::ClassRegistry::Instance().Register(
      mzblprsx::clsid::kBlockInfo, "mzframex.RgBlockInfo",
      [] { return platform::Ref<platform::Object>(platform::MakeObject<BlockInfo>()); });
}

}  // namespace host
