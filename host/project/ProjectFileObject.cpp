#include "host/project/ProjectFileObject.h"

#include <utility>

#include "host/project/OfflineProject.h"
#include "host/project/ProjectFile.h"
#include "platform/Error.h"

namespace host {

ProjectFileObject::ProjectFileObject(const platform::Ref<OfflineProject>& project)
    : project_(project.Shared()) {}

bool ProjectFileObject::IsModified() {
  const auto project = project_.lock();
  return project && project->IsModified();
}

void ProjectFileObject::Save(int32_t /*flags*/) {
  const auto project = project_.lock();
  if (!project) {
    throw platform::Error(platform::errc::kObjectNotSet,
                          "'" + fileName_ + "' cannot be saved: its project is closed");
  }
  if (saveToDisk_ && !path_.empty()) {
    ProjectFile::SaveProject(*project, path_);
  } else {
    savedText_ = ProjectFile::SerializeProject(*project);
  }
  project->SetModified(false);
  ++saveCount_;
}

void ProjectFileObject::SetPath(std::filesystem::path path) {
  fileName_ = path.string();
  path_ = std::move(path);
}

}  // namespace host
