// The framework's object path (clsid::kObjectPath): walks up from a framework object to the
// project (offline project or PLC) it belongs to.
//
//   auto path = platform::CreateObjectAs<IRgObjectPath>(clsid::kObjectPath);
//   path->Start(program);
//   Ref<IRgObject> project = path->Project();   // nothing when the object is in no project
#pragma once

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObjectPath : public virtual platform::Object {
 public:
  virtual void Start(Ref<Object> object) = 0;
  /// The project of the started object (the project itself for a project); nothing when there
  /// is none or nothing was started.
  virtual Ref<IRgObject> Project() = 0;
};

}  // namespace mzblprsx
