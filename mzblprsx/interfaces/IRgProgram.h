// An offline program object as the handlers read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgProgramDocuments.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgProgram : public virtual platform::Object {
 public:
  /// The object identifier of the program's default category as a number; 0 when it has none.
  virtual int32_t DefaultCategoryID() = 0;
  /// The program's documents (its blocks as they open in editors).
  virtual Ref<IRgProgramDocuments> Documents() = 0;
};

}  // namespace mzblprsx
