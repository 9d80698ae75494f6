#include "mzblprsx/handlers/RgPrjHandlerFilesOnMMC.h"

#include <array>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/AutoRefreshPause.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgLoadService.h"
#include "mzblprsx/interfaces/IRgMMCService.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/DateTime.h"
#include "platform/OneOf.h"

namespace mzblprsx {
namespace {

const std::string kLoadStateKey = "LoadState";
/// The type tag of a 16-bit integer for the item data's AddValue.
constexpr int32_t kInteger16 = 2;
/// The flag of LoadState that asks the load service to tell its listeners.
constexpr int32_t kNotifyListeners = 16;
/// Codes of files that are on the card (reported, added, renamed, changed).
constexpr std::array<int32_t, 4> kFilesPresent = {1, 3, 4, 8};
constexpr int32_t kFilesGone = 2;

}  // namespace

void RgPrjHandlerFilesOnMMC::FillData(RgProjectItemData& data) {
  data.SetValue("TYPE", Variant("RgFilesOnMMC"), 1);
  data.SetValue("NAME", Variant(SnapIn()->GetStaticText(kTextName)), 1);
  // Without a memory card service the node still has every key, with the defaults.
  const auto service = SnapIn()->Services()->RgMMCService().As<IRgMMCService>();
  data.SetValue("LASTMODIFIED",
                Variant(service ? DateFromText(service->LastModifiedText()) : platform::DateTime()),
                1);
  data.SetValue("SIZE", Variant(service ? service->Size() : int32_t{0}), 1);
  data.SetValue(kLoadStateKey, Variant(int16_t{0}), 1);
}

void RgPrjHandlerFilesOnMMC::OnInitialize() {
  StartNotifications();
  GetData();
}

void RgPrjHandlerFilesOnMMC::LoadFiles() {
  Guard(*this, "LoadFiles", [&] {
    // Held here: the files' notifications arrive while the load service is asked.
    const Ref<RgProjectItem> item = item_;
    if (item->Data()->Value(kLoadStateKey).ToInt32() != 0) return;
    const Ref<RgProjectServices> services = SnapIn()->Services();
    const auto loadService = services->RgLoadService().Cast<IRgLoadService>();
    const Ref<RgObjectStreamService> streamService =
        services->RgObjectStreamService(RgProjectLocationOnline);
    const std::string updateList = streamService->GetProjectItemXML(item);
    int16_t loadState = 0;
    switch (loadService->LoadState(updateList, kNotifyListeners)) {
      case -1:
      case 1:
        loadState = 0;
        break;
      case 0:
        loadState = -1;
        break;
      case 2:
        loadState = 1;
        break;
      default:
        return;  // an answer without a meaning here changes nothing
    }
    item->Data()->AddValue(kLoadStateKey, Variant(loadState), kInteger16);
  });
}

Ref<RgProjectItem> RgPrjHandlerFilesOnMMC::AddFileItem(const Ref<IRgObject>& file) {
  Ref<RgProjectItem> result;
  Guard(*this, "AddFileItem", [&] { result = item_->Items()->AddNew(file, nullptr, nullptr); });
  return result;
}

void RgPrjHandlerFilesOnMMC::OnNotify(int32_t /*code*/, Ref<platform::Object> /*object*/,
                                      const Variant& /*argument*/) {}

void RgPrjHandlerFilesOnMMC::OnNotify2(const RgNotification& notification) {
  Guard(*this, "IRgObjectEventSink2_OnNotify", [&] {
    if (!item_) return;
    if (notification.sourceClass == clsid::kMemoryCard) {
      Refresh();
      return;
    }
    if (notification.sourceClass != clsid::kMMCFile) return;
    // Only what this handler switched off is switched back on: a notification delivered while
    // the model reads False must leave it so.
    AutoRefreshPause pause(item_->Model());
    const Ref<RgProjectItemList> list = item_->ChildList();
    for (const RgNotificationEntry& entry : notification.entries) {
      if (entry.code == kFilesGone) {
        pause.SwitchOff();
        for (const Ref<IRgObject>& file : entry.objects) {
          if (!list->Find(find_by::kObject, Variant(file))) continue;
          const Ref<RgProjectItem> found = list->FoundItem();
          found->Parent()->Items()->Remove(found);
        }
        Refresh();
      } else if (platform::OneOf(entry.code, kFilesPresent)) {
        pause.SwitchOff();
        for (const Ref<IRgObject>& file : entry.objects) {
          if (list->Find(find_by::kObject, Variant(file))) {
            if (const auto handler = list->FoundItem()->Handler()) handler->Refresh();
          } else {
            AddFileItem(file);
          }
        }
        Refresh();
      }
    }
  });
}

}  // namespace mzblprsx
