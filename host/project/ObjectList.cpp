#include "host/project/ObjectList.h"

#include <algorithm>
#include <utility>

#include "platform/Error.h"

namespace host {

namespace {

size_t RankOf(std::string_view classId, const std::vector<std::string_view>& order) {
  const auto it = std::find(order.begin(), order.end(), classId);
  return static_cast<size_t>(it - order.begin());
}

}  // namespace

platform::Ref<mzblprsx::IRgObject> ObjectList::Item(int32_t index) {
  if (index < 1 || index > Count()) throw platform::Error(platform::errc::kSubscript);
  return children_[static_cast<size_t>(index - 1)];
}

platform::Ref<mzblprsx::IRgObject> ObjectList::ItemByClass(const std::string& classId) {
  auto child = Find(classId);
  if (!child) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "'" + ownerName_ + "' has no object of class " + classId);
  }
  return child;
}

platform::Ref<ProjectObject> ObjectList::Find(std::string_view classId) const {
  for (const auto& child : children_) {
    if (child->ClassId() == classId) return child;
  }
  return {};
}

void ObjectList::Add(platform::Ref<ProjectObject> child,
                     const std::vector<std::string_view>& order) {
  if (Find(child->ClassId())) {
    throw platform::Error(
        platform::errc::kDuplicateKey,
        "'" + ownerName_ + "' already has an object of class " + std::string(child->ClassId()));
  }
  const size_t rank = RankOf(child->ClassId(), order);
  auto at = std::find_if(children_.begin(), children_.end(), [&](const auto& existing) {
    return RankOf(existing->ClassId(), order) > rank;
  });
  children_.insert(at, std::move(child));
}

bool ObjectList::Remove(const ProjectObject& child) {
  const auto it = std::find_if(children_.begin(), children_.end(),
                               [&](const auto& c) { return c.Get() == &child; });
  if (it == children_.end()) return false;
  children_.erase(it);
  return true;
}

}  // namespace host
