#include "host/project/ProjectObject.h"

#include <utility>

#include "host/project/NotificationHub.h"
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
  OnRenamed();
}

void ProjectObject::OnRenamed() {
  const auto parent = Parent();
  if (parent && !parent->Parent()) NotifySingle(NotificationHub::kChanged);
}

void ProjectObject::SetParent(const platform::Ref<ProjectObject>& parent) {
  parent_ = parent.Shared();
}

int32_t ProjectObject::CheckedSize(int32_t size) {
  if (size < 0) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "size " + std::to_string(size) + " is negative");
  }
  return size;
}

void ProjectObject::Touch() {
  OnTouched();
}

std::shared_ptr<NotificationHub> ProjectObject::ProjectHub() const {
  if (auto hub = OwnHub()) return hub;
  for (auto next = Parent(); next; next = next->Parent()) {
    if (auto hub = next->OwnHub()) return hub;
  }
  return {};
}

void ProjectObject::NotifySingle(int32_t code) {
  if (const auto hub = ProjectHub()) hub->RaiseSingle(code, *this);
}

void ProjectObject::NotifyBatched(int32_t code) {
  if (const auto hub = ProjectHub()) hub->RaiseBatched(code, *this);
}

void ProjectObject::RemoveChild(ProjectObject& child) {
  throw platform::Error(platform::errc::kInvalidCall,
                        "'" + DisplayName() + "' holds no object '" + child.DisplayName() + "'");
}

void ProjectObject::OnTouched() {
  if (auto parent = Parent()) parent->OnTouched();
}

}  // namespace host
