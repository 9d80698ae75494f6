// The common part of every framework object of a project: its class identifier, its object
// identifier, its name, the container that holds it, and what a file said about it that this host
// does not understand.
//
//   Ref<Program> program = project->Program();
//   program->SetName("Main program");   // marks the project as modified
//   program->Delete();                  // the project drops it; nothing else keeps it alive
//
// A container holds its children strongly and each child knows its container weakly, so a
// project and its objects form no reference cycle. Every change of an object's data goes
// through Touch(), the one place where the project learns that it has unsaved changes; the
// operations that change an object also raise its framework notifications in its project's
// notification hub (NotificationHub lists them).
//
// Trap: Delete() on an object that is in no container is an error, not a no-op.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "host/project/XmlExtras.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace host {

class NotificationHub;

class ProjectObject : public virtual mzblprsx::IRgObject {
 public:
  // IRgObject
  std::string ClassID() override { return std::string(classId_); }
  /// Stable within a project; see each class for its form ("FB10", "2", "HW", ...).
  std::string ObjectID() override { return objectId_; }
  std::string DisplayName() override { return Name(); }
  /// Removes the object from its container (its framework delete).
  void Delete() override;

  std::string_view ClassId() const { return classId_; }
  virtual std::string Name() const { return name_; }
  /// Renames the object; unchanged names change nothing. A child of a project notifies 64.
  virtual void SetName(std::string name);

  /// The container that holds the object; nothing for a project and for a removed object.
  platform::Ref<ProjectObject> Parent() const {
    return platform::Ref<ProjectObject>(parent_.lock());
  }
  /// Called by the container that adopts (or, with nothing, releases) the object.
  void SetParent(const platform::Ref<ProjectObject>& parent);

  /// Attributes and child nodes of the object's element that this host does not understand.
  XmlExtras& Extras() { return extras_; }
  const XmlExtras& Extras() const { return extras_; }

  /// Records a change of the object's data: the project that holds it now has unsaved changes.
  void Touch();

  /// The notification hub of the project that holds the object (the project's own for a
  /// project); nothing outside a project.
  std::shared_ptr<NotificationHub> ProjectHub() const;

 protected:
  ProjectObject(std::string_view classId, std::string objectId, std::string name);

  /// Stores a value in a field; true when it differed (the caller then records the change).
  template <class T, class U>
  static bool Assign(T& field, U&& value) {
    if (field == value) return false;
    field = std::forward<U>(value);
    return true;
  }
  /// The size itself; error 5 naming it when it is negative.
  static int32_t CheckedSize(int32_t size);

  /// Drops a child that asked to be deleted; the default holds no children and fails.
  virtual void RemoveChild(ProjectObject& child);
  /// A change of this object or of one below it; the default passes it to the container.
  virtual void OnTouched();
  /// After a rename: a direct child of a project notifies single 64 (NotificationHub); classes
  /// with other notifications override it.
  virtual void OnRenamed();
  /// The hub this object owns; only a project owns one.
  virtual std::shared_ptr<NotificationHub> OwnHub() const { return {}; }
  /// Raise a notification about this object in its project's hub (nothing outside a project).
  void NotifySingle(int32_t code);
  void NotifyBatched(int32_t code);

 private:
  std::string_view classId_;
  std::string objectId_;
  std::string name_;
  std::weak_ptr<ProjectObject> parent_;
  XmlExtras extras_;
};

}  // namespace host
