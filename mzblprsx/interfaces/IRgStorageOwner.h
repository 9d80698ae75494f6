// The storage that owns a framework object's persistent data (the symbol table's).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"


namespace mzblprsx {

class IRgStorageOwner : public virtual platform::Object {
 public:
  /// The first operation: prepares the storage for a change.
  virtual void Prepare() = 0;
  /// Removes the owned object's storage; the symbol table delete passes (-1.0, 128, empty).
  virtual void Remove(double position, int32_t flags, const Variant& argument) = 0;
};

}  // namespace mzblprsx
