// The host's service factory: a new object per request, selecting services by class identifier.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgServiceFactory : public virtual platform::Object {
 public:
  /// The service of that class identifier for the given contexts; error when the factory has none.
  virtual Ref<Object> GetService(const std::string& serviceClassId, Ref<Object> offlineContext,
                                 Ref<Object> onlineContext, const std::string& contextName) = 0;
};

}  // namespace mzblprsx
