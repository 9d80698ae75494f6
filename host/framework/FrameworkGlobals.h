// The framework globals object of one application: its error service, trace service and
// language manager.
//
//   auto globals = platform::CreateObjectAs<mzblprsx::IRgFrameworkGlobals>(
//       mzblprsx::clsid::kFrameworkGlobals);    // the current Environment's globals
//   globals->ErrorService()->ReportErrorToService(...);
//
// One per Environment; the class registry's factory hands out the globals of the calling
// thread's current Environment, so every creation on one thread yields the same object.
// Trap: the globals own the three services; nothing else may keep them alive past the
// Environment, or errors reported late would go to an application that no longer exists.
#pragma once

#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "platform/Ref.h"

namespace host {

class ErrorService;
class TraceService;
class LanguageManager;

class FrameworkGlobals : public mzblprsx::IRgFrameworkGlobals {
 public:
  FrameworkGlobals();
  ~FrameworkGlobals() override;

  std::string_view TypeName() const override { return "FrameworkGlobals"; }

  platform::Ref<mzblprsx::IRgErrorService> ErrorService() override;
  platform::Ref<mzblprsx::IRgTraceService> TraceService() override;
  platform::Ref<mzblprsx::IRgLanguageManager> LanguageManager() override;

  /// The same services as their host classes.
  host::ErrorService& Errors() { return *errors_; }
  host::TraceService& Trace() { return *trace_; }
  host::LanguageManager& Languages() { return *languages_; }

 private:
  platform::Ref<host::ErrorService> errors_;
  platform::Ref<host::TraceService> trace_;
  platform::Ref<host::LanguageManager> languages_;
};

}  // namespace host
