// Receiver of batched framework notifications: one source class, several entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/interfaces/RgNotification.h"

namespace mzblprsx {

class IRgObjectEventSink2 : public virtual platform::Object {
 public:
  virtual void OnNotify2(const RgNotification& notification) = 0;
};

}  // namespace mzblprsx
