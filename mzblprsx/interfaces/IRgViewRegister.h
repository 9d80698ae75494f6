// One register (tab) of a view window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgViewRegister : public virtual platform::Object {
 public:
  virtual std::string Name() = 0;
  /// The two activation operations: bring the register to the front, then show it.
  virtual void BringToFront() = 0;
  virtual void Show() = 0;
};

}  // namespace mzblprsx
