// The user-interface element (menu entry, button) of one command.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgCommandUI : public virtual platform::Object {
 public:
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() = 0;
};

}  // namespace mzblprsx
