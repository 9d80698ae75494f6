// The handler of the offline project's variable tables: its item shows the type "RgVarTables"
// and the object's name; Save saves the tables as a document through the application.
//
// Trap: the tables cannot be deleted from the tree; Delete does nothing.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerVarTables final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerVarTables";
  std::string_view TypeName() const override { return kTypeName; }

 private:
  void FillData(RgProjectItemData& data) override;
  void OnSave() override;

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
