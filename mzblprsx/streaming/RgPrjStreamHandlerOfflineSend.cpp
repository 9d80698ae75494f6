// The offline stream handler's sending half: which items may travel, what a selection stands
// for, writing the objects into the transfer object, and the completion of a move.
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"

#include <vector>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockSymbol.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgErrorService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOfflineShared.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

using offline_stream::HasBit;
using offline_stream::IsBlockItem;
using offline_stream::MovedKey;
using offline_stream::OneOf;
using offline_stream::TypeOf;

namespace {

constexpr int32_t kStyleNote = 0x40;

}  // namespace

// ---- Sending ----------------------------------------------------------------------------------

std::string RgPrjStreamHandlerOffline::P_GetBlockListOfCategory(
    const Ref<RgProjectItem>& category) {
  std::string result;
  Guard(*this, "P_GetBlockListOfCategory", [&] {
    const Ref<RgProjectItems> blocks = category->Items();
    for (int32_t i = 1; i <= blocks->Count(); ++i) {
      const Ref<RgProjectItem> block = blocks->Item(i);
      if (!IsBlockItem(block)) continue;
      result += block->Data()->Value("NAME", Variant("")).ToString() + ";";
    }
  });
  return result;
}

void RgPrjStreamHandlerOffline::StreamObjects(const Ref<IRgDataObject>& dataObject,
                                              const Ref<RgProjectItems>& items) {
  Guard(*this, "StreamObjects", [&] {
    P_StreamEachObject(dataObject, items,
                       [&](const Ref<RgProjectItem>& item, const Ref<IRgObject>& object) {
                         const std::string classId = object->ClassID();
                         if (classId == clsid::kProjectOffline) {
                           StreamProject(dataObject, object);
                         } else if (classId == clsid::kHwConfigOffline) {
                           StreamHardware(dataObject, object);
                         } else if (classId == clsid::kVarTables) {
                           StreamVarTables(dataObject, object);
                         } else if (classId == clsid::kProgramOffline) {
                           StreamProgram(dataObject, item);
                         } else if (classId == clsid::kCategory) {
                           StreamCategory(dataObject, object, P_GetBlockListOfCategory(item));
                         } else if (classId == clsid::kBlockOffline) {
                           StreamBlock(dataObject, object);
                         } else if (OneOf(classId, {clsid::kSymbolTable, clsid::kDocumentation})) {
                           P_AddObjectOnce(dataObject, object);
                         }
                       });
  });
}

void RgPrjStreamHandlerOffline::StreamProject(const Ref<IRgDataObject>& dataObject,
                                              const Ref<IRgObject>& project) {
  // The project's content is the whole project: its children travel inside it.
  Guard(*this, "StreamProject", [&] { P_AddObjectOnce(dataObject, project); });
}

void RgPrjStreamHandlerOffline::StreamHardware(const Ref<IRgDataObject>& dataObject,
                                               const Ref<IRgObject>& hardware) {
  Guard(*this, "StreamHardware", [&] { P_AddObjectOnce(dataObject, hardware); });
}

void RgPrjStreamHandlerOffline::StreamVarTables(const Ref<IRgDataObject>& dataObject,
                                                const Ref<IRgObject>& tables) {
  Guard(*this, "StreamVarTables", [&] { P_AddObjectOnce(dataObject, tables); });
}

void RgPrjStreamHandlerOffline::StreamProgram(const Ref<IRgDataObject>& dataObject,
                                              const Ref<RgProjectItem>& program) {
  // The program itself (a download takes it whole), then what a program stands for as its own
  // entries, so that a paste inserts its categories and blocks as any others.
  Guard(*this, "StreamProgram", [&] {
    P_AddObjectOnce(dataObject, program->Handler()->Object());
    Ref<RgProjectItems> contents = platform::CreateObjectAs<RgProjectItems>(clsid::kProjectItems);
    P_AddProgramItems(program, contents);
    StreamObjects(dataObject, contents);
  });
}

void RgPrjStreamHandlerOffline::StreamCategory(const Ref<IRgDataObject>& dataObject,
                                               const Ref<IRgObject>& category,
                                               const std::string& blockList) {
  Guard(*this, "StreamCategory", [&] {
    if (parent_->GetDataObjectItem(dataObject, category->ClassID(),
                                   Variant(category->ObjectID()))) {
      return;
    }
    dataObject->AddObject(category)->SetMarkerText(blockList);
  });
}

void RgPrjStreamHandlerOffline::StreamBlock(const Ref<IRgDataObject>& dataObject,
                                            const Ref<IRgObject>& block) {
  Guard(*this, "StreamBlock", [&] {
    const std::string classId = block->ClassID();
    const std::string objectId = block->ObjectID();
    if (parent_->GetDataObjectItem(dataObject, classId, Variant(objectId))) return;
    // An open editor may hold changes the project does not have yet.
    if (parent_->ProjectSnapIn()->Application()->FlushDocument(block)) {
      dataObject->AddObject(block);
      return;
    }
    const auto symbol = block.As<IRgBlockSymbol>();
    dataObject->AddReference(classId, Variant(objectId), symbol ? symbol->Symbol() : objectId)
        ->SetMarkerText(std::string(kMarkerFlush));
  });
}

void RgPrjStreamHandlerOffline::InsertObjectsComplete(int32_t action,
                                                      const Ref<RgProjectItems>& items) {
  Guard(*this, "InsertObjectsComplete", [&] {
    if (!HasBit(action, RgStreamServiceDataActionMove)) return;
    const Ref<RgProjectItem> programItem = P_GetProgramItem();
    if (!programItem) return;
    P_DeleteMovedProgramItems(items,
                              programItem->HandlerObject().Cast<RgPrjHandlerProgramOffline>());
  });
}

void RgPrjStreamHandlerOffline::P_DeleteMovedProgramItems(
    const Ref<RgProjectItems>& items, const Ref<RgPrjHandlerProgramOffline>& program) {
  Guard(*this, "P_DeleteMovedProgramItems", [&] {
    std::vector<std::string> blocks;
    std::vector<std::string> categories;
    for (int32_t i = 1; i <= items->Count(); ++i) {
      const Ref<RgProjectItem> item = items->Item(i);
      const Ref<IRgProjectItemHandler> handler = item->Handler();
      const Ref<IRgObject> object = handler ? handler->Object() : nullptr;
      if (!object) continue;
      const std::string classId = object->ClassID();
      const std::string objectId = object->ObjectID();
      // What this project's own paste moved in place is where the user wanted it.
      if (movedInPlace_.contains(MovedKey(classId, objectId))) continue;
      if (classId == clsid::kBlockOffline) blocks.push_back(objectId);
      if (classId == clsid::kCategory && TypeOf(item) == item_kind::kCategory) {
        categories.push_back(objectId);
      }
    }
    movedInPlace_.clear();
    if (blocks.empty() && categories.empty()) return;
    if (!blocks.empty()) program->DeleteBlocks(blocks);
    if (!categories.empty()) program->DeleteCategories(categories);
    const std::string caption =
        parent_->ProjectSnapIn()->GetStaticText(RgObjectStreamService::kTextInsertObjects);
    FrameworkGlobals()->ErrorService()->ShowMessage(0, std::string(kMessageModuleComponents),
                                                    kMessageMovedDeleted, 0, {caption}, kStyleNote);
  });
}

}  // namespace mzblprsx
