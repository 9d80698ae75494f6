// A subscription to framework notifications ({15EFE330-...}).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgNotifySubscription : public virtual platform::Object {
 public:
  /// Subscribes the sink to the notifications of the object (nothing: of the whole project).
  virtual void Subscribe(Ref<IRgObjectEventSink> sink, Ref<Object> object) = 0;
  virtual void Unsubscribe() = 0;
};

}  // namespace mzblprsx
