// The block service of one side, bound to its program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"

namespace mzblprsx {

class IRgBlockService : public virtual platform::Object {
 public:
  /// The program's blocks, in the program's order.
  virtual std::vector<Ref<IRgObject>> Blocks() = 0;
  /// Gives the block a new number; false when the service refuses (taken, invalid, protected).
  virtual bool Renumber(Ref<IRgObject> block, int32_t number) = 0;
  /// Deletes the blocks of the array from the program; fails when one cannot be deleted.
  virtual void DeleteBlocks(Ref<IRgObjectArray> blocks, int32_t flags) = 0;
};

}  // namespace mzblprsx
