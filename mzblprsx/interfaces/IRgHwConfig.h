// A hardware configuration object as the handlers read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgHwConfig : public virtual platform::Object {
 public:
  /// The date of the last change as the configuration's document reports it, "YYYY-MM-DD HH:MM:SS".
  virtual std::string LastModifiedText() = 0;
  /// The framework's document state of the station; 8192 means it cannot be compared with the
  /// other side's.
  virtual int32_t DocumentState() = 0;
};

}  // namespace mzblprsx
