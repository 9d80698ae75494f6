// A comparison of two hardware configurations (clsid::kHwCompare), made anew for each one.
//
//   auto compare = registry.Create(clsid::kHwCompare).Cast<IRgHwCompare>();
//   compare->CompareHardware(0, offlineStation, onlineStation);
//   compare->Result();   // 1 equal, 2 different
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObject;

class IRgHwCompare : public virtual platform::Object {
 public:
  /// Compares the two stations; fails when either is missing or they cannot be compared.
  virtual void CompareHardware(int32_t flags, Ref<IRgObject> offline, Ref<IRgObject> online) = 0;
  /// The result of the last comparison: 1 equal, 2 different; 0 before any.
  virtual int32_t Result() = 0;
};

}  // namespace mzblprsx
