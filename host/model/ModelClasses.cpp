#include "host/model/ModelClasses.h"

#include "host/model/ItemData.h"
#include "host/model/ItemMover.h"
#include "host/model/ItemReferenceList.h"
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
  // Free-standing objects of the component: a list of item references (selections, the items a
  // transfer carries or an insert created) and a property set (a carried object's properties).
  registry.Register(mzblprsx::clsid::kProjectItems, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<ItemReferenceList>());
  });
  registry.Register(mzblprsx::clsid::kProjectItemData, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<ItemData>());
  });
}

}  // namespace host
