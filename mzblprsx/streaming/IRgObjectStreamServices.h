// How a host that loads the library at run time reaches the stream service of a location: the
// snap-in object hands it out.
//
//   auto services = snapIn.Cast<mzblprsx::IRgObjectStreamServices>();
//   auto offline = services->ObjectStreamService(mzblprsx::RgProjectLocationOffline);
//
// Trap: the service belongs to the snap-in's object graph; release it before the snap-in's
// Detach, or it outlives the graph it works on.
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObjectStreamServiceHost;

class IRgObjectStreamServices : public virtual Object {
 public:
  /// The stream service of the location (1 offline, 2 online), created on first request;
  /// nothing before Init and after Detach; any other location is an error.
  virtual Ref<IRgObjectStreamServiceHost> ObjectStreamService(int32_t location) = 0;
};

}  // namespace mzblprsx
