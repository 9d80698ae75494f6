// The stream handler contract: the location-specific half of copy, paste, drag, download and
// upload, called by the location's RgObjectStreamService.
#pragma once

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgObjectStreamService;

class IRgObjectStreamHandler : public virtual Object {
 public:
  /// The stream service that owns the handler.
  virtual Ref<RgObjectStreamService> Parent() = 0;
  virtual void SetParent(Ref<RgObjectStreamService> parent) = 0;
};

}  // namespace mzblprsx
