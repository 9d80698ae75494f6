#include "host/framework/FrameworkGlobals.h"

#include "host/framework/ErrorService.h"
#include "host/framework/LanguageManager.h"
#include "host/framework/TraceService.h"

namespace host {

FrameworkGlobals::FrameworkGlobals()
    : errors_(platform::MakeObject<host::ErrorService>()),
      trace_(platform::MakeObject<host::TraceService>()),
      languages_(platform::MakeObject<host::LanguageManager>()) {}

FrameworkGlobals::~FrameworkGlobals() = default;

platform::Ref<mzblprsx::IRgErrorService> FrameworkGlobals::ErrorService() {
  return errors_;
}

platform::Ref<mzblprsx::IRgTraceService> FrameworkGlobals::TraceService() {
  return trace_;
}

platform::Ref<mzblprsx::IRgLanguageManager> FrameworkGlobals::LanguageManager() {
  return languages_;
}

}  // namespace host
