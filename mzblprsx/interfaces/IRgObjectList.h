// A project container's children, looked up by class identifier.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObjectList : public virtual platform::Object {
 public:
  virtual int32_t Count() = 0;
  /// The child at a 1-based position; error 9 outside the range.
  virtual Ref<IRgObject> Item(int32_t index) = 0;
  /// The child of that class; fails (error) when there is none.
  virtual Ref<IRgObject> ItemByClass(const std::string& classId) = 0;
};

}  // namespace mzblprsx
