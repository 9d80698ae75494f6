#include "host/framework/NotifySubscription.h"

#include <string>

#include "host/Environment.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectObject.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "platform/Error.h"

namespace host {

NotifySubscription::~NotifySubscription() {
  Unsubscribe();
}

void NotifySubscription::Subscribe(platform::Ref<mzblprsx::IRgObjectEventSink> sink,
                                   platform::Ref<platform::Object> object) {
  if (!sink) {
    throw platform::Error(platform::errc::kObjectNotSet, "Subscribe: no sink was given");
  }
  // Resolved completely before the old subscription ends, so that a failure changes nothing.
  std::vector<std::shared_ptr<NotificationHub>> hubs;
  platform::Ref<ProjectObject> scope;
  if (object) {
    scope = object.As<ProjectObject>();
    auto hub = scope ? scope->ProjectHub() : nullptr;
    if (!hub) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "Subscribe: the " + std::string(object->TypeName()) +
                                " is not an object of an open project or PLC");
    }
    hubs.push_back(std::move(hub));
  } else {
    Environment* env = Environment::Current();
    if (env == nullptr) {
      throw platform::Error(platform::errc::kCannotCreate,
                            "Subscribe: there is no host application (Environment) on this "
                            "thread whose notifications could be heard");
    }
    if (const auto project = env->Project()) hubs.push_back(project->ProjectHub());
    if (const auto plc = env->Plc()) hubs.push_back(plc->ProjectHub());
  }
  Unsubscribe();
  for (const auto& hub : hubs) {
    links_.push_back(Link{hub, hub->Subscribe(sink, scope)});
  }
}

void NotifySubscription::Unsubscribe() {
  for (const Link& link : links_) {
    if (const auto hub = link.hub.lock()) hub->Unsubscribe(link.id);
  }
  links_.clear();
}

size_t NotifySubscription::HubCount() const {
  size_t count = 0;
  for (const Link& link : links_) count += link.hub.expired() ? 0 : 1;
  return count;
}

}  // namespace host
