// The comparison of the offline program with the PLC's, offered by the block service of the
// offline location beside IRgBlockService.
//
//   auto compare = blockService.As<IRgProgramCompare>();
//   const int32_t differing = compare->ComparePrograms(offlineOnly, onlineOnly);
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObjectArray;

class IRgProgramCompare : public virtual platform::Object {
 public:
  /// Appends to `offlineOnly` the blocks that exist only in the project and to `onlineOnly` those
  /// that exist only in the PLC (callers empty both first); returns the number of blocks on both
  /// sides that differ. Fails when no PLC is connected.
  virtual int32_t ComparePrograms(Ref<IRgObjectArray> offlineOnly,
                                  Ref<IRgObjectArray> onlineOnly) = 0;
};

}  // namespace mzblprsx
