// The symbol service of the offline project (the service factory's clsid::kSymbolService): the
// project's symbol table and the tables of predefined symbols.
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/IRgSymbolTable.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgSymbolService : public virtual platform::Object {
 public:
  /// The project's symbol table; nothing when the project has none.
  virtual Ref<IRgSymbolTable> SymbolTable() = 0;
  /// Kind 0: the standard symbols of the system blocks (SFC, SFB, OB); nothing for other kinds.
  virtual Ref<IRgSymbolTable> PredefinedSymbols(int32_t kind) = 0;
};

}  // namespace mzblprsx
