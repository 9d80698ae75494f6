// The children of a project container (hardware, symbols, program, ...), in the container's
// fixed order, at most one per class identifier.
//
//   auto program = project->Objects()->ItemByClass(std::string(clsid::kProgramOffline));
//
// Class identifiers compare as exact texts, as the framework compares them: a lower-case
// identifier finds nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/project/ProjectObject.h"
#include "mzblprsx/interfaces/IRgObjectList.h"

namespace host {

class ObjectList : public virtual mzblprsx::IRgObjectList {
 public:
  /// ownerName names the container in error texts.
  explicit ObjectList(std::string ownerName) : ownerName_(std::move(ownerName)) {}

  std::string_view TypeName() const override { return "ObjectList"; }

  // IRgObjectList
  int32_t Count() override { return static_cast<int32_t>(children_.size()); }
  /// Error 9 outside 1..Count.
  platform::Ref<mzblprsx::IRgObject> Item(int32_t index) override;
  /// Error 5 naming the container and the class when there is no child of that class.
  platform::Ref<mzblprsx::IRgObject> ItemByClass(const std::string& classId) override;
  /// Nothing when there is no child of that class; never an error.
  platform::Ref<mzblprsx::IRgObject> FindByClass(const std::string& classId) override {
    return Find(classId);
  }

  /// The child of that class, or nothing.
  platform::Ref<ProjectObject> Find(std::string_view classId) const;
  /// Inserts the child at its place in the order given by `order` (class identifiers); a class
  /// that is not in `order` goes last. Error 457 when a child of its class is already there.
  void Add(platform::Ref<ProjectObject> child, const std::vector<std::string_view>& order);
  /// Removes the child; false when it is not here.
  bool Remove(const ProjectObject& child);
  const std::vector<platform::Ref<ProjectObject>>& Children() const { return children_; }
  void SetOwnerName(std::string name) { ownerName_ = std::move(name); }

 private:
  std::string ownerName_;
  std::vector<platform::Ref<ProjectObject>> children_;
};

}  // namespace host
