#include "host/framework/ObjectArray.h"

#include "platform/Error.h"

namespace host {

size_t ObjectArray::CheckIndex(int32_t index) const {
  if (index < 1 || index > static_cast<int32_t>(items_.size())) {
    throw platform::Error(platform::errc::kSubscript,
                          "Object array position " + std::to_string(index) + " is outside 1 to " +
                              std::to_string(items_.size()));
  }
  return static_cast<size_t>(index - 1);
}

platform::Ref<mzblprsx::IRgObject> ObjectArray::Item(int32_t index) {
  return items_[CheckIndex(index)];
}

void ObjectArray::Add(platform::Ref<mzblprsx::IRgObject> object) {
  if (!object) {
    throw platform::Error(platform::errc::kObjectNotSet, "Cannot add nothing to an object array");
  }
  items_.push_back(std::move(object));
}

void ObjectArray::Remove(int32_t index) {
  const size_t at = CheckIndex(index);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace host
