// The framework's list of framework objects (RgObjectArray): 1-based, holds references in the
// order they were added; the same object may be added twice.
//
//   auto list = platform::CreateObjectAs<mzblprsx::IRgObjectArray>(mzblprsx::clsid::kObjectArray);
//   list->Add(program);
//   list->Item(1);            // error 9 outside 1..Count
//
// Trap: adding nothing is an error (91), so a list never holds an empty entry that a reader
// would trip over later.
#pragma once

#include <vector>

#include "mzblprsx/interfaces/IRgObjectArray.h"

namespace host {

class ObjectArray : public mzblprsx::IRgObjectArray {
 public:
  std::string_view TypeName() const override { return "ObjectArray"; }

  int32_t Count() override { return static_cast<int32_t>(items_.size()); }
  /// The object at a 1-based position; error 9 outside 1..Count.
  platform::Ref<mzblprsx::IRgObject> Item(int32_t index) override;
  /// Appends the object; error 91 for nothing.
  void Add(platform::Ref<mzblprsx::IRgObject> object) override;
  /// Removes the object at a 1-based position; error 9 outside 1..Count.
  void Remove(int32_t index) override;
  void Clear() override { items_.clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  size_t CheckIndex(int32_t index) const;

  std::vector<platform::Ref<mzblprsx::IRgObject>> items_;
};

}  // namespace host
