#include "host/framework/ObjectPath.h"

#include <utility>

#include "host/project/IProgramSource.h"
#include "host/project/Program.h"
#include "host/project/ProjectObject.h"
#include "host/project/ProjectRoot.h"

namespace host {

void ObjectPath::Start(platform::Ref<platform::Object> object) {
  start_ = std::move(object);
}

platform::Ref<mzblprsx::IRgObject> ObjectPath::Project() {
  if (!start_) return {};
  platform::Ref<ProjectObject> object = start_.As<ProjectObject>();
  if (!object) {
    if (const auto source = start_.As<IProgramSource>()) object = source->SourceProgram();
  }
  // Containers know their children strongly and children their container weakly: walking up
  // ends at the project, or at an object that left its container.
  while (object && !object.As<ProjectRoot>()) object = object->Parent();
  return object;
}

}  // namespace host
