#include "host/project/StorageOwner.h"

#include <string>
#include <utility>

#include "host/project/ProjectObject.h"
#include "platform/Error.h"

namespace host {

StorageOwner::StorageOwner(platform::Ref<ProjectObject> owned) : owned_(std::move(owned)) {}

void StorageOwner::Prepare() {
  if (!owned_->Parent()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "The storage of '" + owned_->DisplayName() +
                              "' cannot be prepared: the object is no longer part of a project");
  }
  ++prepared_;
}

void StorageOwner::Remove(double position, int32_t flags, const platform::Variant& /*argument*/) {
  if (position != kWholeObject || flags != kDeleteFlag) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "The storage of '" + owned_->DisplayName() + "' cannot remove position " +
                              std::to_string(position) + " with flags " + std::to_string(flags) +
                              ": only the whole object (-1, flags 128) can be removed");
  }
  owned_->Delete();  // the container's framework delete; fails when it is in none
}

}  // namespace host
