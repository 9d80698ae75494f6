// The explorer cursor: the flat view of one project model that feeds the explorer tree, every
// shown item in tree order (depth first, parents before children).
//
//   auto cursor = platform::MakeObject<RgProjectCursorExplorer>();
//   cursor->SetOptionService(options);     // "General/Display/ShowSystemBlocks"
//   cursor->Attach(model);                 // fills the list; TotalRefresh when AutoRefresh is on
//   cursor->ItemAdd().Connect([](auto item, int32_t position) { ... });
//
// Not shown: the default category (its blocks are), the memory-card file container and its
// files, and system blocks while the option is off. A new item lands directly after the nearest
// shown item before it in the tree.
//
// Trap: the filter runs when an item enters the list, not when it changes: an item whose "TYPE"
// changes so that the filter would reject it stays listed until the next Refresh.
#pragma once

#include <cstdint>
#include <string_view>

#include "mzblprsx/cursors/RgProjectCursorBase.h"

namespace mzblprsx {

class RgProjectCursorExplorer final : public RgProjectCursorBase {
 public:
  static constexpr std::string_view kTypeName = "RgProjectCursorExplorer";

  RgProjectCursorExplorer() = default;
  std::string_view TypeName() const override { return kTypeName; }

  /// The number of listed items, as a 32-bit integer.
  Variant Count();
  /// Holds the model, lists its shown items into a new list and raises TotalRefresh when the
  /// model's AutoRefresh is on. Nothing acts as Detach.
  void Attach(Ref<RgProjectModel> model) override;
  /// Rebuilds the list from the model's tree and raises TotalRefresh; error 91 without a model.
  void Refresh() override;

 private:
  bool P_ValidateItem(const Ref<RgProjectItem>& item) override;
  void P_ItemAdded(const Ref<RgProjectItem>& item) override;

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
