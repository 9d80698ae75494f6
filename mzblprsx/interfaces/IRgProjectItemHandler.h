// The handler contract: one handler object serves one project item.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class RgProjectItem;

class IRgProjectItemHandler : public virtual platform::Object {
 public:
  virtual bool IsDirty() = 0;
  virtual bool IsOpen() = 0;
  virtual Ref<IRgObject> Object() = 0;
  /// Holds the object as RgObject; error 13 for a value that is not one.
  virtual void SetObject(Ref<platform::Object> object) = 0;
  virtual Ref<RgProjectItem> ProjectItem() = 0;
  virtual void SetProjectItem(Ref<RgProjectItem> item) = 0;
  virtual void Delete() = 0;
  virtual void Initialize() = 0;
  virtual void Refresh() = 0;
  virtual void Save() = 0;
  virtual void Terminate() = 0;
};

}  // namespace mzblprsx
