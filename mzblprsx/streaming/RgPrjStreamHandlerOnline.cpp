// The online stream handler: carrying the PLC's objects, and downloading offline objects.
#include "mzblprsx/streaming/RgPrjStreamHandlerOnline.h"

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/streaming/RgObjectStreamItem.h"
#include "mzblprsx/streaming/RgObjectStreamItems.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/ClassRegistry.h"
#include "platform/OneOf.h"

namespace mzblprsx {

using platform::OneOf;

// ---- Sending ----------------------------------------------------------------------------------

void RgPrjStreamHandlerOnline::StreamObjects(const Ref<IRgDataObject>& dataObject,
                                             const Ref<RgProjectItems>& items) {
  Guard(*this, "StreamObjects", [&] {
    P_StreamEachObject(
        dataObject, items, [&](const Ref<RgProjectItem>& item, const Ref<IRgObject>& object) {
          const bool program = object->ClassID() == clsid::kProgramOnline;
          if (!program && !OneOf(object->ClassID(), {clsid::kProjectOnline, clsid::kHwConfigOnline,
                                                     clsid::kBlockOnline})) {
            return;  // nothing else of the PLC travels
          }
          P_AddObjectOnce(dataObject, object);
          if (program) {
            // The program, then its blocks as entries of their own, as a selection of it carries.
            Ref<RgProjectItems> contents =
                platform::CreateObjectAs<RgProjectItems>(clsid::kProjectItems);
            P_AddProgramItems(item, contents);
            StreamObjects(dataObject, contents);
          }
        });
  });
}

void RgPrjStreamHandlerOnline::InsertObjectsComplete(int32_t /*action*/,
                                                     const Ref<RgProjectItems>& /*items*/) {
  // The PLC's objects allow copying only (GetItemStreamDataAction), so no move of them ever
  // waits for its completion here.
  Guard(*this, "InsertObjectsComplete", [] {});
}

// ---- Receiving --------------------------------------------------------------------------------

bool RgPrjStreamHandlerOnline::IsNeverDownloaded(const std::string& objectId) {
  for (const std::string_view kind : {"UDT", "SFC", "SFB"}) {
    if (objectId.find(kind) != std::string::npos) return true;
  }
  return false;
}

bool RgPrjStreamHandlerOnline::P_MayLoad(const Ref<IRgObject>& object) {
  return object->ClassID() != clsid::kBlockOffline || !IsNeverDownloaded(object->ObjectID());
}

int32_t RgPrjStreamHandlerOnline::GetInsertDataAction(const std::string& classId,
                                                      const Variant& objectId, int32_t source) {
  int32_t result = RgStreamServiceDataActionNone;
  Guard(*this, "GetInsertDataAction", [&] {
    const bool same = (source & RgStreamDataSourceSameApplication) != 0;
    if (OneOf(classId, {clsid::kProjectOffline, clsid::kHwConfigOffline, clsid::kProgramOffline})) {
      result = same ? RgStreamServiceDataActionCopy : RgStreamServiceDataActionNone;
    } else if (classId == clsid::kCategory) {
      result = RgStreamServiceDataActionCopy;
    } else if (classId == clsid::kBlockOffline && same && !IsNeverDownloaded(objectId.ToString())) {
      result = RgStreamServiceDataActionCopy;
    }
  });
  return result;
}

bool RgPrjStreamHandlerOnline::CheckObjects(Ref<RgObjectStreamItems>& items, int32_t action,
                                            Ref<RgProjectItem>& /*position*/, int32_t /*source*/) {
  bool result = false;
  Guard(*this, "CheckObjects", [&] {
    for (const Ref<RgObjectStreamItem>& item : items->NewEnum()) {
      const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
      if (entry->ClassID() != clsid::kBlockOffline) continue;
      if (IsNeverDownloaded(entry->ObjectID().ToString())) {
        item->SetAction(RgDataObjectItemActionCancel);  // dropped without a word
      } else if (parent_->CheckBlockOpened(entry, RgProjectLocationOnline)) {
        item->SetAction(RgDataObjectItemActionCancel);
        item->SetItemError(RgDataObjectItemErrorOpenedBlock);
      } else if (!parent_->CheckBlockFlushed(entry)) {
        item->SetAction(RgDataObjectItemActionCancel);
        item->SetItemError(RgDataObjectItemErrorFlushingBlock);
      }
    }
    result = parent_->CheckBlockFlushErrors(items, RgProjectLocationOnline, action) &&
             parent_->CheckBlockOpenErrors(items, action);
  });
  return result;
}

bool RgPrjStreamHandlerOnline::InsertObjects(Ref<RgObjectStreamItems>& items, int32_t /*action*/,
                                             Ref<RgProjectItem>& position, int32_t /*source*/) {
  bool result = false;
  Guard(*this, "InsertObjects", [&] {
    const Ref<IRgDataObject> dataObject = items->DataObject();
    if (!dataObject) return;
    bool offline = false;
    bool online = false;
    parent_->GetObjectLocations(dataObject, offline, online);
    if (offline) result = DownloadObjects(dataObject, position);
  });
  return result;
}

bool RgPrjStreamHandlerOnline::DownloadObjects(const Ref<IRgDataObject>& dataObject,
                                               const Ref<RgProjectItem>& target) {
  bool result = false;
  Guard(*this, "DownloadObjects", [&] {
    const std::string xml = P_GetLoadXML(dataObject);
    const Ref<RgProjectModel> model =
        target ? target->Model() : parent_->ProjectSnapIn()->OnlineModel();
    result = P_Load(xml, model);
  });
  return result;
}

}  // namespace mzblprsx
