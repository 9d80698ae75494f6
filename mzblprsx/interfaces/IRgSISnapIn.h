// A snap-in as the host drives it: Init, Attach, PostAttach, ..., PreDetach, Detach.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgSISnapIn : public virtual platform::Object {
 public:
  virtual std::string GetName() = 0;
  /// configuration: a variant holding the snap-in's XML configuration element
  /// (platform::XmlElement); host: the host application object (IRgHostApplication).
  virtual void Init(const Variant& configuration, Ref<Object> host) = 0;
  virtual void Attach(Ref<Object> site) = 0;
  virtual void PostAttach() = 0;
  virtual void PreDetach() = 0;
  virtual void Detach() = 0;
};

}  // namespace mzblprsx
