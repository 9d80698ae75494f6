// The handler of the offline project's documentation: its item shows the type "RgDocumentation"
// and the object's name; Save saves the documentation as a document through the application.
//
// Trap: the documentation cannot be deleted from the tree; Delete does nothing.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerDocumentation final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerDocumentation";
  std::string_view TypeName() const override { return kTypeName; }

 private:
  void FillData(RgProjectItemData& data) override;
  void OnSave() override;

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
