// The look-ups that the offline stream handler's sending, checking and inserting halves (the
// ...Send, ...Check and ...Insert files) share.
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgSymbolService.h"
#include "mzblprsx/interfaces/IRgSymbolTable.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOfflineShared.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

using offline_stream::IsBlockItem;
using offline_stream::IsCategoryItem;

// ---- Shared look-ups --------------------------------------------------------------------------

Ref<IRgBlockInfo> RgPrjStreamHandlerOffline::P_BlockInfo() {
  if (!blockInfo_) blockInfo_ = platform::CreateObjectAs<IRgBlockInfo>(clsid::kBlockInfo);
  return blockInfo_;
}

Ref<Object> RgPrjStreamHandlerOffline::P_OfflineContainer() {
  const Ref<RgProjectData> data =
      parent_->ProjectSnapIn()->Projects()->Project(RgProjectLocationOffline);
  return data ? data->Object() : nullptr;
}

Ref<Object> RgPrjStreamHandlerOffline::P_TargetProgram() {
  Ref<Object> result;
  Guard(*this, "P_TargetProgram", [&] {
    const Ref<Object> container = P_OfflineContainer();
    if (!container) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "There is no offline project to insert into");
    }
    const auto list = container.Cast<IRgProjectContainer>()->Objects();
    for (int32_t i = 1; i <= list->Count(); ++i) {
      const Ref<IRgObject> child = list->Item(i);
      if (child->ClassID() == clsid::kProgramOffline) result = child;
    }
    if (!result) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "The offline project has no program to insert blocks into");
    }
  });
  return result;
}

Ref<RgProjectItem> RgPrjStreamHandlerOffline::P_GetProgramItem() {
  Ref<RgProjectItem> result;
  Guard(*this, "P_GetProgramItem", [&] {
    const Ref<RgProjectModel> model = parent_->ProjectSnapIn()->OfflineModel();
    if (!model) return;
    const Ref<RgProjectItemList> list = model->ItemList();
    if (list->Find(find_by::kHandlerClass,
                   Variant(std::string(RgPrjHandlerProgramOffline::kTypeName)))) {
      result = list->FoundItem();
    }
  });
  return result;
}

Ref<RgPrjHandlerProgramOffline> RgPrjStreamHandlerOffline::P_GetProgramHandler() {
  Ref<RgPrjHandlerProgramOffline> result;
  Guard(*this, "P_GetProgramHandler", [&] {
    const Ref<RgProjectItem> item = P_GetProgramItem();
    if (!item) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "The offline tree shows no program to insert into");
    }
    result = item->HandlerObject().Cast<RgPrjHandlerProgramOffline>();
  });
  return result;
}

Ref<RgProjectItem> RgPrjStreamHandlerOffline::P_ItemOf(const Ref<Object>& object) {
  if (!object) return {};
  const Ref<RgProjectModel> model = parent_->ProjectSnapIn()->OfflineModel();
  if (!model) return {};
  const Ref<RgProjectItemList> list = model->ItemList();
  return list->Find(find_by::kObject, Variant(object)) ? list->FoundItem() : Ref<RgProjectItem>();
}

Ref<RgProjectItem> RgPrjStreamHandlerOffline::P_CategoryPosition(
    const Ref<RgProjectItem>& position) {
  if (!position) return {};
  if (IsCategoryItem(position)) return position;
  if (IsBlockItem(position)) {
    Ref<RgProjectItem> parent = position->Parent();
    if (parent && IsCategoryItem(parent)) return parent;
  }
  return {};
}

Ref<IRgSymbolTable> RgPrjStreamHandlerOffline::P_SymbolTable() {
  if (haveSymbolTable_) return symbolTable_;
  haveSymbolTable_ = true;
  const auto service =
      parent_->ProjectSnapIn()->Services()->RgSymbolService().As<IRgSymbolService>();
  symbolTable_ = service ? service->SymbolTable() : nullptr;
  return symbolTable_;
}

void RgPrjStreamHandlerOffline::P_AddInserted(const Ref<RgProjectItem>& item) {
  const Ref<RgProjectItems> inserted = parent_->InsertedItems();
  if (!item || !inserted) return;
  if (inserted->IndexOf(item) == 0) inserted->Add(item, nullptr, nullptr);
}

}  // namespace mzblprsx
