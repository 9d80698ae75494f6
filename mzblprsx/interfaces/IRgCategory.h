// A block category object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"


namespace mzblprsx {

class IRgCategory : public virtual platform::Object {
 public:
  virtual std::string Name() = 0;
  virtual void Rename(const std::string& name) = 0;
  /// The object identifiers of the category's blocks, in the category's own order.
  virtual std::vector<std::string> BlockIDs() = 0;
};

}  // namespace mzblprsx
