// One batched framework notification: the class of the objects it is about and a list of
// entries, each a code with the objects it concerns.
//
// Codes of block notifications: 1 created, 2 deleted, 128 renumbered, 8192 changed, 3/4/8/64/
// 65536/4194304 further changes that may move a block; of the block container: 256 categories
// changed, 131072 symbols changed (its objects are the blocks whose symbols changed, or the
// container itself when any block's symbol may have changed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"

namespace mzblprsx {

struct RgNotificationEntry {
  int32_t code = 0;
  std::vector<Ref<IRgObject>> objects;
};

struct RgNotification {
  /// Class identifier of the notifying objects (the block class, the block container class...).
  std::string sourceClass;
  std::vector<RgNotificationEntry> entries;
};

}  // namespace mzblprsx
