// The item mover of the project model component: moves queued items from one parent to
// another (or to another place below the same parent), keeping their handlers.
//
//   auto mover = platform::CreateObjectAs<mzblprsx::IRgItemMover>(mzblprsx::clsid::kItemMover);
//   mover->SetParents(oldCategory, newCategory);
//   mover->AddItem(block, /*before=*/nothing, /*after=*/nothing);   // to the end
//   mover->Execute();   // ItemRemove(block, old position), then ItemAdd(block, new position)
//
// Each queued item is moved in queue order, its neighbours resolved when its turn comes (the
// item goes directly after `after` when given, else directly before `before`, else to the
// end). A queued item must be a child of the old parent when one is set. With no new parent
// the items are parked outside the tree: they keep their handlers, and the new parent's
// Items()->Add puts them back. An item placed next to itself stays where it is.
// A failing entry does not stop the others; Execute throws the first failure at the end.
//
// Trap: the mover holds the parents and queued items strongly until Execute (or its end).
#pragma once

#include <vector>

#include "mzblprsx/interfaces/IRgItemMover.h"

namespace host {

class ItemMover final : public mzblprsx::IRgItemMover {
 public:
  std::string_view TypeName() const override { return "RgItemMover"; }

  void SetParents(platform::Ref<mzblprsx::RgProjectItem> oldParent,
                  platform::Ref<mzblprsx::RgProjectItem> newParent) override;
  void AddItem(platform::Ref<mzblprsx::RgProjectItem> item,
               platform::Ref<mzblprsx::RgProjectItem> before,
               platform::Ref<mzblprsx::RgProjectItem> after) override;
  /// Moves every queued item and empties the queue, also when a move fails.
  void Execute() override;

  /// Number of queued items.
  size_t Pending() const { return queue_.size(); }

 private:
  struct Entry {
    platform::Ref<mzblprsx::RgProjectItem> item;
    platform::Ref<mzblprsx::RgProjectItem> before;
    platform::Ref<mzblprsx::RgProjectItem> after;
  };
  void MoveOne(const Entry& entry);

  platform::Ref<mzblprsx::RgProjectItem> oldParent_;
  platform::Ref<mzblprsx::RgProjectItem> newParent_;
  std::vector<Entry> queue_;
};

}  // namespace host
