// The handler of one block in the PLC's program: its item shows the block's type, name, number,
// header, author, language, size, date, display texts and flags, as the offline block does, but
// without symbol or states (a block in the PLC has no symbol), and its title is its name.
//
// Save and Delete do nothing: blocks in the PLC are deleted through the program handler
// (DeleteBlocks) and are never edited in place.
// Trap: the date is read from the block as text; a text that is no date is a type mismatch (13)
// of the fill.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerBlockOnline final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerBlockOnline";
  std::string_view TypeName() const override { return kTypeName; }

 private:
  void FillData(RgProjectItemData& data) override;

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
