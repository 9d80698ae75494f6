// The handler of one block of the offline program: it fills the richest property set of the
// tree (type, name, number, symbol, header, author, language, size, date, display texts, flags),
// keeps the block's symbol and make states in the item's state set, checks a new number or
// symbol typed by the user, and writes edited values back on Save.
//
//   auto block = item->HandlerObject().Cast<RgPrjHandlerBlockOffline>();
//   int32_t number = 12;
//   if (block->CheckBlockNumber(number) == RgBlockDataErrorOK) {
//     item->Data()->SetValue("BLOCKNUMBER", Variant(number), 3);
//     block->Save();   // renumbers, then header, author, document and symbol
//   }
//
// The title shown in the tree puts the symbol or the absolute name first, as the option
// "General/Settings/AddressPriority" says (1: symbol first).
// Trap: a renumbering that the block service refuses ends Save quietly: header, author,
// document and symbol are then not written either.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/handlers/IRgBlockHandlerOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class IRgBlockInfo;

class RgPrjHandlerBlockOffline final : public RgPrjHandlerBase,
                                       public virtual IRgBlockHandlerOffline {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerBlockOffline";
  std::string_view TypeName() const override { return kTypeName; }

  /// Whether the block can take the number: its own current number is always OK; otherwise
  /// the number must be valid for the block's type and free in the program. The argument is
  /// not changed.
  RgEnumBlockDataErrors CheckBlockNumber(int32_t& lNewBlockNumber) override;
  /// Whether the text can be the block's symbol: no double quote, at most 24 characters (not
  /// bytes). Uniqueness is not checked. The argument is not changed.
  RgEnumBlockDataErrors CheckBlockSymbol(std::string& sNewBlockSymbol) override;

  /// The framework's block information object, kept by the snap-in.
  Ref<IRgBlockInfo> BlockInfo();

 private:
  void FillData(RgProjectItemData& data) override;
  void OnSave() override;
  /// The tree title: name and symbol in the order of the address priority option.
  std::string P_GetDisplayTitle(const std::string& name, const std::string& symbol);
  /// Renumbers (when the item's number changed), then writes header and author; False when the
  /// block service is missing or refuses the number.
  bool P_SetNewBlockData();
  void P_SetNewBlockSymbol(const std::string& symbol);

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
