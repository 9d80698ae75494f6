#include "mzblprsx/core/RgProjectServices.h"

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgOnlineConnection.h"
#include "mzblprsx/interfaces/IRgOnlineService.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgServiceFactory.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "mzblprsx/streaming/IRgObjectStreamHandler.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOnline.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

RgProjectServices::~RgProjectServices() {
  try {
    Guard(*this, "Class_Terminate", [&] {
      categoryService_.Reset();
      // The handler points back at its service: cut that cycle before letting go.
      for (Ref<mzblprsx::RgObjectStreamService>* service :
           {&offlineStreamService_, &onlineStreamService_}) {
        if (!*service) continue;
        if (const auto handler = (*service)->StreamHandler()) handler->SetParent(nullptr);
        (*service)->SetProjectSnapIn(nullptr);
        service->Reset();
      }
      snapIn_.Reset();
    });
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor has no caller to tell
  }
}

Ref<RgProjectSnapin> RgProjectServices::SnapIn() {
  return snapIn_;
}
void RgProjectServices::SetSnapIn(Ref<RgProjectSnapin> snapIn) {
  snapIn_ = std::move(snapIn);
}

Ref<Object> RgProjectServices::P_FromFactory(std::string_view classId, Ref<Object> offlineContext,
                                             Ref<Object> onlineContext,
                                             const std::string& contextName) {
  const auto factory = platform::CreateObjectAs<IRgServiceFactory>(clsid::kServiceFactory);
  return factory->GetService(std::string(classId), std::move(offlineContext),
                             std::move(onlineContext), contextName);
}

Ref<Object> RgProjectServices::P_Container(int32_t location) {
  const Ref<RgProjectData> data = snapIn_->Projects()->Project(location);
  if (!data) return {};
  return data->Object();
}

Ref<Object> RgProjectServices::P_ContainerChild(int32_t location, std::string_view classId) {
  const Ref<Object> container = P_Container(location);
  if (!container) return {};
  const Ref<IRgObjectList> children = container.Cast<IRgProjectContainer>()->Objects();
  // A project without that child (no hardware configuration, say) has no such service either.
  return children->FindByClass(std::string(classId));
}

Ref<Object> RgProjectServices::RgBlockService(int32_t location) {
  Ref<Object> result;
  Guard(*this, "Property Get RgBlockService", [&] {
    // The location is compared as decimal text, as the registry keys are.
    const std::string text = std::to_string(location);
    if (text == "1") {
      if (auto program = P_ContainerChild(location, clsid::kProgramOffline)) {
        result = P_FromFactory(clsid::kBlockService, program, nullptr, "Offline");
      }
    } else if (text == "2") {
      if (auto program = P_ContainerChild(location, clsid::kProgramOnline)) {
        result = P_FromFactory(clsid::kBlockService, nullptr, program, "Online");
      }
    }
  });
  return result;
}

Ref<Object> RgProjectServices::RgCategoryService(int32_t location) {
  Ref<Object> result;
  Guard(*this, "Property Get RgCategoryService", [&] {
    if (location != RgProjectLocationOffline) return;
    if (!categoryService_) categoryService_ = platform::CreateObject(clsid::kCategoryService);
    result = categoryService_;
  });
  return result;
}

Ref<Object> RgProjectServices::RgHardwareService(int32_t location) {
  Ref<Object> result;
  Guard(*this, "Property Get RgHardwareService", [&] {
    if (location == RgProjectLocationOffline) {
      if (auto hardware = P_ContainerChild(location, clsid::kHwConfigOffline)) {
        result = P_FromFactory(clsid::kHardwareService, hardware, nullptr, "Offline");
      }
    } else if (location == RgProjectLocationOnline) {
      if (auto hardware = P_ContainerChild(location, clsid::kHwConfigOnline)) {
        result = P_FromFactory(clsid::kHardwareService, nullptr, hardware, "Online");
      }
    }
  });
  return result;
}

Ref<Object> RgProjectServices::RgLoadService() {
  Ref<Object> result;
  Guard(*this, "Property Get RgLoadService",
        [&] { result = P_FromFactory(clsid::kLoadService, nullptr, nullptr, ""); });
  return result;
}

Ref<Object> RgProjectServices::RgMMCService() {
  Ref<Object> result;
  Guard(*this, "Property Get RgMMCService",
        [&] { result = P_FromFactory(clsid::kMMCService, nullptr, nullptr, ""); });
  return result;
}

Ref<Object> RgProjectServices::RgProjectService() {
  Ref<Object> result;
  Guard(*this, "Property Get RgProjectService",
        [&] { result = P_FromFactory(clsid::kProjectService, nullptr, nullptr, ""); });
  return result;
}

Ref<Object> RgProjectServices::RgOnlineService() {
  Ref<Object> result;
  Guard(*this, "Property Get RgOnlineService",
        [&] { result = P_FromFactory(clsid::kOnlineService, nullptr, nullptr, ""); });
  return result;
}

Ref<Object> RgProjectServices::RgOptionService() {
  Ref<Object> result;
  Guard(*this, "Property Get RgOptionService",
        [&] { result = P_FromFactory(clsid::kOptionService, nullptr, nullptr, ""); });
  return result;
}

Ref<Object> RgProjectServices::RgTooltips() {
  Ref<Object> result;
  Guard(*this, "Property Get RgTooltips",
        [&] { result = P_FromFactory(clsid::kTooltips, nullptr, nullptr, ""); });
  return result;
}

Ref<Object> RgProjectServices::RgSymbolService() {
  Ref<Object> result;
  Guard(*this, "Property Get RgSymbolService", [&] {
    if (auto container = P_Container(RgProjectLocationOffline)) {
      result = P_FromFactory(clsid::kSymbolService, container, nullptr, "");
    }
  });
  return result;
}

Ref<Object> RgProjectServices::RgVarTableService(int32_t location) {
  Ref<Object> result;
  Guard(*this, "Property Get RgVarTableService", [&] {
    const auto online = RgOnlineService().As<IRgOnlineService>();
    if (!online) return;
    const auto connection = online->Connection().As<IRgOnlineConnection>();
    if (!connection) return;
    if (location == RgProjectLocationOffline) {
      if (auto tables = P_ContainerChild(location, clsid::kVarTables)) {
        result = connection->VarTableService(tables);
      }
    } else if (location == RgProjectLocationOnline) {
      result = connection->VarTableService(nullptr);
    }
  });
  return result;
}

Ref<RgObjectStreamService> RgProjectServices::RgObjectStreamService(int32_t location) {
  Ref<mzblprsx::RgObjectStreamService> result;
  Guard(*this, "Property Get RgObjectStreamService", [&] {
    Ref<mzblprsx::RgObjectStreamService>* slot = nullptr;
    Ref<IRgObjectStreamHandler> handler;
    if (location == RgProjectLocationOffline) {
      slot = &offlineStreamService_;
      if (!*slot) handler = platform::MakeObject<RgPrjStreamHandlerOffline>();
    } else if (location == RgProjectLocationOnline) {
      slot = &onlineStreamService_;
      if (!*slot) handler = platform::MakeObject<RgPrjStreamHandlerOnline>();
    } else {
      throw platform::Error(platform::errc::kInvalidCall,
                            "No stream service for location " + std::to_string(location));
    }
    if (!*slot) {
      auto service = platform::MakeObject<mzblprsx::RgObjectStreamService>();
      service->SetStreamHandler(handler);
      handler->SetParent(service);
      *slot = service;
    }
    if (!(*slot)->ProjectSnapIn()) (*slot)->SetProjectSnapIn(snapIn_);
    result = *slot;
  });
  return result;
}

}  // namespace mzblprsx
