// The one place where the library obtains the host's services.
//
// Most services are fetched anew from the host's service factory on every call; the category
// service and the two object stream services are created once and kept. Services that exist once
// per side take the location; a side without a project gives no service (and no error).
#pragma once

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectSnapin;
class RgObjectStreamService;

class RgProjectServices final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectServices";

  RgProjectServices() = default;
  ~RgProjectServices() override;
  std::string_view TypeName() const override { return kTypeName; }

  Ref<Object> RgBlockService(int32_t location);
  /// The offline category service, created on first use and kept; nothing for other locations.
  Ref<Object> RgCategoryService(int32_t location);
  Ref<Object> RgHardwareService(int32_t location);
  Ref<Object> RgLoadService();
  Ref<Object> RgMMCService();
  Ref<Object> RgProjectService();
  /// The library's stream service of the side, created on first use with its handler and kept;
  /// any location but 1 and 2 fails.
  Ref<mzblprsx::RgObjectStreamService> RgObjectStreamService(int32_t location);
  Ref<Object> RgOnlineService();
  Ref<Object> RgOptionService();
  Ref<Object> RgTooltips();
  Ref<Object> RgVarTableService(int32_t location);
  Ref<Object> RgSymbolService();

  // Library-internal
  Ref<RgProjectSnapin> SnapIn();
  void SetSnapIn(Ref<RgProjectSnapin> snapIn);

 private:
  /// A new service from the host's service factory.
  static Ref<Object> P_FromFactory(std::string_view classId, Ref<Object> offlineContext,
                                   Ref<Object> onlineContext, const std::string& contextName);
  /// The side's project container, or nothing when the side has no project.
  Ref<Object> P_Container(int32_t location);
  /// A child of the side's project container by class identifier; nothing without a container
  /// or without such a child.
  Ref<Object> P_ContainerChild(int32_t location, std::string_view classId);

  InstanceTrace trace_{kTypeName};
  Ref<RgProjectSnapin> snapIn_;
  Ref<Object> categoryService_;
  Ref<mzblprsx::RgObjectStreamService> offlineStreamService_;
  Ref<mzblprsx::RgObjectStreamService> onlineStreamService_;
};

}  // namespace mzblprsx
