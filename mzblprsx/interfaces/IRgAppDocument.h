// A document open in the host application.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgAppDocument : public virtual platform::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::string Title() = 0;
  virtual void SetTitle(const std::string& title) = 0;
  /// The framework object shown by the document (nothing when it is gone).
  virtual Ref<IRgObject> Object() = 0;
  virtual void Close() = 0;
};

}  // namespace mzblprsx
