// The framework document interface of objects that open in editors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgDocument : public virtual platform::Object {
 public:
  virtual bool IsOpen() = 0;
  virtual bool IsModified() = 0;
};

}  // namespace mzblprsx
