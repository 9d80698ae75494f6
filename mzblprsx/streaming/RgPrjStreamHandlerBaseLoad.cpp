// The loading half that download and upload share: the direct path or the dialog, the load
// service call, and the loaded items that the target model announces meanwhile.
#include <string_view>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/dialogs/RgProjectDialogDownUpload.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgLoadService.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerBase.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

bool RgPrjStreamHandlerBase::P_CheckSingleItem(const Ref<IRgDataObject>& dataObject) {
  bool result = false;
  Guard(*this, "P_CheckSingleItem", [&] {
    const SideClasses& other = ClassesOf(OtherLocation());
    const std::string classId = dataObject->Item(1)->ClassID();
    result = classId == other.project || classId == other.hardware || classId == other.program ||
             classId == other.block;
  });
  return result;
}

bool RgPrjStreamHandlerBase::P_CheckMultiItems(const Ref<IRgDataObject>& dataObject) {
  bool result = false;
  Guard(*this, "P_CheckMultiItems", [&] {
    const SideClasses& other = ClassesOf(OtherLocation());
    // Categories exist in the offline project only: a download may carry them.
    const bool categoriesTravel = OtherLocation() == RgProjectLocationOffline;
    int32_t hardware = 0;
    int32_t programs = 0;
    int32_t categories = 0;
    int32_t blocks = 0;
    const int32_t count = dataObject->ItemCount();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<IRgDataObjectItem> entry = dataObject->Item(i);
      const std::string classId = entry->ClassID();
      if (classId == other.hardware) {
        ++hardware;
      } else if (classId == other.program) {
        ++programs;
      } else if (classId == other.block) {
        ++blocks;
      } else if (categoriesTravel && classId == clsid::kCategory) {
        // A category that comes without all of its blocks asks which of them to load.
        if (!P_CheckAllCategoryBlocksContained(dataObject, entry)) return;
        ++categories;
      } else {
        return;  // anything else is the user's choice
      }
    }
    result = (blocks > 0 && programs == 0) ||
             (hardware > 0 && programs > 0 && blocks == 0 && categories == 0);
  });
  return result;
}

bool RgPrjStreamHandlerBase::P_CheckAllCategoryBlocksContained(
    const Ref<IRgDataObject>& dataObject, const Ref<IRgDataObjectItem>& category) {
  bool result = false;
  Guard(*this, "P_CheckAllCategoryBlocksContained", [&] {
    const std::string blockClass(ClassesOf(OtherLocation()).block);
    const std::string list = category->MarkerText();
    std::string_view rest = list;
    while (!rest.empty()) {
      const size_t end = rest.find(';');
      const std::string_view name = rest.substr(0, end);
      // The list ends with ";": the empty name after it names no block.
      if (!name.empty() &&
          !parent_->GetDataObjectItem(dataObject, blockClass, Variant(std::string(name)))) {
        return;
      }
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerBase::P_FlushDocuments(const Ref<RgProjectItems>& items) {
  bool result = false;
  Guard(*this, "P_FlushDocuments", [&] {
    const Ref<RgProjectApplication> application = parent_->ProjectSnapIn()->Application();
    for (int32_t i = 1; i <= items->Count(); ++i) {
      const Ref<IRgProjectItemHandler> handler = items->Item(i)->Handler();
      const Ref<IRgObject> object = handler ? handler->Object() : nullptr;
      if (object && !application->FlushDocument(object)) return;
    }
    result = true;
  });
  return result;
}

std::string RgPrjStreamHandlerBase::P_GetLoadXML(const Ref<IRgDataObject>& dataObject) {
  std::string result;
  Guard(*this, "P_GetLoadXML", [&] {
    const int32_t count = dataObject->ItemCount();
    if (count < 1) return;
    const bool direct = count == 1 ? P_CheckSingleItem(dataObject) : P_CheckMultiItems(dataObject);
    if (direct) {
      result = parent_->GetRgDataObjectItemsXML(dataObject);
      return;
    }
    const Ref<RgProjectSnapin> snapIn = parent_->ProjectSnapIn();
    const auto dialog = platform::MakeObject<RgProjectDialogDownUpload>();
    const bool download = location_ == RgProjectLocationOnline;
    const Ref<RgProjectItems> offered =
        download ? dialog->Download(snapIn, dataObject) : dialog->Upload(snapIn, dataObject);
    if (!offered) return;
    // The dialog offers the whole tree; what never goes to this side stays behind here too.
    Ref<RgProjectItems> chosen = platform::CreateObjectAs<RgProjectItems>(clsid::kProjectItems);
    for (int32_t i = 1; i <= offered->Count(); ++i) {
      const Ref<RgProjectItem> item = offered->Item(i);
      const Ref<IRgProjectItemHandler> handler = item->Handler();
      if (handler && handler->Object() && P_MayLoad(handler->Object())) {
        chosen->Add(item, nullptr, nullptr);
      }
    }
    if (chosen->Count() == 0) return;
    // What goes into the PLC is what the project holds, not what an open editor shows.
    if (download && !P_FlushDocuments(chosen)) return;
    result = parent_->GetProjectItemsXML(chosen);
  });
  return result;
}

bool RgPrjStreamHandlerBase::P_Load(const std::string& xml, const Ref<RgProjectModel>& model) {
  bool result = false;
  Guard(*this, "P_Load", [&] {
    if (xml.empty()) return;
    const Ref<RgProjectSnapin> snapIn = parent_->ProjectSnapIn();
    const auto service = snapIn->Services()->RgLoadService().As<IRgLoadService>();
    if (!service) return;
    int32_t answer = -1;
    P_WatchModel(model);
    try {
      if (location_ == RgProjectLocationOnline) {
        service->Download(xml, 0, answer);
      } else {
        service->Upload(xml, 0, answer);
      }
    } catch (...) {
      P_WatchModel(nullptr);  // a failed load must not collect the items of later changes
      throw;
    }
    P_WatchModel(nullptr);
    result = answer >= 0;
    if (!result) return;
    // The loaded side now holds what the other side holds: the compare states change.
    if (const Ref<RgPrjStatusController> controller = snapIn->StatusController()) {
      controller->RefreshHardwareStatus();
      controller->RefreshProgramStatus();
    }
  });
  return result;
}

void RgPrjStreamHandlerBase::P_WatchModel(const Ref<RgProjectModel>& model) {
  moModelItemAdd_.Disconnect();
  moModelItemChange_.Disconnect();
  loaded_.clear();
  if (!model) return;
  moModelItemAdd_ = model->ItemAdd().Connect(
      [this](const Ref<RgProjectItem>& item, int32_t at) { moModel_ItemAdd(item, at); });
  moModelItemChange_ = model->ItemChange().Connect(
      [this](const Ref<RgProjectItem>& item, int32_t at) { moModel_ItemChange(item, at); });
}

void RgPrjStreamHandlerBase::moModel_ItemAdd(const Ref<RgProjectItem>& item, int32_t /*at*/) {
  Guard(*this, "moModel_ItemAdd", [&] {
    if (P_CollectLoaded(item)) P_ItemLoaded(item);
  });
}

void RgPrjStreamHandlerBase::moModel_ItemChange(const Ref<RgProjectItem>& item, int32_t /*at*/) {
  Guard(*this, "moModel_ItemChange", [&] { P_CollectLoaded(item); });
}

bool RgPrjStreamHandlerBase::P_CollectLoaded(const Ref<RgProjectItem>& item) {
  if (!item) return false;
  const std::string type = item_kind::TypeOf(item);
  if (type.find("RgHwConfig") == std::string::npos && type.find("RgBlock") == std::string::npos) {
    return false;
  }
  const Ref<RgProjectItems> inserted = parent_->InsertedItems();
  if (!inserted || !loaded_.insert(platform::Identity(item)).second) return false;
  if (inserted->IndexOf(item) == 0) inserted->Add(item, nullptr, nullptr);
  return true;
}

}  // namespace mzblprsx
