// The offline category service.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace mzblprsx {

class IRgCategoryService : public virtual platform::Object {
 public:
  /// The program's categories, in the program's order.
  virtual std::vector<Ref<IRgObject>> Categories(Ref<Object> program) = 0;
  /// The object identifier of the program's default category ("" when it has none).
  virtual std::string DefaultCategoryID(Ref<Object> program) = 0;
  /// Creates the program's default category when it has none; returns it.
  virtual Ref<IRgObject> CreateDefaultCategory(Ref<Object> program) = 0;
  /// A name not yet used in the program, derived from the base name ("Category", "Category (2)").
  virtual std::string UniqueName(Ref<Object> program, const std::string& baseName) = 0;
  /// Creates a category of that name at the end of the program's categories.
  virtual Ref<IRgObject> CreateCategory(Ref<Object> program, const std::string& name,
                                        int32_t flags) = 0;
  /// 1 the name can be used, 2 the name is missing (empty), 3 a category of that name exists.
  virtual int32_t CheckName(Ref<Object> program, const std::string& name) = 0;
};

}  // namespace mzblprsx
