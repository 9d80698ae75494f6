// The name check of the category handler, for hosts that load the library dynamically. A
// rename is checked, written into the item's "NAME" and applied by Save:
//
//   auto category = item->HandlerObject().Cast<mzblprsx::IRgCategoryHandler>();
//   if (category->CheckCategoryName(name) == mzblprsx::RgCategoryNameErrorOK) {
//     item->Data()->SetValue("NAME", platform::Variant(name), 3);
//     item->Handler()->Save();
//   }
//
// Trap: the check asks whether the program could take a category of that name, so the
// category's own current name counts as taken.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

enum RgEnumCategoryNameErrors : int32_t {
  RgCategoryNameErrorOK = 0,
  RgCategoryNameErrorMissing = 1,
  RgCategoryNameErrorExist = 2,
};

class IRgCategoryHandler : public virtual Object {
 public:
  /// Whether the program can take a category of that name (not empty, not in use).
  virtual RgEnumCategoryNameErrors CheckCategoryName(const std::string& sNewCategoryName) = 0;
};

}  // namespace mzblprsx
