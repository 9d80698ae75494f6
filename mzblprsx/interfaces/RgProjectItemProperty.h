// One stored entry of an item's property set; its value can be replaced in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItemProperty : public virtual platform::Object {
 public:
  virtual std::string Key() = 0;
  virtual Variant Value() = 0;
  virtual void SetValue(const Variant& value) = 0;
  virtual int32_t Flags() = 0;
};

}  // namespace mzblprsx
