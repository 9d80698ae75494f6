// Finds framework objects of a container by class and name (the framework object finder).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace mzblprsx {

class IRgObjectFinder : public virtual platform::Object {
 public:
  /// Binds the finder to a container (a program, a project).
  virtual void Bind(Ref<Object> container) = 0;
  /// The object of that class whose object identifier or display name is `name`; nothing when
  /// there is none.
  virtual Ref<IRgObject> Find(const std::string& classId, const std::string& name) = 0;
};

}  // namespace mzblprsx
