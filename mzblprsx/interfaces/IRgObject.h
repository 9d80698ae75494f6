// The framework object interface of every project object of the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObject : public virtual platform::Object {
 public:
  virtual std::string ClassID() = 0;
  virtual std::string ObjectID() = 0;
  virtual std::string DisplayName() = 0;
  virtual void Delete() = 0;
};

}  // namespace mzblprsx
