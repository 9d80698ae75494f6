// A file on the PLC's memory card (framework object of class clsid::kMMCFile) beside its
// IRgObject side (DisplayName is the file name).
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgMMCFile : public virtual platform::Object {
 public:
  virtual int32_t FileType() = 0;
  /// The type as the details list shows it ("Program", "Data", ...).
  virtual std::string TypeText() = 0;
  virtual int32_t Size() = 0;
  /// "YYYY-MM-DD HH:MM:SS".
  virtual std::string LastModifiedText() = 0;
};

}  // namespace mzblprsx
