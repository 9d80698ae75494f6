#include "host/project/ProjectRoot.h"

#include <algorithm>
#include <utility>

#include "host/project/NotificationHub.h"
#include "host/project/ObjectList.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"

namespace host {

ProjectRoot::ProjectRoot(std::string_view classId, std::string guid, const std::string& name,
                         std::vector<std::string_view> childOrder)
    : ProjectObject(classId, guid, name),
      hub_(std::make_shared<NotificationHub>()),
      guid_(std::move(guid)),
      childOrder_(std::move(childOrder)),
      objects_(platform::MakeObject<ObjectList>(name)) {}

platform::Ref<mzblprsx::IRgObjectList> ProjectRoot::Objects() {
  return objects_;
}

void ProjectRoot::Delete() {
  throw platform::Error(platform::errc::kInvalidCall,
                        "the project '" + Name() + "' cannot be deleted through its object");
}

void ProjectRoot::SetName(std::string name) {
  if (name == Name()) return;
  objects_->SetOwnerName(name);
  ProjectObject::SetName(std::move(name));
  NotifySingle(NotificationHub::kRenamed);
}

void ProjectRoot::AddObject(const platform::Ref<ProjectObject>& child) {
  if (std::find(childOrder_.begin(), childOrder_.end(), child->ClassId()) == childOrder_.end()) {
    throw platform::Error(
        platform::errc::kInvalidCall,
        "'" + Name() + "' cannot hold an object of class " + std::string(child->ClassId()));
  }
  objects_->Add(child, childOrder_);
  child->SetParent(platform::Self<ProjectObject>(this));
  Touch();
  NotificationBatch batch(hub_);
  NotifySingle(NotificationHub::kStructureChanged);
  OnChildrenChanged(*child);
}

bool ProjectRoot::RemoveObject(ProjectObject& child) {
  const auto keep = platform::Self(&child);  // the list may hold the last reference
  if (!objects_->Remove(child)) return false;
  child.SetParent(nullptr);
  Touch();
  NotificationBatch batch(hub_);
  hub_->RaiseSingle(NotificationHub::kRemoved, child, this);
  NotifySingle(NotificationHub::kStructureChanged);
  OnChildrenChanged(child);
  return true;
}

void ProjectRoot::PairWith(const platform::Ref<ProjectRoot>& other) {
  if (other) {
    const bool thisOnline = ClassId() == mzblprsx::clsid::kProjectOnline;
    const bool otherOnline = other->ClassId() == mzblprsx::clsid::kProjectOnline;
    if (thisOnline == otherOnline) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "'" + Name() + "' and '" + other->Name() +
                                "' cannot be compared: a project pairs only with a PLC");
    }
  }
  if (const auto old = Counterpart()) old->counterpart_.reset();
  counterpart_.reset();
  if (!other) return;
  if (const auto old = other->Counterpart()) old->counterpart_.reset();
  counterpart_ = other.Shared();
  other->counterpart_ = platform::Self<ProjectRoot>(this).Shared();
}

void ProjectRoot::RemoveChild(ProjectObject& child) {
  if (!RemoveObject(child)) ProjectObject::RemoveChild(child);
}

platform::Ref<ProjectObject> ProjectRoot::FindChild(std::string_view classId) const {
  return objects_->Find(classId);
}

}  // namespace host
