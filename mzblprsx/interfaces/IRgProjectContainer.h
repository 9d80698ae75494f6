// A project container: the offline project or the connected PLC.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgProjectContainer : public virtual platform::Object {
 public:
  virtual Ref<IRgObjectList> Objects() = 0;
  /// The project's identifier (its GUID text).
  virtual std::string Identifier() = 0;
};

}  // namespace mzblprsx
