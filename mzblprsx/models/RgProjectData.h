// The models registry's record of one location: its model, and the project that is loaded there
// (project object, file object and identifier). Read-only outside RgProjects.
#pragma once

#include <string>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectModel;

class RgProjectData final : public platform::Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectData";

  RgProjectData() = default;
  std::string_view TypeName() const override { return kTypeName; }

  RgEnumProjectLocation Location();
  Ref<RgProjectModel> Model();
  std::string GUID();
  void SetGUID(const std::string& guid);
  /// The file object's file name; empty without a file object.
  std::string FileName();
  Ref<platform::Object> FileObject();
  /// The side's project container; nothing while no project is loaded.
  Ref<platform::Object> Object();

  // Library-internal setters (RgProjects only)
  void SetLocation(int32_t location);
  void SetModel(Ref<RgProjectModel> model);
  void SetFileObject(Ref<platform::Object> file);
  void SetObject(Ref<platform::Object> object);

 private:
  InstanceTrace trace_{kTypeName};
  std::string location_;
  Ref<RgProjectModel> model_;
  std::string guid_;
  Ref<platform::Object> fileObject_;
  Ref<platform::Object> object_;
};

}  // namespace mzblprsx
