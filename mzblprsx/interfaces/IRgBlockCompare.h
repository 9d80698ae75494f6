// The compare state a block object reports of itself against its counterpart on the other side.
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgBlockCompare : public virtual platform::Object {
 public:
  /// 0 no comparison (nothing connected, or no counterpart), 1 equal, 2 different, 3 cannot be
  /// compared.
  virtual int32_t CompareState() = 0;
};

}  // namespace mzblprsx
