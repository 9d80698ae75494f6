#include "host/project/ProjectObject.h"

#include <utility>

#include "platform/Error.h"

namespace host {

ProjectObject::ProjectObject(std::string_view classId, std::string objectId, std::string name)
    : classId_(classId), objectId_(std::move(objectId)), name_(std::move(name)) {}

void ProjectObject::Delete() {
  auto parent = Parent();
  if (!parent) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "'" + DisplayName() + "' cannot be deleted: it is not part of a project");
  }
  parent->RemoveChild(*this);
}

void ProjectObject::SetName(std::string name) {
  if (name == name_) return;
  name_ = std::move(name);
  Touch();
}

void ProjectObject::SetParent(const platform::Ref<ProjectObject>& parent) {
  parent_ = parent.Shared();
}

void ProjectObject::Touch() {
  OnTouched();
}

void ProjectObject::RemoveChild(ProjectObject& child) {
  throw platform::Error(platform::errc::kInvalidCall,
                        "'" + DisplayName() + "' holds no object '" + child.DisplayName() + "'");
}

void ProjectObject::OnTouched() {
  if (auto parent = Parent()) parent->OnTouched();
}

}  // namespace host
