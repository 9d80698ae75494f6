// The snap-in's companion object of the error-service family: one Boolean operation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgCompanion : public virtual platform::Object {
 public:
  virtual void SetState(bool value) = 0;
};

}  // namespace mzblprsx
