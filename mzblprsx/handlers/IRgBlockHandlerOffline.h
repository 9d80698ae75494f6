// The checks of the offline block handler, for hosts that load the library dynamically. An edit
// of a block is checked first, then written into the item's data and applied by Save:
//
//   auto block = blockItem->HandlerObject().Cast<mzblprsx::IRgBlockHandlerOffline>();
//   int32_t number = 12;
//   if (block->CheckBlockNumber(number) == mzblprsx::RgBlockDataErrorOK) {
//     blockItem->Data()->SetValue("BLOCKNUMBER", platform::Variant(number), 3);
//     blockItem->Handler()->Save();
//   }
//
// Trap: the checks do not cover everything Save may meet: the framework can still refuse a
// renumbering (a protected block), and symbols are not checked for uniqueness.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

enum RgEnumBlockDataErrors : int32_t {
  RgBlockDataErrorOK = 0,
  RgBlockDataErrorInvalidNumber = 1,
  RgBlockDataErrorBlockExist = 2,
  RgBlockDataErrorInvalidSymbolCharacter = 4,
  RgBlockDataErrorSymbolTooLong = 8,
};

class IRgBlockHandlerOffline : public virtual Object {
 public:
  /// The longest symbol accepted, in characters.
  static constexpr size_t kMaxSymbolLength = 24;

  /// Whether the block can take the number (its own current number always can). The argument
  /// is not changed.
  virtual RgEnumBlockDataErrors CheckBlockNumber(int32_t& lNewBlockNumber) = 0;
  /// Whether the text can be the block's symbol (empty removes it). The argument is not changed.
  virtual RgEnumBlockDataErrors CheckBlockSymbol(std::string& sNewBlockSymbol) = 0;
};

}  // namespace mzblprsx
