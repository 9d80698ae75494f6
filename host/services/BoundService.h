// The common part of the services that act on one framework object of one side: the block
// service on a program, the hardware service on a hardware configuration, the symbol service on
// the offline project, the variable-table service on a project's variable tables.
//
//   auto blocks = factory->GetService(clsid::kBlockService, program, nullptr, "Offline");
//   host::BoundService& bound = *blocks.Cast<host::BoundService>();
//   bound.Context();       // the program
//
// The service factory creates a new one per request; each keeps its contexts for its lifetime.
// Trap: a bound service holds its context strongly; the framework objects never hold services,
// so no cycle arises, but a kept service keeps its project object alive.
#pragma once

#include <string>

#include "platform/Ref.h"

namespace host {

class BoundService : public virtual platform::Object {
 public:
  /// The offline and online context objects as the factory received them (either may be
  /// nothing) and the context name ("Offline", "Online" or empty).
  BoundService(platform::Ref<platform::Object> offlineContext,
               platform::Ref<platform::Object> onlineContext, std::string locationName)
      : offlineContext_(std::move(offlineContext)),
        onlineContext_(std::move(onlineContext)),
        locationName_(std::move(locationName)) {}

  const platform::Ref<platform::Object>& OfflineContext() const { return offlineContext_; }
  const platform::Ref<platform::Object>& OnlineContext() const { return onlineContext_; }
  /// The object the service acts on: the offline context, else the online one.
  const platform::Ref<platform::Object>& Context() const {
    return offlineContext_ ? offlineContext_ : onlineContext_;
  }
  /// True when the service acts on the PLC's side (only an online context was given).
  bool IsOnline() const { return !offlineContext_ && static_cast<bool>(onlineContext_); }
  const std::string& LocationName() const { return locationName_; }

 private:
  platform::Ref<platform::Object> offlineContext_;
  platform::Ref<platform::Object> onlineContext_;
  std::string locationName_;
};

}  // namespace host
