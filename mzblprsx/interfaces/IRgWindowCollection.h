// A collection of the host's windows of one kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgViewWindow.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgWindowCollection : public virtual platform::Object {
 public:
  virtual int32_t Count() = 0;
  /// The window of that name; fails when there is none.
  virtual Ref<IRgViewWindow> Item(const std::string& name) = 0;
};

}  // namespace mzblprsx
