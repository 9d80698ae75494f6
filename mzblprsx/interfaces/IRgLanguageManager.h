// Loads and unloads the language modules of the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgLanguageAccess.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgLanguageManager : public virtual platform::Object {
 public:
  /// The texts of the module with that prefix ("mzprui_").
  virtual Ref<IRgLanguageAccess> GetLanguageAccess(const std::string& prefix) = 0;
  virtual void ReleaseLanguageAccess(const std::string& prefix) = 0;
};

}  // namespace mzblprsx
