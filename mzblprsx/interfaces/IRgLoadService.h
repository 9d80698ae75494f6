// The host's load service: load state of an update list; download and upload.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgLoadService : public virtual platform::Object {
 public:
  /// The load state of the objects named by the object XML `updateList`; flags 16 asks the
  /// service to notify its listeners.
  virtual int32_t LoadState(const std::string& updateList, int32_t flags) = 0;
};

}  // namespace mzblprsx
