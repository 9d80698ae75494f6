#include "mzblprsx/core/mdl_ErrorHandler.h"

#include <atomic>
#include <memory>
#include <string>
#include <unordered_map>

#include "mzblprsx/core/DllEntryPoints.h"

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgErrorService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgTraceService.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {
namespace {
std::atomic<int64_t> gLiveObjects{0};

/// The class name as the trace service takes it. Every object of a class passes the same
/// constant, so each class's text is made once per thread and kept (a few dozen classes).
const std::string& ClassNameText(std::string_view className) {
  thread_local std::unordered_map<const char*, std::string> texts;
  auto it = texts.find(className.data());
  if (it == texts.end() || it->second != className) {
    it = texts.insert_or_assign(className.data(), std::string(className)).first;
  }
  return it->second;
}

}  // namespace

int64_t LiveObjectCount() {
  return gLiveObjects.load();
}

Ref<IRgFrameworkGlobals> FrameworkGlobals() {
  // Every library object registers with the trace service when it is made and when it dies;
  // going through the class registry each time would cost more than the object's own work.
  thread_local std::weak_ptr<IRgFrameworkGlobals> remembered;
  if (std::shared_ptr<IRgFrameworkGlobals> globals = remembered.lock()) return globals;
  Ref<IRgFrameworkGlobals> globals =
      platform::CreateObjectAs<IRgFrameworkGlobals>(clsid::kFrameworkGlobals);
  remembered = globals.Shared();
  return globals;
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
    FrameworkGlobals()->TraceService()->RegisterInstance(1, ClassNameText(className_), number_);
  });
}

InstanceTrace::~InstanceTrace() {
  --gLiveObjects;
  // A destructor cannot let an error travel on: a failure is reported and then dropped.
  try {
    Guard(className_, "Class_Terminate", [&] {
      FrameworkGlobals()->TraceService()->UnregisterInstance(1, ClassNameText(className_), number_);
    });
  } catch (...) {  // NOLINT(bugprone-empty-catch): nowhere to send it from a destructor
  }
}

}  // namespace mzblprsx
