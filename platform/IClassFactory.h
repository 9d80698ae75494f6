// A class factory: what a component's DllGetClassObject hands out for one class.
#pragma once

#include "platform/Ref.h"

namespace platform {

class IClassFactory : public virtual Object {
 public:
  /// A new object of the factory's class.
  virtual Ref<Object> CreateInstance() = 0;
};

}  // namespace platform
