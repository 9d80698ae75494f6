// The framework's list of RgObject references (1-based).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObjectArray : public virtual platform::Object {
 public:
  virtual int32_t Count() = 0;
  virtual Ref<IRgObject> Item(int32_t index) = 0;
  virtual void Add(Ref<IRgObject> object) = 0;
  virtual void Remove(int32_t index) = 0;
  virtual void Clear() = 0;
};

}  // namespace mzblprsx
