// The block container interface of a program object: where new blocks are created.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace mzblprsx {

class IRgBlockContainer : public virtual platform::Object {
 public:
  /// The program object the container belongs to.
  virtual Ref<IRgObject> ContainerObject() = 0;
};

}  // namespace mzblprsx
