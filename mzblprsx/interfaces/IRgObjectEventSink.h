// Receiver of framework notifications.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObjectEventSink : public virtual platform::Object {
 public:
  virtual void OnNotify(int32_t code, Ref<Object> object, const Variant& argument) = 0;
};

}  // namespace mzblprsx
