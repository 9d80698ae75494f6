// The hardware configuration snap-in ('SnapInHWConfig') as the library uses it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgHwConfigSnapIn : public virtual platform::Object {
 public:
  /// Code 1: the PLC's hardware configuration is to be listed; code 2: the physical station is.
  virtual bool Query(int32_t code) = 0;
  virtual void Delete(int32_t argument) = 0;
};

}  // namespace mzblprsx
