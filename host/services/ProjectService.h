// The application's project service: tells its listeners when the offline project is opened
// and closed, and takes carried objects (from a paste) into the offline project.
//
//   platform::ScopedConnection c = env.Projects().Open().Connect(
//       [](Ref<Object> file, Ref<Object> project) { ... });
//   env.OpenProject("samples/conveyor.prj.xml");   // the Environment raises Open(file, project)
//
// The Environment raises both events; the service only carries them. Trap: Close is raised
// while the project is still the Environment's open project, so a listener can compare it with
// the project it holds; right after the event the Environment forgets it.
//
// Inserting reads the carried element text with the project file reader (as the one child of a
// project it wraps it in), so a carried object passes the same checks as one in a file; nothing
// changes when it does not.
#pragma once

#include "mzblprsx/interfaces/IRgProjectService.h"

namespace host {

class ProjectService : public mzblprsx::IRgProjectService {
 public:
  std::string_view TypeName() const override { return "ProjectService"; }

  /// (file object, project object)
  platform::Signal<platform::Ref<platform::Object>, platform::Ref<platform::Object>>& Open()
      override {
    return open_;
  }
  /// (file object, project object)
  platform::Signal<platform::Ref<platform::Object>, platform::Ref<platform::Object>>& Close()
      override {
    return close_;
  }
  /// See IRgProjectService. Error 91 for nothing, 5 for a target that is no offline project, an
  /// entry of another class or without content; the reader's error for damaged content.
  platform::Ref<mzblprsx::IRgObject> InsertObject(
      platform::Ref<platform::Object> project,
      platform::Ref<mzblprsx::IRgDataObjectItem> item) override;
  /// See IRgProjectService; errors as InsertObject.
  platform::Ref<mzblprsx::IRgObject> InsertProject(
      platform::Ref<platform::Object> project,
      platform::Ref<mzblprsx::IRgDataObjectItem> item) override;

 private:
  platform::Signal<platform::Ref<platform::Object>, platform::Ref<platform::Object>> open_;
  platform::Signal<platform::Ref<platform::Object>, platform::Ref<platform::Object>> close_;
};

}  // namespace host
