// The application's project service: tells its listeners when the offline project is opened
// and closed.
//
//   platform::ScopedConnection c = env.Projects().Open().Connect(
//       [](Ref<Object> file, Ref<Object> project) { ... });
//   env.OpenProject("samples/conveyor.prj.xml");   // the Environment raises Open(file, project)
//
// The Environment raises both events; the service only carries them. Trap: Close is raised
// while the project is still the Environment's open project, so a listener can compare it with
// the project it holds; right after the event the Environment forgets it.
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

 private:
  platform::Signal<platform::Ref<platform::Object>, platform::Ref<platform::Object>> open_;
  platform::Signal<platform::Ref<platform::Object>, platform::Ref<platform::Object>> close_;
};

}  // namespace host
