// The framework's notification subscription object (clsid::kNotifySubscription): connects a
// sink to the notification hubs of projects (NotificationHub lists what is raised and how).
//
//   auto subscription = platform::CreateObjectAs<mzblprsx::IRgNotifySubscription>(
//       mzblprsx::clsid::kNotifySubscription);
//   subscription->Subscribe(self, nullptr);   // the open project and the connected PLC
//   ...
//   subscription->Unsubscribe();              // also done when the subscription dies
//
// With an object, the sink hears only about that object and what is inside it, from the hub of
// the object's project. With nothing, it hears everything of the calling thread's application
// at the time of the call: the open project's hub and the connected PLC's hub (the handlers tell
// them apart by the class identifiers, which differ between the two sides).
//
// Both the hub and the subscription hold the sink weakly, so a handler that owns its
// subscription and subscribes itself makes no reference cycle.
// Trap: a subscription made while no project is open and no PLC is connected hears nothing, also
// after a project is opened later.
#pragma once

#include <memory>
#include <vector>

#include "host/project/NotificationHub.h"
#include "mzblprsx/interfaces/IRgNotifySubscription.h"

namespace host {

class NotifySubscription : public mzblprsx::IRgNotifySubscription {
 public:
  NotifySubscription() = default;
  ~NotifySubscription() override;

  std::string_view TypeName() const override { return "NotifySubscription"; }

  /// Ends any earlier subscription of this object first. Error 91 for no sink; error 5 for an
  /// object that is not part of a project; error 429 (object nothing) when the thread has no
  /// host application.
  void Subscribe(platform::Ref<mzblprsx::IRgObjectEventSink> sink,
                 platform::Ref<platform::Object> object) override;
  /// Ends the subscription; nothing to end is not an error.
  void Unsubscribe() override;

  /// How many hubs the sink is subscribed to now (0, 1 or 2).
  size_t HubCount() const;

 private:
  struct Link {
    std::weak_ptr<NotificationHub> hub;
    NotificationHub::SubscriptionId id = 0;
  };
  std::vector<Link> links_;
};

}  // namespace host
