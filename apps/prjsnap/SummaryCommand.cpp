#include "SummaryCommand.h"

#include <ostream>

#include "host/Environment.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "platform/ClassRegistry.h"

namespace prjsnap {

void SummaryCommand::Register(std::ostream& out) {
  platform::ClassRegistry::Instance().Register("", kProgId, [&out] {
    return platform::Ref<platform::Object>(platform::MakeObject<SummaryCommand>(out));
  });
}

bool SummaryCommand::CanExecute() {
  return host::Environment::Current() != nullptr;
}

bool SummaryCommand::Execute() {
  host::Environment* env = host::Environment::Current();
  if (env == nullptr) return false;
  const auto name = [](const auto& object) {
    if (!object) return std::string("none");
    std::string quoted(1, '\'');
    quoted.append(object->DisplayName()).push_back('\'');
    return quoted;
  };
  out_ << "    command " << id_ << " (" << Title() << "): project " << name(env->Project())
       << ", PLC " << name(env->Plc()) << "\n";
  return true;
}

}  // namespace prjsnap
