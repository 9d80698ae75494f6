// The host's project service: opening and closing of the offline project.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgProjectService : public virtual platform::Object {
 public:
  /// (file object, project object)
  virtual platform::Signal<Ref<Object>, Ref<Object>>& Open() = 0;
  virtual platform::Signal<Ref<Object>, Ref<Object>>& Close() = 0;
};

}  // namespace mzblprsx
