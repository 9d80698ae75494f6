// The hardware service of one side, bound to its hardware configuration.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"


namespace mzblprsx {

class IRgHardwareService : public virtual platform::Object {
 public:
  /// Size in bytes of the station's configuration.
  virtual int32_t StationSize() = 0;
};

}  // namespace mzblprsx
