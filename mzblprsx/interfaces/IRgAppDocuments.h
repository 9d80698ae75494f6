// The documents open in the host application.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgAppDocument.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgAppDocuments : public virtual platform::Object {
 public:
  virtual int32_t Count() = 0;
  virtual Ref<IRgAppDocument> Item(int32_t index) = 0;
  /// The document of a framework object; fails when none shows it.
  virtual Ref<IRgAppDocument> ItemByObject(Ref<Object> object) = 0;
};

}  // namespace mzblprsx
