// The host's trace service: instance registry and call log (diagnostics only).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgTraceService : public virtual platform::Object {
 public:
  virtual void RegisterInstance(int32_t level, const std::string& className, int32_t& instance) = 0;
  virtual void UnregisterInstance(int32_t level, const std::string& className,
                                  int32_t instance) = 0;
  virtual void TraceCall(int32_t level, const std::string& className, const std::string& procedure,
                         const std::vector<std::string>& parameters) = 0;
  virtual int32_t GetReferenceCount(const Ref<Object>& object) = 0;
};

}  // namespace mzblprsx
