#include "host/model/ModelClasses.h"

#include "host/model/ItemMover.h"
#include "host/model/ProjectModel.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"

namespace host {

void RegisterModelClasses() {
  auto& registry = platform::ClassRegistry::Instance();
  registry.Register(mzblprsx::clsid::kProjectModel, "mzblpexx.RgProjectModel", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<ProjectModel>());
  });
  registry.Register(mzblprsx::clsid::kItemMover, "mzblpexx.RgItemMover", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<ItemMover>());
  });
}

}  // namespace host
