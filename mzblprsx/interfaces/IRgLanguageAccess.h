// Numbered user texts of one language module.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgLanguageAccess : public virtual platform::Object {
 public:
  virtual std::string GetText(int32_t number) = 0;
};

}  // namespace mzblprsx
