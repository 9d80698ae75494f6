// An offline program object as the handlers read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"


namespace mzblprsx {

class IRgProgram : public virtual platform::Object {
 public:
  /// The object identifier of the program's default category as a number; 0 when it has none.
  virtual int32_t DefaultCategoryID() = 0;
};

}  // namespace mzblprsx
