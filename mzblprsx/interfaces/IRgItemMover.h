// The item mover ({500C120A-...}): moves items from one parent to another.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgItemMover : public virtual platform::Object {
 public:
  virtual void SetParents(Ref<RgProjectItem> oldParent, Ref<RgProjectItem> newParent) = 0;
  /// Queues an item with its new neighbours under the new parent (nothing, nothing: appended).
  virtual void AddItem(Ref<RgProjectItem> item, Ref<RgProjectItem> before,
                       Ref<RgProjectItem> after) = 0;
  /// Carries out the queued moves in order (ItemRemove then ItemAdd for each) and empties the
  /// queue.
  virtual void Execute() = 0;
};

}  // namespace mzblprsx
