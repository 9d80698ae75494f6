// The handler of a ghost block's item (see RgObjectGhostBlock): it shows the type
// "RgGhostBlock" and the ghost's name, and hands the ghost its item at Initialize, so that the
// ghost's description can read the options of the snap-in that owns the tree.
//
// The ghost stands for no editor document and no project data: IsDirty and IsOpen are False,
// Delete and Save do nothing.
// Trap: Terminate drops the item (its own reference and the ghost's) only; the ghost object stays
// with the handler until the factory detaches it or the handler goes.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerGhostBlock final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerGhostBlock";
  std::string_view TypeName() const override { return kTypeName; }

  /// Drops the item, also from the ghost (see the file comment).
  void Terminate() override;

 private:
  void FillData(RgProjectItemData& data) override;
  void OnInitialize() override;
  bool HasDocument() const override { return false; }

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
