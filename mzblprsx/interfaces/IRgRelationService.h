// Framework objects related to an object (the physical station of a PLC).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgRelationService : public virtual platform::Object {
 public:
  virtual Ref<Object> GetRelated(Ref<Object> object, int32_t relation, int32_t argument) = 0;
};

}  // namespace mzblprsx
