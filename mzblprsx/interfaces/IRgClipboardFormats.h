// The platform's clipboard format registry: a name gives the same number to every application
// of the machine for as long as it runs.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgClipboardFormats : public virtual platform::Object {
 public:
  /// The number of a format name, registering it on first use (names compare without regard to
  /// case); fails for an empty name.
  virtual int16_t RegisterFormat(const std::string& name) = 0;
};

}  // namespace mzblprsx
