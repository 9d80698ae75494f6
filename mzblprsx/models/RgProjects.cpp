#include "mzblprsx/models/RgProjects.h"

#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgOnlineService.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgProjectService.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {
namespace {

enum ModelOperation { kBuild, kRefresh, kDestroy };

std::string Key(int32_t location) {
  return "LOC " + std::to_string(location);
}

std::string ProjectIdentifier(const Ref<Object>& project) {
  return project.Cast<IRgProjectContainer>()->Identifier();
}

}  // namespace

bool RgProjects::P_GetProjectData(int32_t location, Ref<RgProjectData>& data) {
  const std::string key = Key(location);
  if (!projects_.Exists(key)) {
    data.Reset();
    return false;
  }
  data = projects_.Item(key);
  return true;
}

Ref<RgProjectData> RgProjects::Project(int32_t location) {
  Ref<RgProjectData> data;
  Guard(*this, "Property Get Project", [&] { P_GetProjectData(location, data); });
  return data;
}

Ref<RgProjectModel> RgProjects::CreateModel(int32_t location, Ref<Object> parent,
                                            Ref<Object> factory) {
  Ref<RgProjectModel> result;
  Guard(*this, "CreateModel", [&] {
    Ref<RgProjectData> data;
    if (P_GetProjectData(location, data)) {
      result = data->Model();
      return;
    }
    data = platform::MakeObject<RgProjectData>();
    data->SetLocation(location);
    data->SetModel(platform::CreateObjectAs<RgProjectModel>(clsid::kProjectModel));
    const Ref<RgProjectModel> model = data->Model();
    model->Initialize();
    model->SetOwner(parent);
    model->SetFactory(factory.Cast<IRgProjectModelFactory>());
    data->SetObject(nullptr);
    projects_.Add(data, Key(location));
    result = model;
  });
  return result;
}

void RgProjects::TerminateModel(int32_t location) {
  Guard(*this, "TerminateModel", [&] {
    Ref<RgProjectData> data;
    if (!P_GetProjectData(location, data)) return;
    const Ref<RgProjectModel> model = data->Model();
    if (model->HasProject()) DestroyModel(location);
    model->SetFactory(nullptr);
    model->SetOwner(nullptr);
    model->Terminate();
    data->SetModel(nullptr);
    data->SetObject(nullptr);
    projects_.Remove(Key(location));
  });
}

void RgProjects::P_RunModelOperation(int32_t location, const char* procedure, int operation) {
  Guard(*this, procedure, [&] {
    TraceCall(1, kTypeName, procedure, {"Location=" + std::to_string(location)});
    application_->DoWaitCursor(1);
    Ref<RgProjectData> data;
    if (!P_GetProjectData(location, data)) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "No project model for location " + std::to_string(location));
    }
    bool autoRefresh = false;
    const Ref<RgProjectModel> model = data->Model();
    if (const Ref<Object> project = data->Object()) {
      autoRefresh = model->AutoRefresh();
      model->SetAutoRefresh(false);
      switch (operation) {
        case kBuild:
          model->AddProject(project);
          break;
        case kRefresh:
          model->RefreshProject(project);
          break;
        default:
          model->RemoveProject(project);
          break;
      }
    }
    if (model) model->SetAutoRefresh(autoRefresh);
    application_->DoWaitCursor(-1);
  });
}

void RgProjects::BuildModel(int32_t location) {
  P_RunModelOperation(location, "BuildModel", kBuild);
}

void RgProjects::RefreshModel(int32_t location) {
  P_RunModelOperation(location, "RefreshModel", kRefresh);
}

void RgProjects::DestroyModel(int32_t location) {
  P_RunModelOperation(location, "DestroyModel", kDestroy);
}

void RgProjects::BuildAllModels() {
  Guard(*this, "BuildAllModels", [&] {
    SetAutoRefreshOnAllModels(false);
    for (int32_t i = 1; i <= projects_.Count(); ++i) BuildModel(projects_.Item(i)->Location());
    SetAutoRefreshOnAllModels(true);
  });
}

void RgProjects::DestroyAllModels() {
  Guard(*this, "DestroyAllModels", [&] {
    SetAutoRefreshOnAllModels(false);
    for (int32_t i = 1; i <= projects_.Count(); ++i) DestroyModel(projects_.Item(i)->Location());
    SetAutoRefreshOnAllModels(true);
  });
}

void RgProjects::SetAutoRefreshOnAllModels(bool on) {
  Guard(*this, "SetAutoRefreshOnAllModels", [&] {
    for (const auto& data : projects_) {
      if (const auto model = data->Model()) model->SetAutoRefresh(on);
    }
  });
}

Ref<RgProjectApplication> RgProjects::Application() {
  return application_;
}

void RgProjects::SetApplication(Ref<RgProjectApplication> application) {
  application_ = std::move(application);
}

void RgProjects::SetProjectService(Ref<Object> service) {
  Guard(*this, "Property Set ProjectService", [&] {
    projectOpenSink_.Disconnect();
    projectCloseSink_.Disconnect();
    projectService_ = service.Cast<IRgProjectService>();
    if (!projectService_) return;
    projectOpenSink_ = projectService_->Open().Connect(
        [this](const Ref<Object>& file, const Ref<Object>& project) {
          moProjectService_Open(file, project);
        });
    projectCloseSink_ = projectService_->Close().Connect(
        [this](const Ref<Object>& file, const Ref<Object>& project) {
          moProjectService_Close(file, project);
        });
  });
}

void RgProjects::SetOnlineService(Ref<Object> service) {
  Guard(*this, "Property Set OnlineService", [&] {
    onlineSink_.Disconnect();
    onlineService_ = service.Cast<IRgOnlineService>();
    if (!onlineService_) return;
    onlineSink_ =
        onlineService_->OnEvent().Connect([this](int32_t reason, const Variant& argument) {
          moOnlineService_OnEvent(reason, argument);
        });
  });
}

void RgProjects::moProjectService_Open(Ref<Object> file, Ref<Object> project) {
  Guard(*this, "moProjectService_Open", [&] {
    Ref<RgProjectData> data;
    if (P_GetProjectData(RgProjectLocationOffline, data)) {
      data->SetObject(project);
      data->SetFileObject(file);
      data->SetGUID(ProjectIdentifier(project));
    }
    if (application_->ApplicationInitialized()) {
      BuildModel(RgProjectLocationOffline);
      application_->TopViewRegister("ProjectBar", "Project");
    }
  });
}

void RgProjects::moProjectService_Close(Ref<Object> /*file*/, Ref<Object> project) {
  Guard(*this, "moProjectService_Close", [&] {
    Ref<RgProjectData> data;
    if (!P_GetProjectData(RgProjectLocationOffline, data)) return;
    if (!platform::SameObject(data->Object(), project)) return;  // another project closes
    DestroyModel(RgProjectLocationOffline);
    data->SetObject(nullptr);
    data->SetFileObject(nullptr);
    data->SetGUID("");
  });
}

void RgProjects::moOnlineService_OnEvent(int32_t reason, const Variant& /*argument*/) {
  Guard(*this, "moOnlineService_OnEvent", [&] {
    TraceCall(1, kTypeName, "moOnlineService_OnEvent",
              {"Reason=" + std::to_string(reason), "Connect=1; Disconnect=2; CanDisconnect=3"});
    Ref<RgProjectData> data;
    if (!P_GetProjectData(RgProjectLocationOnline, data)) return;
    if (reason == 1) {
      const Ref<Object> container = onlineService_->GetContainer("");
      data->SetObject(container);
      data->SetFileObject(nullptr);
      data->SetGUID(container ? ProjectIdentifier(container) : std::string());
      if (application_->ApplicationInitialized()) {
        BuildModel(RgProjectLocationOnline);
        application_->TopViewRegister("ProjectBar", "Online SPS");
      }
    } else if (reason == 2) {
      DestroyModel(RgProjectLocationOnline);
      data->SetObject(nullptr);
      data->SetFileObject(nullptr);
      data->SetGUID("");
    }
  });
}

}  // namespace mzblprsx
