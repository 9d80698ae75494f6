// The block service of one side, bound to its program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgDataObjectItem;

class IRgBlockService : public virtual platform::Object {
 public:
  /// The program's blocks, in the program's order.
  virtual std::vector<Ref<IRgObject>> Blocks() = 0;
  /// Gives the block a new number; false when the service refuses (taken, invalid, protected).
  virtual bool Renumber(Ref<IRgObject> block, int32_t number) = 0;
  /// Deletes the blocks of the array from the program; fails when one cannot be deleted.
  virtual void DeleteBlocks(Ref<IRgObjectArray> blocks, int32_t flags) = 0;
  /// Creates a block of the program from a transfer entry's block content, under the given type
  /// and number (a rename when they differ from the entry's own). With `replace` a block of that
  /// type and number is replaced; without, it is an error. Fails for an entry without block
  /// content. Returns the new block.
  virtual Ref<IRgObject> CreateFromData(Ref<IRgDataObjectItem> item, bool replace, int32_t type,
                                        int32_t number) = 0;
};

}  // namespace mzblprsx
