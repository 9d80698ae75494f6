// The host's service factory: selects a service of the current application by class identifier.
//
//   auto factory = platform::CreateObjectAs<mzblprsx::IRgServiceFactory>(
//       mzblprsx::clsid::kServiceFactory);
//   auto options = factory->GetService(std::string(clsid::kOptionService), nullptr, nullptr, "");
//   auto blocks = factory->GetService(std::string(clsid::kBlockService), program, nullptr,
//                                     "Offline");
//
// Option, project, online, load, tooltip and memory card services are the application's own
// (the same object on every request); block, hardware and symbol services are new objects bound
// to the context they are asked for, which must be of the right class (a program, a hardware
// configuration, the offline project). Class identifiers compare without regard to case.
//
// Trap: the factory serves the Environment that is current on the calling thread when
// GetService runs, not the one that was current when the factory was created.
#pragma once

#include "mzblprsx/interfaces/IRgServiceFactory.h"

namespace host {

class ServiceFactory : public mzblprsx::IRgServiceFactory {
 public:
  std::string_view TypeName() const override { return "ServiceFactory"; }

  /// The service of that class; error 429 naming the class identifier when the factory has no
  /// such service or the thread has no Environment, error 5 when a bound service gets no
  /// context or one of the wrong class.
  platform::Ref<platform::Object> GetService(const std::string& serviceClassId,
                                             platform::Ref<platform::Object> offlineContext,
                                             platform::Ref<platform::Object> onlineContext,
                                             const std::string& contextName) override;
};

}  // namespace host
