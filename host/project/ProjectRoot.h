// What the offline project and the PLC have in common: a project container (IRgProjectContainer)
// with a name, a GUID, a list of children of fixed classes in a fixed order, and a modified flag
// that every change below it sets. It owns the project's notification hub, through which its
// objects tell listeners what changed.
//
// The open project and the connected PLC are each other's counterpart (the Environment pairs
// them while both are there), so that the comparison of project and PLC can find the other
// side from either one. The pairing is weak both ways: neither side keeps the other alive.
//
// Trap: the object identifier and the container identifier are the GUID, which never changes.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/project/ProjectObject.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "platform/CachedQuery.h"

namespace host {

class NotificationHub;
class ObjectList;

class ProjectRoot : public ProjectObject, public virtual mzblprsx::IRgProjectContainer {
 public:
  // IRgProjectContainer
  platform::Ref<mzblprsx::IRgObjectList> Objects() override;
  std::string Identifier() override { return guid_; }
  /// A project is closed, not deleted: always an error.
  void Delete() override;

  const std::string& Guid() const { return guid_; }
  /// Renames the project: notification 4.
  void SetName(std::string name) override;
  /// The children in the container's order.
  platform::Ref<ObjectList> Children() const { return objects_; }
  /// Adds a child at its place in the fixed order and becomes its container. Error 5 for a
  /// class this container does not hold, 457 when it already holds one of that class.
  /// Notification 256 on the project.
  void AddObject(const platform::Ref<ProjectObject>& child);
  /// Drops a child (its framework delete); false when it is not here. Notifications 128 on the
  /// child and 256 on the project, delivered together.
  bool RemoveObject(ProjectObject& child);

  /// The project's notification hub.
  NotificationHub& Notifications() { return *hub_; }

  /// True when the data changed since the project was loaded or last saved.
  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  /// Where the project came from: the file path as given, or the name given with its text.
  const std::string& SourceName() const { return sourceName_; }
  void SetSourceName(std::string name) { sourceName_ = std::move(name); }

  /// The other side: the connected PLC of the open project, the open project of the PLC;
  /// nothing while they are not paired.
  platform::Ref<ProjectRoot> Counterpart() const {
    return platform::Ref<ProjectRoot>(counterpart_.lock());
  }
  /// Pairs this side with `other` (nothing: only ends the pairing), ending the earlier pairings
  /// of both. Error 5 unless one is a project and the other a PLC.
  void PairWith(const platform::Ref<ProjectRoot>& other);

 protected:
  ProjectRoot(std::string_view classId, std::string guid, const std::string& name,
              std::vector<std::string_view> childOrder);
  void RemoveChild(ProjectObject& child) override;
  void OnTouched() override { modified_ = true; }
  std::shared_ptr<NotificationHub> OwnHub() const override { return hub_; }
  /// A child came or went (inside the notification batch of that change): for the notifications
  /// that depend on the kind of project.
  virtual void OnChildrenChanged(ProjectObject& /*child*/) {}

  /// The child of that class as T, or nothing.
  template <class T>
  platform::Ref<T> Child(std::string_view classId) const;

 private:
  platform::Ref<ProjectObject> FindChild(std::string_view classId) const;

  std::shared_ptr<NotificationHub> hub_;
  std::string guid_;
  std::vector<std::string_view> childOrder_;
  platform::Ref<ObjectList> objects_;
  std::string sourceName_;
  bool modified_ = false;
  std::weak_ptr<ProjectRoot> counterpart_;
};

template <class T>
platform::Ref<T> ProjectRoot::Child(std::string_view classId) const {
  return platform::CachedQuery<T>(FindChild(classId));
}

}  // namespace host
