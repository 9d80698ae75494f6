// The handler of the offline project's symbol table: its item shows the type "RgSymbolTable" and
// the object's name; Delete asks the framework to delete the table.
//
// The deletion runs entirely through the table's storage owner and document interfaces; the
// tree follows through the model's own notifications, so Delete touches no item.
// Trap: Save does nothing; the symbol editor saves the table itself.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerSymbolTable final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerSymbolTable";
  std::string_view TypeName() const override { return kTypeName; }

 private:
  void FillData(RgProjectItemData& data) override;
  void OnDelete() override;

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
