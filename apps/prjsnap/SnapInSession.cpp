#include "SnapInSession.h"

#include "host/app/HostApplication.h"
#include "host/project/EmbeddedSamples.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/project/ProjectFileObject.h"
#include "host/services/OptionService.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "mzblprsx/interfaces/IRgSISnapIn.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/XmlElement.h"

namespace prjsnap {

void SnapInSession::CheckProjectFile(const std::filesystem::path& project, std::ostream* warnings) {
  std::vector<std::string> resolved;
  host::ProjectFile::LoadProject(project, &resolved);
  if (warnings == nullptr) return;
  for (const std::string& warning : resolved) *warnings << "prjsnap: warning: " << warning << "\n";
}

SnapInSession::SnapInSession(const Options& options) {
  // Read first, so that a file that does not load stops the command before anything starts.
  if (options.project) CheckProjectFile(*options.project, options.warnings);
  if (options.connect && options.plc) host::ProjectFile::LoadPlc(*options.plc);

  env_ = std::make_unique<host::Environment>();
  for (const auto& [key, value] : options.settings) {
    env_->Options().SetValue(key, value);
  }
  library_ = options.loaded ? options.loaded : std::make_shared<SnapInLibrary>(options.library);
  snapIn_ = library_->Create("mzblprsx.RgProjectSnapin");
  const auto snapIn = snapIn_.Cast<mzblprsx::IRgSISnapIn>();
  env_->Application().AddSnapIn(snapIn->GetName(), snapIn_);
  snapIn->Init(platform::Variant(platform::XmlElement::Parse("<SNAPIN/>")),
               env_->ApplicationObject());
  snapIn->Attach(nullptr);
  if (options.project) {
    env_->OpenProject(*options.project);
  } else {
    env_->OpenProjectText(host::EmbeddedProjectXml(), std::string(host::kEmbeddedProjectFileName));
  }
  if (options.readOnly) env_->Project()->FileObject()->SetSaveToDisk(false);
  snapIn_.Cast<mzblprsx::IRgSICommandTarget>()->DoVerb(1, platform::Variant(), false);
  if (options.connect) {
    if (options.plc) {
      env_->ConnectPlc(*options.plc);
    } else {
      env_->ConnectPlcText(host::EmbeddedPlcXml(), std::string(host::kEmbeddedPlcFileName));
    }
  }
}

SnapInSession::~SnapInSession() {
  try {
    if (snapIn_) {
      const auto snapIn = snapIn_.Cast<mzblprsx::IRgSISnapIn>();
      snapIn->PreDetach();
      snapIn->Detach();
      env_->Application().RemoveSnapIn(snapIn->GetName());
      snapIn_.Reset();
    }
  } catch (const platform::Error&) {  // NOLINT(bugprone-empty-catch): teardown has no caller
  }
  env_.reset();  // the application before the library it used
  library_.reset();
}

platform::Ref<mzblprsx::RgProjectModel> SnapInSession::OfflineModel() {
  return env_->ModelOf(env_->Project()).Cast<mzblprsx::RgProjectModel>();
}

platform::Ref<mzblprsx::RgProjectModel> SnapInSession::OnlineModel() {
  return env_->ModelOf(env_->Plc()).As<mzblprsx::RgProjectModel>();
}

platform::Ref<mzblprsx::IRgOptionService> SnapInSession::OptionService() {
  return platform::Ref<platform::Object>(platform::Self(&env_->Options()))
      .Cast<mzblprsx::IRgOptionService>();
}

platform::Ref<platform::Object> SnapInSession::Create(const std::string& classId) {
  return library_->Create(classId);
}

}  // namespace prjsnap
