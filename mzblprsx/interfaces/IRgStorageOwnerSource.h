// A framework object whose data lives in a storage owner.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/interfaces/IRgStorageOwner.h"

namespace mzblprsx {

class IRgStorageOwnerSource : public virtual platform::Object {
 public:
  virtual Ref<IRgStorageOwner> StorageOwner() = 0;
};

}  // namespace mzblprsx
