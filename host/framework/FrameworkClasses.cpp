#include "host/framework/FrameworkClasses.h"

#include "host/Environment.h"

#include "host/framework/CategorySync.h"
#include "host/framework/ClipboardFormats.h"
#include "host/framework/DataObject.h"
#include "host/framework/DeletedItemSweeper.h"
#include "host/framework/NewBlockDialog.h"
#include "host/framework/NotifySubscription.h"
#include "host/framework/ObjectFinder.h"
#include "host/framework/ObjectPath.h"
#include "host/model/ProjectModel.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"

namespace host {

void RegisterFrameworkClasses() {
  auto& registry = platform::ClassRegistry::Instance();
  registry.Register(mzblprsx::clsid::kObjectFinder, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<ObjectFinder>());
  });
  registry.Register(mzblprsx::clsid::kObjectPath, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<ObjectPath>());
  });
  registry.Register(mzblprsx::clsid::kDataObject, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<DataObject>());
  });
  registry.Register(mzblprsx::clsid::kClipboardFormats, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<ClipboardFormats>());
  });
  registry.Register(mzblprsx::clsid::kNewBlockDialog, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<NewBlockDialog>());
  });
  registry.Register(mzblprsx::clsid::kNotifySubscription, "mzframex.RgNotifySubscription", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<NotifySubscription>());
  });
  // Every model the library creates keeps the framework data in step with its tree.
  registry.Register(mzblprsx::clsid::kProjectModel, "mzblpexx.RgProjectModel", [] {
    auto model = platform::MakeObject<ProjectModel>();
    CategorySync::Attach(model);
    DeletedItemSweeper::Attach(model);
    if (Environment* env = Environment::Current()) env->NoteModel(model);
    return platform::Ref<platform::Object>(model);
  });
}

}  // namespace host
