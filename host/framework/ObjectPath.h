// The framework's object path (clsid::kObjectPath): from a framework object up through its
// containers to the project it belongs to, the offline project or the PLC.
//
//   auto path = platform::CreateObjectAs<mzblprsx::IRgObjectPath>(clsid::kObjectPath);
//   path->Start(block);                  // a block, category, program, card file, ...
//   auto project = path->Project();      // the OfflineProject or PlcProject; nothing outside
//
// A block service stands for its program, so its path leads to the program's project.
//
// Trap: the path holds the started object until it is started again or released.
#pragma once

#include <string_view>

#include "mzblprsx/interfaces/IRgObjectPath.h"

namespace host {

class ObjectPath final : public mzblprsx::IRgObjectPath {
 public:
  std::string_view TypeName() const override { return "ObjectPath"; }

  /// Starts the path at an object; nothing (or an object of no project) gives no project.
  void Start(platform::Ref<platform::Object> object) override;
  /// The project the started object is in (the project itself for a project); nothing when
  /// it is in none (removed, or no project object) or nothing was started.
  platform::Ref<mzblprsx::IRgObject> Project() override;

 private:
  platform::Ref<platform::Object> start_;
};

}  // namespace host
