// A symbol table as the transfer checks and the overwrite dialog read it: look-ups by address and
// by symbolic name, each answering an entry index.
//
//   const int32_t at = table->FindEntry("FB12");
//   if (at >= 0) symbol = table->Entry(at)->Symbol();
//
// Trap: indexes run from 0 to Count() - 1 and are only valid until the table changes.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/IRgSymbolEntry.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgSymbolTable : public virtual platform::Object {
 public:
  /// How many entries the table has.
  virtual int32_t Count() = 0;
  /// The index of the entry of an address ("FB12"); negative when the address has no symbol.
  virtual int32_t FindEntry(const std::string& address) = 0;
  /// The index of the entry that carries this symbolic name; negative when no entry has it.
  virtual int32_t FindSymbol(const std::string& symbol) = 0;
  /// The entry at an index; nothing outside 0 .. Count() - 1.
  virtual Ref<IRgSymbolEntry> Entry(int32_t index) = 0;
};

}  // namespace mzblprsx
