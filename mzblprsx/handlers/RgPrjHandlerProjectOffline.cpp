#include "mzblprsx/handlers/RgPrjHandlerProjectOffline.h"

#include <string>

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "platform/OneOf.h"

namespace mzblprsx {

using platform::OneOf;

void RgPrjHandlerProjectOffline::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgProjectOffline", 1, 3);
  data.SetValue("DISPLAY_TITLE", Variant(object_->DisplayName()), 1);
}

void RgPrjHandlerProjectOffline::OnInitialize() {
  StartNotifications();
  GetData();
}

bool RgPrjHandlerProjectOffline::P_RefreshChildOf(const Ref<platform::Object>& object) {
  const Ref<RgProjectItemList> children = item_->ChildList();
  if (!children->Find(find_by::kObject, Variant(object))) return false;
  if (const auto handler = children->FoundItem()->Handler()) handler->Refresh();
  return true;
}

void RgPrjHandlerProjectOffline::OnNotify(int32_t code, Ref<platform::Object> object,
                                          const Variant& /*argument*/) {
  Guard(*this, "IRgObjectEventSink_OnNotify", [&] {
    if (!item_) return;
    const auto framework = object.As<IRgObject>();
    if (!framework) return;
    const std::string classId = framework->ClassID();
    if (classId == clsid::kProjectOffline) {
      if (OneOf(code, {notify::kRenamed, notify::kChildrenChanged})) Refresh();
    } else if (classId == clsid::kHwConfigOffline) {
      if (OneOf(code, notify::kHwConfigChanges) && P_RefreshChildOf(object)) {
        if (const Ref<RgPrjStatusController> status = SnapIn()->StatusController()) {
          status->RefreshHardwareStatus();
        }
        Refresh();
      }
    } else if (classId == clsid::kVarTables || classId == clsid::kDocumentation) {
      if (OneOf(code, {notify::kChanged, notify::kDeleted})) P_RefreshChildOf(object);
    }
  });
}

}  // namespace mzblprsx
