// A project container's children, looked up by class identifier.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/Error.h"

namespace mzblprsx {

class IRgObjectList : public virtual platform::Object {
 public:
  virtual int32_t Count() = 0;
  /// The child at a 1-based position; error 9 outside the range.
  virtual Ref<IRgObject> Item(int32_t index) = 0;
  /// The child of that class; fails (error) when there is none.
  virtual Ref<IRgObject> ItemByClass(const std::string& classId) = 0;
  /// The child of that class, or nothing when there is none. A container without a hardware
  /// configuration or a PLC without a memory card is ordinary, so a host should answer this
  /// without raising an error; this default asks ItemByClass and takes its failure as "none".
  virtual Ref<IRgObject> FindByClass(const std::string& classId) {
    try {
      return ItemByClass(classId);
    } catch (const platform::Error&) {
      return {};
    }
  }
};

}  // namespace mzblprsx
