// The framework globals object: one per application thread, created on first use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class IRgErrorService;
class IRgTraceService;
class IRgLanguageManager;

class IRgFrameworkGlobals : public virtual platform::Object {
 public:
  virtual Ref<IRgErrorService> ErrorService() = 0;
  virtual Ref<IRgTraceService> TraceService() = 0;
  virtual Ref<IRgLanguageManager> LanguageManager() = 0;
};

}  // namespace mzblprsx
