// The handler of the cross-reference list of the offline project: its item shows the type "RgXRef"
// and the object's name.
//
// Nothing of it can be deleted or saved from the tree: Delete and Save do nothing.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerReferences final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerReferences";
  std::string_view TypeName() const override { return kTypeName; }

 private:
  void FillData(RgProjectItemData& data) override;

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
