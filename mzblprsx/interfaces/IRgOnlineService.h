// The host's online service: connection events and the connected PLC.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgOnlineService : public virtual platform::Object {
 public:
  /// (reason, argument): reason 1 connect, 2 disconnect, 3 may disconnect.
  virtual platform::Signal<int32_t, Variant>& OnEvent() = 0;
  /// The connected PLC's project container (IRgProjectContainer), or nothing when not connected.
  virtual Ref<Object> GetContainer(const std::string& name) = 0;
  /// The connection object ({71A3AE70-...}, IRgOnlineConnection), or nothing when not connected.
  virtual Ref<Object> Connection() = 0;
};

}  // namespace mzblprsx
