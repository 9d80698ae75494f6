#include "mzblprsx/handlers/RgPrjHandlerProjectOnline.h"

#include <string>

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "platform/DateTime.h"
#include "platform/OneOf.h"

namespace mzblprsx {

void RgPrjHandlerProjectOnline::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgProjectOnline", 1, 1);
  data.SetValue("LASTMODIFIED", Variant(platform::DateTime()), 1);
  data.SetValue("SIZE", Variant(int32_t{0}), 1);
}

void RgPrjHandlerProjectOnline::OnInitialize() {
  StartNotifications();
  GetData();
}

void RgPrjHandlerProjectOnline::P_RecomputeStatus() {
  if (const Ref<RgPrjStatusController> status = SnapIn()->StatusController()) {
    status->RefreshHardwareStatus();
  }
}

void RgPrjHandlerProjectOnline::OnNotify(int32_t code, Ref<platform::Object> object,
                                         const Variant& /*argument*/) {
  Guard(*this, "IRgObjectEventSink_OnNotify", [&] {
    if (!item_) return;
    const auto framework = object.As<IRgObject>();
    if (!framework || framework->ClassID() != clsid::kHwConfigOnline) return;
    if (!platform::OneOf(code, notify::kHwConfigChanges)) return;
    P_RecomputeStatus();
    const Ref<RgProjectItemList> children = item_->ChildList();
    if (!children->Find(find_by::kObject, Variant(object))) return;
    if (const auto handler = children->FoundItem()->Handler()) handler->Refresh();
  });
}

}  // namespace mzblprsx
