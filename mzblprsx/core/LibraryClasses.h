// The library's creatable classes with their class and program identifiers.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "platform/Ref.h"

namespace mzblprsx {

struct LibraryClass {
  std::string_view classId;
  std::string_view progId;
  std::function<platform::Ref<platform::Object>()> create;
};

/// Every creatable class, the snap-in first.
const std::vector<LibraryClass>& LibraryClasses();
/// The class of a class or program identifier (without regard to case), or nullptr.
const LibraryClass* FindLibraryClass(std::string_view id);

}  // namespace mzblprsx
