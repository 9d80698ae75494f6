// One application of the reference host (see the header). The thread's current Environment is
// a thread-local pointer; nested Environments form a chain through previous_, so destroying
// them in any order leaves the right one current.
#include "host/Environment.h"

#include <mutex>

#include "host/app/AppClasses.h"
#include "host/app/HostApplication.h"
#include "host/app/HwConfigSnapIn.h"
#include "host/framework/ErrorService.h"
#include "host/framework/FrameworkClasses.h"
#include "host/framework/FrameworkGlobals.h"
#include "host/framework/HelpService.h"
#include "host/framework/LanguageManager.h"
#include "host/framework/NewBlockScript.h"
#include "host/framework/ObjectArray.h"
#include "host/framework/TraceService.h"
#include "host/model/ModelClasses.h"
#include "host/print/PrintService.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectClasses.h"
#include "host/project/ProjectFile.h"
#include "host/project/ProjectFileObject.h"
#include "host/services/CategoryService.h"
#include "host/services/LoadService.h"
#include "host/services/MMCService.h"
#include "host/services/OnlineService.h"
#include "host/services/OptionService.h"
#include "host/services/ProjectService.h"
#include "host/services/ServiceFactory.h"
#include "host/services/TooltipService.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ClassRegistry.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace {

thread_local Environment* tCurrent = nullptr;

Environment& CurrentOrFail(std::string_view what) {
  Environment* env = Environment::Current();
  if (env == nullptr) {
    throw platform::Error(platform::errc::kCannotCreate,
                          "Cannot create " + std::string(what) +
                              ": there is no host application (Environment) on this thread");
  }
  return *env;
}

[[noreturn]] void ShutDown(std::string_view what) {
  throw platform::Error(
      platform::errc::kCannotCreate,
      "The host application is shutting down; its " + std::string(what) + " is gone");
}

// Dereferences a part of the environment that the destructor may already have released.
template <class T>
T& Part(const platform::Ref<T>& ref, std::string_view what) {
  if (!ref) ShutDown(what);
  return *ref;
}

}  // namespace

struct Environment::State {
  platform::Ref<FrameworkGlobals> globals;
  platform::Ref<OptionService> options;
  platform::Ref<ProjectService> projects;
  platform::Ref<OnlineService> online;
  platform::Ref<LoadService> load;
  platform::Ref<TooltipService> tooltips;
  platform::Ref<MMCService> memoryCards;
  platform::Ref<HelpService> help;
  platform::Ref<PrintService> print;
  platform::Ref<HostApplication> application;
  NewBlockScript newBlocks;

  platform::Ref<OfflineProject> project;
  platform::Ref<ProjectFileObject> file;
  platform::Ref<PlcProject> plc;
  std::vector<std::weak_ptr<platform::Object>> models;  // not owned: the library owns its models
};

Environment::Environment() : state_(std::make_unique<State>()) {
  RegisterClasses();
  // Current before anything is created, so that objects made during construction (the
  // application frame may create some) already belong to this application.
  previous_ = tCurrent;
  tCurrent = this;
  state_->globals = platform::MakeObject<FrameworkGlobals>();
  state_->options = platform::MakeObject<OptionService>();
  state_->projects = platform::MakeObject<ProjectService>();
  state_->online = platform::MakeObject<OnlineService>();
  state_->load = platform::MakeObject<LoadService>(state_->online);
  state_->tooltips = platform::MakeObject<TooltipService>();
  state_->memoryCards = platform::MakeObject<MMCService>(state_->online);
  state_->help = platform::MakeObject<HelpService>();
  state_->print = platform::MakeObject<PrintService>();
  state_->application = platform::MakeObject<HostApplication>();
  // The hardware configuration editor is one of the host's own snap-ins, always present.
  state_->application->AddSnapIn("SnapInHWConfig", platform::MakeObject<HwConfigSnapIn>());
}

Environment::~Environment() {
  // Current while things die, even when destroyed out of order: library objects unregister from
  // the trace service in their destructors and must find this application's globals.
  Environment* const current = tCurrent;
  tCurrent = this;
  State& s = *state_;
  s.online->Forget();
  if (s.plc) s.plc->PairWith(nullptr);
  s.plc.Reset();
  s.file.Reset();
  s.project.Reset();
  // The frame first (its snap-in list and documents may hold library objects, which may hold
  // the frame: Clear breaks that cycle), then the services (which hold only framework objects),
  // the globals last.
  if (s.application) s.application->Clear();
  s.application.Reset();
  s.load.Reset();
  s.online.Reset();
  s.projects.Reset();
  s.options.Reset();
  s.tooltips.Reset();
  s.memoryCards.Reset();
  s.help.Reset();
  s.print.Reset();
  s.globals.Reset();

  if (current == this) {
    tCurrent = previous_;
  } else {
    // Destroyed out of order: unlink from the chain of the Environments created after it.
    tCurrent = current;
    for (Environment* e = tCurrent; e != nullptr; e = e->previous_) {
      if (e->previous_ == this) {
        e->previous_ = previous_;
        break;
      }
    }
  }
}

Environment* Environment::Current() {
  return tCurrent;
}

void Environment::RegisterClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    auto& registry = platform::ClassRegistry::Instance();
    registry.Register(mzblprsx::clsid::kFrameworkGlobals, "",
                      []() -> platform::Ref<platform::Object> {
                        return CurrentOrFail("the framework globals").GlobalsObject();
                      });
    registry.Register(mzblprsx::clsid::kServiceFactory, "",
                      []() -> platform::Ref<platform::Object> {
                        CurrentOrFail("the service factory");
                        return platform::MakeObject<ServiceFactory>();
                      });
    // Per application, like the globals: the topics one dialog showed stay readable.
    registry.Register(mzblprsx::clsid::kHelpService, "", []() -> platform::Ref<platform::Object> {
      return platform::Self(&CurrentOrFail("the help service").Help());
    });
    registry.Register(mzblprsx::clsid::kObjectArray, "", []() -> platform::Ref<platform::Object> {
      return platform::MakeObject<ObjectArray>();
    });
    registry.Register(mzblprsx::clsid::kCategoryService, "",
                      []() -> platform::Ref<platform::Object> {
                        CurrentOrFail("the category service");
                        return platform::MakeObject<CategoryService>();
                      });
    RegisterModelClasses();
    RegisterProjectClasses();
    RegisterAppClasses();
    RegisterFrameworkClasses();  // after the model's: it registers the model again
  });
}

FrameworkGlobals& Environment::Globals() {
  return Part(state_->globals, "framework globals");
}
ErrorService& Environment::Errors() {
  return Globals().Errors();
}
TraceService& Environment::Trace() {
  return Globals().Trace();
}
LanguageManager& Environment::Languages() {
  return Globals().Languages();
}
OptionService& Environment::Options() {
  return Part(state_->options, "option service");
}
ProjectService& Environment::Projects() {
  return Part(state_->projects, "project service");
}
OnlineService& Environment::Online() {
  return Part(state_->online, "online service");
}
LoadService& Environment::Load() {
  return Part(state_->load, "load service");
}
TooltipService& Environment::Tooltips() {
  return Part(state_->tooltips, "tooltip service");
}
MMCService& Environment::MemoryCards() {
  return Part(state_->memoryCards, "memory card service");
}
HelpService& Environment::Help() {
  return Part(state_->help, "help service");
}
PrintService& Environment::Print() {
  return Part(state_->print, "print service");
}
HostApplication& Environment::Application() {
  return Part(state_->application, "application frame");
}

NewBlockScript& Environment::NewBlocks() {
  return state_->newBlocks;
}

platform::Ref<platform::Object> Environment::ApplicationObject() {
  Part(state_->application, "application frame");
  return state_->application;
}

platform::Ref<FrameworkGlobals> Environment::GlobalsObject() {
  Part(state_->globals, "framework globals");
  return state_->globals;
}

platform::Ref<platform::Object> Environment::SharedService(std::string_view classId) {
  namespace clsid = mzblprsx::clsid;
  const auto is = [&](std::string_view id) { return platform::text::EqualsNoCase(classId, id); };
  if (is(clsid::kOptionService)) return platform::Self(&Options());
  if (is(clsid::kProjectService)) return platform::Self(&Projects());
  if (is(clsid::kOnlineService)) return platform::Self(&Online());
  if (is(clsid::kLoadService)) return platform::Self(&Load());
  if (is(clsid::kTooltips)) return platform::Self(&Tooltips());
  if (is(clsid::kMMCService)) return platform::Self(&MemoryCards());
  return {};
}

platform::Ref<OfflineProject> Environment::OpenProject(const std::filesystem::path& file) {
  // Load first: a file that does not load leaves the open project as it was.
  return AdoptProject(ProjectFile::LoadProject(file));
}

platform::Ref<OfflineProject> Environment::OpenProjectText(std::string_view xml,
                                                           const std::string& fileName) {
  return AdoptProject(ProjectFile::ParseProject(xml, fileName));
}

platform::Ref<OfflineProject> Environment::AdoptProject(platform::Ref<OfflineProject> project) {
  CloseProject();
  state_->project = project;
  state_->file = project->FileObject();
  // Paired before anyone hears of the project, so that a listener can compare it at once.
  if (state_->plc) project->PairWith(state_->plc);
  Projects().Open().Emit(state_->file, state_->project);
  return project;
}

void Environment::CloseProject() {
  if (!state_->project) return;
  // Raised while the project is still ours, so that listeners can compare it with theirs.
  Projects().Close().Emit(state_->file, state_->project);
  state_->project->PairWith(nullptr);
  state_->file.Reset();
  state_->project.Reset();
}

platform::Ref<OfflineProject> Environment::Project() {
  return state_->project;
}

platform::Ref<PlcProject> Environment::ConnectPlc(const std::filesystem::path& file) {
  return AdoptPlc(ProjectFile::LoadPlc(file));
}

platform::Ref<PlcProject> Environment::ConnectPlcText(std::string_view xml,
                                                      const std::string& fileName) {
  return AdoptPlc(ProjectFile::ParsePlc(xml, fileName));
}

platform::Ref<PlcProject> Environment::AdoptPlc(platform::Ref<PlcProject> plc) {
  DisconnectPlc();
  state_->plc = plc;
  if (state_->project) plc->PairWith(state_->project);
  Online().Connect(plc);
  return plc;
}

void Environment::DisconnectPlc() {
  if (!state_->plc) return;
  Online().Disconnect();
  state_->plc->PairWith(nullptr);
  state_->plc.Reset();
}

platform::Ref<PlcProject> Environment::Plc() {
  return state_->plc;
}

void Environment::NoteModel(const platform::Ref<platform::Object>& model) {
  auto& models = state_->models;
  std::erase_if(models, [](const std::weak_ptr<platform::Object>& m) { return m.expired(); });
  models.push_back(model.Shared());
}

platform::Ref<platform::Object> Environment::ModelOf(
    const platform::Ref<platform::Object>& project) {
  if (!project) return {};
  for (const auto& weak : state_->models) {
    const auto model = platform::Ref<platform::Object>(weak.lock()).As<mzblprsx::RgProjectModel>();
    if (model && model->ItemList()->Find(mzblprsx::find_by::kObject, platform::Variant(project)))
      return model;
  }
  return {};
}

}  // namespace host
