#include "host/app/HwConfigSnapIn.h"

#include "host/Environment.h"
#include "host/project/HardwareConfig.h"
#include "host/project/OfflineProject.h"
#include "host/project/ProjectFileObject.h"

namespace host {

void HwConfigSnapIn::Init(const platform::Variant&, platform::Ref<platform::Object>) {
  lifecycle_.emplace_back("Init");
}
void HwConfigSnapIn::Attach(platform::Ref<platform::Object>) {
  lifecycle_.emplace_back("Attach");
}
void HwConfigSnapIn::PostAttach() {
  lifecycle_.emplace_back("PostAttach");
}
void HwConfigSnapIn::PreDetach() {
  lifecycle_.emplace_back("PreDetach");
}
void HwConfigSnapIn::Detach() {
  lifecycle_.emplace_back("Detach");
}

bool HwConfigSnapIn::IsResponsible(int32_t) {
  return false;
}
bool HwConfigSnapIn::OnCommand(int32_t) {
  return false;
}
bool HwConfigSnapIn::OnUpdateUI(int32_t, platform::Ref<platform::Object>) {
  return false;
}
std::string HwConfigSnapIn::GetMsgText(int32_t) {
  return {};
}
std::string HwConfigSnapIn::GetTooltipText(int32_t) {
  return {};
}
int32_t HwConfigSnapIn::GetTooltipHelp(int32_t, int32_t) {
  return 0;
}

bool HwConfigSnapIn::DoVerb(int32_t verb, const platform::Variant&, bool) {
  verbs_.push_back(verb);
  if (verb != kVerbSave) return false;
  ++saves_;
  Environment* env = Environment::Current();
  const auto project = env != nullptr ? env->Project() : nullptr;
  if (!project) return true;  // no station open, nothing to store
  if (const auto station = project->Hardware()) station->SetModified(false);
  if (project->IsModified()) project->FileObject()->Save(0);
  return true;
}

bool HwConfigSnapIn::Query(int32_t code) {
  queries_.push_back(code);
  const auto it = answers_.find(code);
  return it != answers_.end() && it->second;
}

void HwConfigSnapIn::Delete(int32_t argument) {
  deletes_.push_back(argument);
  // A copy: the handler may replace itself.
  if (auto handler = onDelete_) {
    handler(argument);
    return;
  }
  Environment* env = Environment::Current();
  const auto project = env != nullptr ? env->Project() : nullptr;
  const auto station = project ? project->Hardware() : nullptr;
  if (station) project->RemoveObject(*station);  // none open: nothing to delete
}

}  // namespace host
