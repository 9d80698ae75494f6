// The host's information window (CPU information with memory).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgInfoWindow : public virtual platform::Object {
 public:
  virtual void Show(int32_t first, int32_t second, int32_t third) = 0;
  virtual void Close() = 0;
};

}  // namespace mzblprsx
