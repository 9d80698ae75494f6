// The framework document interface of objects that open in editors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgDocument : public virtual platform::Object {
 public:
  virtual bool IsOpen() = 0;
  virtual bool IsModified() = 0;
  /// The first operation: the document's content was changed by its owner and is to be kept.
  virtual void Commit() = 0;
};

}  // namespace mzblprsx
