#include "mzblprsx/core/mdl_ErrorHandler.h"

#include <atomic>

#include "mzblprsx/core/DllEntryPoints.h"

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgErrorService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgTraceService.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {
namespace {
std::atomic<int64_t> gLiveObjects{0};
}  // namespace

int64_t LiveObjectCount() {
  return gLiveObjects.load();
}

Ref<IRgFrameworkGlobals> FrameworkGlobals() {
  return platform::CreateObjectAs<IRgFrameworkGlobals>(clsid::kFrameworkGlobals);
}

void ReportError(platform::Error& error, std::string_view className,
                 std::string_view procedureName) {
  const std::string cls(className);
  const std::string proc(procedureName);
  std::string location;
  location.reserve(kModuleName.size() + cls.size() + proc.size() + 2);
  location.append(kModuleName).append(".").append(cls).append(".").append(proc);
  error.SetSource(std::move(location));
  const int32_t number = error.Number();
  const std::string description = error.Description();
  const std::string source = error.Source();
  const std::string helpFile = error.HelpFile();
  const int32_t helpContext = error.HelpContext();
  // No trap here: a failing service call leaves ReportError and the failing procedure with it.
  FrameworkGlobals()->ErrorService()->ReportErrorToService(number, description, source, helpFile,
                                                           helpContext);
}

void TraceCall(int32_t level, std::string_view className, std::string_view procedure,
               const std::vector<std::string>& parameters) {
  FrameworkGlobals()->TraceService()->TraceCall(level, std::string(className),
                                                std::string(procedure), parameters);
}

InstanceTrace::InstanceTrace(std::string_view className) : className_(className) {
  ++gLiveObjects;
  Guard(className_, "Class_Initialize", [&] {
    FrameworkGlobals()->TraceService()->RegisterInstance(1, std::string(className_), number_);
  });
}

InstanceTrace::~InstanceTrace() {
  --gLiveObjects;
  // A destructor cannot let an error travel on: a failure is reported and then dropped.
  try {
    Guard(className_, "Class_Terminate", [&] {
      FrameworkGlobals()->TraceService()->UnregisterInstance(1, std::string(className_), number_);
    });
  } catch (...) {  // NOLINT(bugprone-empty-catch): nowhere to send it from a destructor
  }
}

}  // namespace mzblprsx
