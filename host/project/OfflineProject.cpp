#include "host/project/OfflineProject.h"

#include <utility>

#include "host/project/Documentation.h"
#include "host/project/HardwareConfig.h"
#include "host/project/NotificationHub.h"
#include "host/project/Program.h"
#include "host/project/ProjectFileObject.h"
#include "host/project/References.h"
#include "host/project/SymbolTable.h"
#include "host/project/VarTables.h"
#include "mzblprsx/interfaces/ClassIds.h"

namespace host {

namespace clsid = mzblprsx::clsid;

OfflineProject::OfflineProject(std::string guid, std::string name)
    : ProjectRoot(clsid::kProjectOffline, std::move(guid), std::move(name),
                  {clsid::kHwConfigOffline, clsid::kSymbolTable, clsid::kVarTables,
                   clsid::kReferences, clsid::kDocumentation, clsid::kProgramOffline}) {}

platform::Ref<ProjectFileObject> OfflineProject::FileObject() {
  if (!fileObject_) {
    fileObject_ = platform::MakeObject<ProjectFileObject>(platform::Self(this));
  }
  return fileObject_;
}

void OfflineProject::OnChildrenChanged(ProjectObject& child) {
  if (child.ClassId() != clsid::kSymbolTable) return;
  if (const auto program = Program()) {
    Notifications().RaiseBatched(NotificationHub::kSymbolsChanged, *program);
  }
}

platform::Ref<HardwareConfig> OfflineProject::Hardware() const {
  return Child<HardwareConfig>(clsid::kHwConfigOffline);
}
platform::Ref<SymbolTable> OfflineProject::Symbols() const {
  return Child<SymbolTable>(clsid::kSymbolTable);
}
platform::Ref<VarTables> OfflineProject::VarTables() const {
  return Child<host::VarTables>(clsid::kVarTables);
}
platform::Ref<References> OfflineProject::References() const {
  return Child<host::References>(clsid::kReferences);
}
platform::Ref<Documentation> OfflineProject::Documentation() const {
  return Child<host::Documentation>(clsid::kDocumentation);
}
platform::Ref<Program> OfflineProject::Program() const {
  return Child<host::Program>(clsid::kProgramOffline);
}

}  // namespace host
