// The new-block dialog component ("mzbdnblx.RgDialogNewBlock").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace mzblprsx {

class IRgNewBlockDialog : public virtual platform::Object {
 public:
  /// Asks the user for a new block and creates it in the container; nothing when cancelled.
  virtual Ref<IRgObject> CreateBlockOffline(Ref<Object> blockContainer) = 0;
};

}  // namespace mzblprsx
