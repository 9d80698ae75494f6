// The handler of the memory card of the connected PLC (the card itself; its file list has a handler
// of its own): its item shows the type "RgMemoryCard" and the object's name.
//
// Delete and Save do nothing: the card's files are deleted and renamed through their own
// items.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerMemoryCard final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerMemoryCard";
  std::string_view TypeName() const override { return kTypeName; }

 private:
  void FillData(RgProjectItemData& data) override;

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
