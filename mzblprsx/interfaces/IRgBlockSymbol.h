// The symbol interface of a block object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"


namespace mzblprsx {

class IRgBlockSymbol : public virtual platform::Object {
 public:
  /// The block's symbolic name; empty when it has none.
  virtual std::string Symbol() = 0;
  virtual void SetSymbol(const std::string& symbol) = 0;
};

}  // namespace mzblprsx
