// The offline project's file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgFileObject : public virtual platform::Object {
 public:
  virtual std::string FileName() = 0;
  virtual bool IsModified() = 0;
  virtual void Save(int32_t flags) = 0;
};

}  // namespace mzblprsx
