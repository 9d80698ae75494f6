// The storage that owns a project object's data (IRgStorageOwner): the framework's way to
// remove the object from its project, as the library's symbol table handler deletes the table.
//
//   auto owner = symbols->StorageOwner();
//   owner->Prepare();
//   owner->Remove(-1.0, 128, platform::Variant());   // the table leaves the project
//
// Remove(-1.0, 128, ...) means "the whole object, deleted": its container drops it, which raises
// the container's notifications (for a project child: 128 on it, 256 on the project).
//
// Trap: any other position or flags are refused (error 5), not ignored; so is a second Remove.
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/IRgStorageOwner.h"

namespace host {

class ProjectObject;

class StorageOwner : public mzblprsx::IRgStorageOwner {
 public:
  static constexpr double kWholeObject = -1.0;
  static constexpr int32_t kDeleteFlag = 128;

  explicit StorageOwner(platform::Ref<ProjectObject> owned);

  std::string_view TypeName() const override { return "StorageOwner"; }

  /// Prepares a change: error 5 when the object is no longer in a container.
  void Prepare() override;
  /// (-1.0, 128, any): deletes the object from its container; anything else is error 5.
  void Remove(double position, int32_t flags, const platform::Variant& argument) override;

  /// How often Prepare was called.
  int32_t PrepareCount() const { return prepared_; }

 private:
  platform::Ref<ProjectObject> owned_;
  int32_t prepared_ = 0;
};

}  // namespace host
