// The models registry: one project model per location (offline, online), each with the record of
// the project loaded there. It builds, refreshes and destroys the models' trees, and follows the
// host's project service (open, close) and online service (connect, disconnect).
//
// Before the application has announced that it finished initialising, open and connect events
// only record the project; the models are built later by BuildAllModels.
#pragma once

#include <cstdint>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/KeyedCollection.h"

namespace mzblprsx {

class RgProjectData;
class RgProjectModel;
class RgProjectApplication;
class IRgProjectService;
class IRgOnlineService;

class RgProjects final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjects";

  RgProjects() = default;
  std::string_view TypeName() const override { return kTypeName; }

  /// The location's record, or nothing when the location has none.
  Ref<RgProjectData> Project(int32_t location);
  /// A new model for the location (or the existing one: parent and factory are then ignored).
  Ref<RgProjectModel> CreateModel(int32_t location, Ref<Object> parent, Ref<Object> factory);
  void TerminateModel(int32_t location);
  void BuildAllModels();
  void BuildModel(int32_t location);
  void DestroyAllModels();
  void DestroyModel(int32_t location);
  void RefreshModel(int32_t location);
  void SetAutoRefreshOnAllModels(bool on);

  // Library-internal
  Ref<RgProjectApplication> Application();
  void SetApplication(Ref<RgProjectApplication> application);
  /// The project service whose Open and Close events are followed (nothing ends the subscription).
  void SetProjectService(Ref<Object> service);
  /// The online service whose OnEvent is followed (nothing ends the subscription).
  void SetOnlineService(Ref<Object> service);
  Ref<IRgProjectService> ProjectService() { return projectService_; }
  Ref<IRgOnlineService> OnlineService() { return onlineService_; }

 private:
  bool P_GetProjectData(int32_t location, Ref<RgProjectData>& data);
  /// The shared steps of BuildModel, RefreshModel and DestroyModel.
  void P_RunModelOperation(int32_t location, const char* procedure, int operation);

  void moProjectService_Open(Ref<Object> file, Ref<Object> project);
  void moProjectService_Close(Ref<Object> file, Ref<Object> project);
  void moOnlineService_OnEvent(int32_t reason, const Variant& argument);

  InstanceTrace trace_{kTypeName};
  platform::KeyedCollection<Ref<RgProjectData>> projects_;
  Ref<RgProjectApplication> application_;
  Ref<IRgProjectService> projectService_;
  platform::ScopedConnection projectOpenSink_;
  platform::ScopedConnection projectCloseSink_;
  Ref<IRgOnlineService> onlineService_;
  platform::ScopedConnection onlineSink_;
};

}  // namespace mzblprsx
