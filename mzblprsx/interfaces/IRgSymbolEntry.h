// One entry of a symbol table: an address ("FB12") and the symbolic name it carries.
#pragma once

#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgSymbolEntry : public virtual platform::Object {
 public:
  /// The symbolic name ("Motor"); never empty.
  virtual std::string Symbol() = 0;
  /// The address the name stands for ("FB12").
  virtual std::string Address() = 0;
};

}  // namespace mzblprsx
