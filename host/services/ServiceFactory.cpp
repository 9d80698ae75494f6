#include "host/services/ServiceFactory.h"

#include <initializer_list>

#include "host/Environment.h"
#include "host/services/BlockService.h"
#include "host/services/HardwareService.h"
#include "host/services/SymbolService.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace clsid = mzblprsx::clsid;

namespace {

// A bound service acts on one framework object; a wrong one would only fail later, far from
// the request that passed it.
void CheckContext(std::string_view service, const platform::Ref<platform::Object>& context,
                  std::initializer_list<std::string_view> classes, std::string_view expected) {
  if (!context) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "The " + std::string(service) + " needs " + std::string(expected) +
                              " as its context, but no context object was given");
  }
  const auto object = context.As<mzblprsx::IRgObject>();
  const std::string classId = object ? object->ClassID() : std::string();
  for (const std::string_view allowed : classes) {
    if (classId == allowed) return;
  }
  throw platform::Error(platform::errc::kInvalidCall,
                        "The " + std::string(service) + " needs " + std::string(expected) +
                            " as its context, not a " + std::string(context->TypeName()) +
                            (classId.empty() ? std::string() : " of class " + classId));
}

template <class Service>
platform::Ref<platform::Object> Bound(std::string_view service,
                                      platform::Ref<platform::Object> offline,
                                      platform::Ref<platform::Object> online,
                                      const std::string& name,
                                      std::initializer_list<std::string_view> classes,
                                      std::string_view expected) {
  CheckContext(service, offline ? offline : online, classes, expected);
  return platform::MakeObject<Service>(std::move(offline), std::move(online), name);
}

}  // namespace

platform::Ref<platform::Object> ServiceFactory::GetService(
    const std::string& serviceClassId, platform::Ref<platform::Object> offlineContext,
    platform::Ref<platform::Object> onlineContext, const std::string& contextName) {
  Environment* env = Environment::Current();
  if (env == nullptr) {
    throw platform::Error(platform::errc::kCannotCreate,
                          "The service factory cannot create service " + serviceClassId +
                              ": no host application (Environment) on this thread");
  }
  if (auto shared = env->SharedService(serviceClassId)) return shared;

  const auto is = [&](std::string_view id) {
    return platform::text::EqualsNoCase(serviceClassId, id);
  };
  if (is(clsid::kBlockService)) {
    return Bound<BlockService>("block service", std::move(offlineContext), std::move(onlineContext),
                               contextName, {clsid::kProgramOffline, clsid::kProgramOnline},
                               "a program");
  }
  if (is(clsid::kHardwareService)) {
    return Bound<HardwareService>(
        "hardware service", std::move(offlineContext), std::move(onlineContext), contextName,
        {clsid::kHwConfigOffline, clsid::kHwConfigOnline}, "a hardware configuration");
  }
  if (is(clsid::kSymbolService)) {
    return Bound<SymbolService>("symbol service", std::move(offlineContext),
                                std::move(onlineContext), contextName, {clsid::kProjectOffline},
                                "the offline project");
  }
  throw platform::Error(platform::errc::kCannotCreate,
                        "The service factory has no service of class " + serviceClassId);
}

}  // namespace host
