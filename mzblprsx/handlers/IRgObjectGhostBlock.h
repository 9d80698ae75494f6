// What a view (or a command-line host that loads the library dynamically) reads of a ghost block,
// the item that stands in a program for the blocks that exist only on the other side:
//
//   if (auto ghost = item->Handler()->Object().As<mzblprsx::IRgObjectGhostBlock>())
//     for (const auto& block : ghost->NewEnum()) Show(block->DisplayName());
#pragma once

#include <cstdint>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObject;

class IRgObjectGhostBlock : public virtual Object {
 public:
  /// How many blocks the ghost stands for.
  virtual int32_t CountBlocks() = 0;
  /// The blocks in the order they were added.
  virtual std::vector<Ref<IRgObject>> NewEnum() = 0;
};

}  // namespace mzblprsx
