// The current online connection to the PLC.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgOnlineConnection : public virtual platform::Object {
 public:
  /// Access bracket around reading the PLC: 12 before, 13 after building the online tree.
  virtual void Access(int32_t code) = 0;
  /// The variable-table service for a child object of a project (nothing: the online one).
  virtual Ref<Object> VarTableService(Ref<Object> child) = 0;
};

}  // namespace mzblprsx
