// Named data blocks kept with a framework object (the program's stored category order).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"


namespace mzblprsx {

/// The data block under which a program keeps its stored category order.
inline constexpr const char* kCategoryOrderBlock = "CategoryOrder";

class IRgAttributeStorage : public virtual platform::Object {
 public:
  /// The bytes stored under the name; empty when there are none.
  virtual std::vector<uint8_t> DataBlock(const std::string& name) = 0;
  virtual void SetDataBlock(const std::string& name, const std::vector<uint8_t>& bytes) = 0;
};

}  // namespace mzblprsx
