#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"

#include <algorithm>
#include <initializer_list>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/dialogs/LprsDialogOverwriteBlock.h"
#include "mzblprsx/dialogs/LprsDialogOverwriteCategory.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgBlockSymbol.h"
#include "mzblprsx/interfaces/IRgCategory.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgErrorService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectFinder.h"
#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgProjectService.h"
#include "mzblprsx/interfaces/IRgSymbolService.h"
#include "mzblprsx/interfaces/IRgSymbolTable.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "mzblprsx/streaming/RgObjectStreamItem.h"
#include "mzblprsx/streaming/RgObjectStreamItems.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"

namespace mzblprsx {

namespace {

constexpr int32_t kMaxBlockNumber = 65535;
constexpr int32_t kTypeSfc = 13;
constexpr int32_t kTypeSdb = 15;
constexpr int32_t kStyleNote = 0x40;

bool IsSystemType(int32_t type) {
  return type == kTypeSfc || type == kTypeSdb;
}

bool OneOf(std::string_view value, std::initializer_list<std::string_view> values) {
  for (std::string_view v : values) {
    if (value == v) return true;
  }
  return false;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return !prefix.empty() && text.size() >= prefix.size() &&
         platform::text::EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string TypeOf(const Ref<RgProjectItem>& item) {
  return item->Data()->Value("TYPE", Variant("")).ToString();
}

bool IsCategoryItem(const Ref<RgProjectItem>& item) {
  const std::string type = TypeOf(item);
  return type == "RgCategory" || type == "RgCategoryDefault";
}

bool IsBlockItem(const Ref<RgProjectItem>& item) {
  return TypeOf(item).find("RgBlock") != std::string::npos;
}

// The key under which a moved-in-place object is remembered.
std::string MovedKey(std::string_view classId, const std::string& objectId) {
  return std::string(classId) + "|" + platform::text::FoldCase(objectId);
}

bool HasBit(int32_t value, int32_t bit) {
  return (value & bit) != 0;
}

}  // namespace

// ---- InsertIndex ------------------------------------------------------------------------------

void RgPrjStreamHandlerOffline::InsertIndex::Reset() {
  for (auto& [type, bits] : blocks_) std::fill(bits.begin(), bits.end(), 0);  // kept for reuse
  blocksOutside_.clear();
  symbols_.clear();
  numberCursor_.clear();
  symbolCursor_.clear();
}

void RgPrjStreamHandlerOffline::InsertIndex::Record(int32_t type, int32_t number,
                                                    const std::string& symbol) {
  if (type != 0 && number != 0) {
    if (number > 0 && number <= kMaxBlockNumber) {
      NumberBits& bits = blocks_[type];
      if (bits.empty()) bits.resize((kMaxBlockNumber + 64) / 64);
      bits[static_cast<size_t>(number) / 64] |= uint64_t{1} << (number % 64);
    } else {
      blocksOutside_.insert(Key(type, number));
    }
  }
  if (!symbol.empty()) symbols_.insert(platform::text::FoldCase(symbol));
}

bool RgPrjStreamHandlerOffline::InsertIndex::BlockAlreadyInserted(int32_t type,
                                                                  int32_t number) const {
  if (number > 0 && number <= kMaxBlockNumber) {
    const auto it = blocks_.find(type);
    return it != blocks_.end() &&
           (it->second[static_cast<size_t>(number) / 64] >> (number % 64) & 1) != 0;
  }
  return blocksOutside_.contains(Key(type, number));
}

int32_t RgPrjStreamHandlerOffline::InsertIndex::NextFreeBlockNumber(
    int32_t type, const ProgramHasBlock& programHas) {
  // Every number below the cursor was taken when the cursor passed it, and taken numbers are
  // never given back during a check, so the lowest free number is at the cursor or above.
  int32_t& cursor = numberCursor_.try_emplace(type, 1).first->second;
  while (cursor <= kMaxBlockNumber &&
         (programHas(type, cursor) || BlockAlreadyInserted(type, cursor))) {
    ++cursor;
  }
  return cursor <= kMaxBlockNumber ? cursor : kMaxBlockNumber;
}

std::string RgPrjStreamHandlerOffline::InsertIndex::Candidate(const std::string& base,
                                                              int32_t index) {
  return index == 0 ? base : base + " (" + std::to_string(index) + ")";
}

std::string RgPrjStreamHandlerOffline::InsertIndex::FreeSymbolicName(
    const std::string& base, const TableHasSymbol& tableHas) {
  if (base.empty()) return {};
  // As with numbers: the candidates of a base are tried in a fixed order and only ever become
  // taken during a check, so the search resumes where it last stopped.
  int32_t& cursor = symbolCursor_.try_emplace(platform::text::FoldCase(base), 0).first->second;
  for (;; ++cursor) {
    std::string candidate = Candidate(base, cursor);
    if (!tableHas(candidate) && !symbols_.contains(platform::text::FoldCase(candidate))) {
      return candidate;
    }
  }
}

// ---- Sending ----------------------------------------------------------------------------------

bool RgPrjStreamHandlerOffline::P_AllowsAction(const Ref<RgProjectItem>& item, int32_t action) {
  bool result = false;
  Guard(*this, "P_AllowsAction", [&] {
    const int32_t allowed = parent_->GetItemStreamDataAction(item);
    result = (HasBit(allowed, RgStreamServiceDataActionCopy) &&
              HasBit(action, RgStreamServiceDataActionCopy)) ||
             (HasBit(allowed, RgStreamServiceDataActionMove) &&
              HasBit(action, RgStreamServiceDataActionMove));
  });
  return result;
}

bool RgPrjStreamHandlerOffline::CanStreamData(const Ref<RgProjectItems>& items, int32_t action) {
  bool result = false;
  Guard(*this, "CanStreamData", [&] {
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count && !result; ++i) result = P_AllowsAction(items->Item(i), action);
  });
  return result;
}

void RgPrjStreamHandlerOffline::P_AddOnce(Ref<RgProjectItems>& list,
                                          const Ref<RgProjectItem>& item) {
  if (list->IndexOf(item) == 0) list->Add(item, nullptr, nullptr);
}

void RgPrjStreamHandlerOffline::GetStreamItems(const Ref<RgProjectItems>& items, int32_t action,
                                               Ref<RgProjectItems>& streamItems) {
  Guard(*this, "GetStreamItems", [&] {
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> item = items->Item(i);
      if (!P_AllowsAction(item, action)) continue;
      const std::string type = TypeOf(item);
      if (type == "RgProjectOffline") {
        // A project carries everything it holds: it travels alone.
        streamItems->Clear();
        streamItems->Add(item, nullptr, nullptr);
        return;
      }
      if (type == "RgProgramOffline") {
        P_AddProgramItems(item, streamItems);
      } else {
        P_AddOnce(streamItems, item);
      }
    }
  });
}

void RgPrjStreamHandlerOffline::P_AddProgramItems(const Ref<RgProjectItem>& program,
                                                  Ref<RgProjectItems>& streamItems) {
  Guard(*this, "P_AddProgramItems", [&] {
    const Ref<RgProjectItems> children = program->Items();
    for (int32_t i = 1; i <= children->Count(); ++i) {
      const Ref<RgProjectItem> child = children->Item(i);
      const std::string type = TypeOf(child);
      if (type == "RgGhostBlock") continue;
      // The default category exists in every program; only its blocks travel.
      if (type != "RgCategoryDefault") P_AddOnce(streamItems, child);
      const Ref<RgProjectItems> blocks = child->Items();
      for (int32_t k = 1; k <= blocks->Count(); ++k) {
        const Ref<RgProjectItem> block = blocks->Item(k);
        // System blocks belong to the PLC's firmware, and a ghost placeholder is no block.
        if (!IsBlockItem(block) || TypeOf(block) == "RgGhostBlock") continue;
        if (block->Data()->Value("SYSTEM", Variant(true)).ToBool()) continue;
        P_AddOnce(streamItems, block);
      }
    }
  });
}

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
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> item = items->Item(i);
      const Ref<IRgProjectItemHandler> handler = item->Handler();
      const Ref<IRgObject> object = handler ? handler->Object() : nullptr;
      if (!object) {
        parent_->StreamMissingObject(dataObject, item);
        continue;
      }
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
    }
  });
}

void RgPrjStreamHandlerOffline::P_AddObjectOnce(const Ref<IRgDataObject>& dataObject,
                                                const Ref<IRgObject>& object) {
  Guard(*this, "P_AddObjectOnce", [&] {
    if (parent_->GetDataObjectItem(dataObject, object->ClassID(), Variant(object->ObjectID()))) {
      return;
    }
    dataObject->AddObject(object);
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

std::string RgPrjStreamHandlerOffline::GetSourceID() {
  std::string result;
  Guard(*this, "GetSourceID", [&] {
    const Ref<RgProjectData> offline =
        parent_->ProjectSnapIn()->Projects()->Project(RgProjectLocationOffline);
    if (offline) result = offline->GUID();
  });
  return result;
}

int32_t RgPrjStreamHandlerOffline::CheckSourceIsSameApplication(const std::string& sourceId) {
  int32_t result = RgStreamDataSourceOtherApplication;
  Guard(*this, "CheckSourceIsSameApplication", [&] {
    const Ref<RgProjects> projects = parent_->ProjectSnapIn()->Projects();
    const auto matches = [&](int32_t location) {
      const Ref<RgProjectData> data = projects->Project(location);
      return data && data->Object() && data->GUID() == sourceId;
    };
    if (matches(RgProjectLocationOffline)) {
      result = RgStreamDataSourceSameApplication | RgStreamDataSourceLocationOffline;
    } else if (matches(RgProjectLocationOnline)) {
      result = RgStreamDataSourceSameApplication | RgStreamDataSourceLocationOnline;
    }
  });
  return result;
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
      if (classId == clsid::kCategory && TypeOf(item) == "RgCategory") {
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

// ---- Receiving: actions and checks ------------------------------------------------------------

int32_t RgPrjStreamHandlerOffline::GetInsertDataAction(const std::string& classId,
                                                       const Variant& objectId, int32_t source) {
  int32_t result = RgStreamServiceDataActionNone;
  Guard(*this, "GetInsertDataAction", [&] {
    const bool same = HasBit(source, RgStreamDataSourceSameApplication);
    const bool other = HasBit(source, RgStreamDataSourceOtherApplication);
    if (classId == clsid::kProjectOffline) {
      result = other ? 1 : 0;
    } else if (OneOf(classId, {clsid::kProjectOnline, clsid::kHwConfigOnline, clsid::kProgramOnline,
                               clsid::kBlockOnline})) {
      result = same ? 1 : 0;
    } else if (OneOf(classId, {clsid::kHwConfigOffline, clsid::kSymbolTable, clsid::kVarTables,
                               clsid::kDocumentation})) {
      result = 1;
    } else if (OneOf(classId, {clsid::kProgramOffline, clsid::kCategory})) {
      result = kStreamDataActionCopyOrMove;
    } else if (classId == clsid::kBlockOffline) {
      const std::string id = objectId.ToString();
      const Ref<IRgBlockInfo> info = P_BlockInfo();
      const bool system = StartsWithNoCase(id, info->BlockTypeName(kTypeSfc)) ||
                          StartsWithNoCase(id, info->BlockTypeName(kTypeSdb));
      result = system ? (same ? 2 : 1) : kStreamDataActionCopyOrMove;
    }
  });
  return result;
}

bool RgPrjStreamHandlerOffline::CheckObjects(Ref<RgObjectStreamItems>& items, int32_t action,
                                             Ref<RgProjectItem>& /*position*/, int32_t source) {
  bool result = false;
  Guard(*this, "CheckObjects", [&] {
    int32_t stickyBlock = 0;
    int32_t stickyCategory = 0;
    index_.Reset();
    targetProgram_.Reset();
    haveCategoryContext_ = false;
    categoryContext_ = {};
    symbolTable_.Reset();
    haveSymbolTable_ = false;
    stored_.item = nullptr;

    if (items->GetObjectTypeCount(std::string(clsid::kProjectOffline)) > 0) {
      result = P_CheckProject(items);
      return;
    }
    if (items->GetObjectTypeCount(std::string(clsid::kVarTables)) > 0 && !P_CheckVarTables()) {
      return;
    }
    for (const Ref<RgObjectStreamItem>& item : items->NewEnum()) {
      const std::string& classId = item->ClassID();
      bool ok = true;
      if (classId == clsid::kCategory) {
        ok = P_CheckCategory(P_GetCategoryContext(), item, stickyCategory, action, source);
        if (ok && stickyCategory != RgDataObjectItemActionOverwriteAll &&
            stickyCategory != RgDataObjectItemActionIgnoreAll) {
          stickyCategory = item->Action();
        }
      } else if (classId == clsid::kBlockOffline) {
        if (!targetProgram_) targetProgram_ = P_TargetProgram();
        ok = P_CheckBlock(item, stickyBlock, action, source);
      }
      if (!ok) return;
      P_RecordChecked(item);
    }
    result = parent_->CheckBlockFlushErrors(items, RgProjectLocationOffline, action) &&
             parent_->CheckBlockOpenErrors(items, action);
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_CheckProject(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "P_CheckProject", [&] {
    if (!P_OfflineContainer()) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "A project can only be inserted into an open offline project");
    }
    // A project is taken whole: a reference without content has nothing to give.
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(clsid::kProjectOffline))->NewEnum()) {
      if (!item->DataObjectItem()->HasData()) item->SetAction(RgDataObjectItemActionCancel);
    }
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_CheckVarTables() {
  bool result = false;
  Guard(*this, "P_CheckVarTables", [&] {
    if (!P_OfflineContainer()) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "Variable tables can only be inserted into an open offline project");
    }
    result = true;
  });
  return result;
}

RgPrjStreamHandlerOffline::CategoryContext& RgPrjStreamHandlerOffline::P_GetCategoryContext() {
  Guard(*this, "P_GetCategoryContext", [&] {
    if (haveCategoryContext_) return;
    categoryContext_.service = parent_->ProjectSnapIn()
                                   ->Services()
                                   ->RgCategoryService(RgProjectLocationOffline)
                                   .Cast<IRgCategoryService>();
    if (!targetProgram_) targetProgram_ = P_TargetProgram();
    categoryContext_.program = targetProgram_;
    haveCategoryContext_ = true;
  });
  return categoryContext_;
}

bool RgPrjStreamHandlerOffline::P_CheckCategory(CategoryContext& context,
                                                const Ref<RgObjectStreamItem>& item, int32_t sticky,
                                                int32_t action, int32_t source) {
  bool result = false;
  Guard(*this, "P_CheckCategory", [&] {
    const bool same = HasBit(source, RgStreamDataSourceSameApplication);
    const bool other = HasBit(source, RgStreamDataSourceOtherApplication);
    const bool move = action == RgStreamServiceDataActionMove;
    result = true;
    if (same && move) {
      item->SetAction(RgDataObjectItemActionInsert);
      return;
    }
    std::string name = item->DataObjectItem()->Name();
    if (!context.service->FindCategory(context.program, name)) return;
    if (sticky == RgDataObjectItemActionOverwriteAll) {
      item->SetAction(RgDataObjectItemActionOverwriteAll);
      return;
    }
    if (sticky == RgDataObjectItemActionIgnoreAll && !(other && move)) {
      item->SetAction(RgDataObjectItemActionIgnoreAll);
      return;
    }
    const int32_t mode = same ? 0 : (move ? 2 : 1);
    int32_t answer = 0;
    platform::MakeObject<LprsDialogOverwriteCategory>()->ShowDialogCategoryOverwrite(
        parent_->ProjectSnapIn(), context.program, name, mode, answer);
    switch (answer) {
      case 1:
        item->SetAction(RgDataObjectItemActionOverwrite);
        break;
      case 2:
        item->SetAction(RgDataObjectItemActionRename);
        P_ItemData(item)->SetValue("NAME", Variant(name), 1);
        break;
      case 3:
        item->SetAction(RgDataObjectItemActionOverwriteAll);
        break;
      case 4:
        item->SetAction(RgDataObjectItemActionIgnore);
        break;
      case 5:
        item->SetAction(RgDataObjectItemActionIgnoreAll);
        break;
      default:
        item->SetAction(RgDataObjectItemActionCancel);
        break;
    }
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_CheckBlock(const Ref<RgObjectStreamItem>& item, int32_t& sticky,
                                             int32_t action, int32_t source) {
  bool result = false;
  Guard(*this, "P_CheckBlock", [&] {
    const bool same = HasBit(source, RgStreamDataSourceSameApplication);
    const bool other = HasBit(source, RgStreamDataSourceOtherApplication);
    const bool move = action == RgStreamServiceDataActionMove;
    const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
    if (same && move) {
      // The block stays the same object; it only changes place.
      item->SetAction(RgDataObjectItemActionInsert);
      sticky = RgDataObjectItemActionInsert;
      result = true;
      return;
    }
    if (!parent_->CheckBlockFlushed(entry)) {
      item->SetAction(RgDataObjectItemActionCancel);
      item->SetItemError(RgDataObjectItemErrorFlushingBlock);
      sticky = 0;
      result = true;
      return;
    }
    const Ref<IRgBlockInfo> info = P_BlockInfo();
    int32_t type = 0;
    int32_t number = 0;
    const std::string objectId = entry->ObjectID().ToString();
    if (!info->ParseBlockName(objectId, type, number)) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "The transfer entry '" + objectId + "' names no block");
    }
    std::string symbol = entry->Name();
    const bool conflict =
        info->HasBlock(targetProgram_, type, number) || P_BlockAlreadyInserted(type, number);
    if (!conflict) {
      P_StoreBlockData(item, type, number, symbol);
      result = true;
      return;
    }
    if (sticky == RgDataObjectItemActionOverwriteAll) {
      item->SetAction(RgDataObjectItemActionOverwriteAll);
      if (!parent_->CheckBlockOpened(entry, RgProjectLocationOffline)) {
        result = true;
        return;
      }
      if (!(other && move)) {
        item->SetAction(RgDataObjectItemActionCancel);
        item->SetItemError(RgDataObjectItemErrorOpenedBlock);
        result = true;
        return;
      }
    } else if (sticky == RgDataObjectItemActionIgnoreAll && !(other && move)) {
      item->SetAction(RgDataObjectItemActionIgnoreAll);
      result = true;
      return;
    }

    const int32_t mode = same ? 1 : (move ? 2 : 0);
    const int32_t proposed = IsSystemType(type) ? 0 : P_FindNextFreeBlockNumber(type);
    const std::string proposedName = info->BlockTypeName(type) + std::to_string(proposed);
    const std::string proposedSymbol = P_GetNewSymbolicName(proposedName, symbol);
    const int32_t answer =
        platform::MakeObject<LprsDialogOverwriteBlock>()->ShowDialogBlockOverwrite(
            parent_->ProjectSnapIn(), type, number, symbol, proposed, proposedSymbol, mode);
    switch (answer) {
      case 1:
        item->SetAction(RgDataObjectItemActionOverwrite);
        sticky = RgDataObjectItemActionOverwrite;
        P_StoreBlockData(item, type, number, symbol);
        break;
      case 2:
        item->SetAction(RgDataObjectItemActionRename);
        sticky = RgDataObjectItemActionRename;
        P_StoreBlockData(item, type, number, symbol);
        break;
      case 3:
        sticky = RgDataObjectItemActionOverwriteAll;
        if (parent_->CheckBlockOpened(entry, RgProjectLocationOffline)) {
          item->SetAction(RgDataObjectItemActionCancel);
          item->SetItemError(RgDataObjectItemErrorOpenedBlock);
        } else {
          item->SetAction(RgDataObjectItemActionOverwriteAll);
          P_StoreBlockData(item, type, number, symbol);
        }
        break;
      case 4:
        item->SetAction(RgDataObjectItemActionIgnore);
        sticky = RgDataObjectItemActionIgnore;
        break;
      case 5:
        item->SetAction(RgDataObjectItemActionIgnoreAll);
        sticky = RgDataObjectItemActionIgnoreAll;
        break;
      default:
        item->SetAction(RgDataObjectItemActionCancel);
        sticky = 0;
        break;
    }
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_BlockAlreadyInserted(int32_t type, int32_t number) {
  return index_.BlockAlreadyInserted(type, number);
}

int32_t RgPrjStreamHandlerOffline::P_FindNextFreeBlockNumber(int32_t type) {
  int32_t result = 0;
  Guard(*this, "P_FindNextFreeBlockNumber", [&] {
    const Ref<IRgBlockInfo> info = P_BlockInfo();
    const Ref<Object> program = targetProgram_;
    result = index_.NextFreeBlockNumber(
        type, [&](int32_t t, int32_t n) { return info->HasBlock(program, t, n); });
  });
  return result;
}

std::string RgPrjStreamHandlerOffline::P_GetNewSymbolicName(const std::string& blockName,
                                                            const std::string& symbol) {
  std::string result;
  Guard(*this, "P_GetNewSymbolicName", [&] {
    const std::string base = P_RemoveIndexFromName(symbol);
    const Ref<IRgSymbolTable> table = P_SymbolTable();
    if (!table) return;
    // The address may already have a name in the target; the block then takes that one.
    const int32_t own = table->FindEntry(blockName);
    if (own >= 0) {
      result = table->Entry(own)->Symbol();
      return;
    }
    result = index_.FreeSymbolicName(
        base, [&](const std::string& name) { return table->FindSymbol(name) >= 0; });
  });
  return result;
}

std::string RgPrjStreamHandlerOffline::RemoveIndexFromName(const std::string& name) {
  if (name.empty()) return {};
  const size_t open = name.rfind('(');
  const size_t close = name.rfind(')');
  if (open == std::string::npos || close != name.size() - 1 || close < open) return name;
  const std::string_view index(name.data() + open + 1, close - open - 1);
  const std::string_view inner = platform::text::Trim(index);
  if (inner.empty()) return name;
  for (const char c : inner) {
    if (c < '0' || c > '9') return name;
  }
  return std::string(platform::text::Trim(std::string_view(name.data(), open)));
}

std::string RgPrjStreamHandlerOffline::P_RemoveIndexFromName(const std::string& name) {
  return RemoveIndexFromName(name);
}

void RgPrjStreamHandlerOffline::P_RecordChecked(const Ref<RgObjectStreamItem>& item) {
  if (stored_.item == item.Get()) {
    // Just stored by this check: what the data holds is known without reading it back.
    stored_.item = nullptr;
    index_.Record(stored_.type, stored_.number, stored_.symbol);
    return;
  }
  const Ref<RgProjectItemData> data = item->Data();
  if (!data) return;
  const int32_t type = data->Value("BLOCKTYPE", Variant(0)).ToInt32();
  const int32_t number = data->Value("BLOCKNUMBER", Variant(0)).ToInt32();
  index_.Record(type, number, data->Value("SYMBOL", Variant("")).ToString());
}

void RgPrjStreamHandlerOffline::P_StoreBlockData(const Ref<RgObjectStreamItem>& item, int32_t type,
                                                 int32_t number, const std::string& symbol) {
  stored_.item = nullptr;
  const Ref<RgProjectItemData> data = P_ItemData(item);
  data->SetValue("BLOCKTYPE", Variant(type), 1);
  data->SetValue("BLOCKNUMBER", Variant(number), 1);
  data->SetValue("SYMBOL", Variant(symbol), 1);
  stored_ = {item.Get(), type, number, symbol};
}

Ref<RgProjectItemData> RgPrjStreamHandlerOffline::P_ItemData(const Ref<RgObjectStreamItem>& item) {
  if (!item->Data()) {
    item->SetData(platform::CreateObjectAs<RgProjectItemData>(clsid::kProjectItemData));
  }
  return item->Data();
}

// ---- Receiving: inserting ---------------------------------------------------------------------

bool RgPrjStreamHandlerOffline::InsertObjects(Ref<RgObjectStreamItems>& items, int32_t action,
                                              Ref<RgProjectItem>& position, int32_t source) {
  bool result = false;
  Guard(*this, "InsertObjects", [&] {
    bool offline = false;
    bool online = false;
    const Ref<IRgDataObject> dataObject = items->DataObject();
    if (dataObject) parent_->GetObjectLocations(dataObject, offline, online);
    blockInserted_ = false;
    haveSymbolTable_ = false;  // an inserted symbol table may be the first the project has
    blockCategory_.clear();
    categoryTail_.clear();
    if (online) {
      result = UploadObjects(items, position);
      return;
    }
    result = true;
    if (!offline) return;  // everything was cancelled: nothing to do is no failure
    if (items->GetObjectTypeCount(std::string(clsid::kProjectOffline)) > 0) {
      result = InsertProject(items);
      return;
    }
    const auto has = [&](std::string_view classId) {
      return items->GetObjectTypeCount(std::string(classId)) > 0;
    };
    if (result && has(clsid::kHwConfigOffline)) result = InsertHwConfig(items);
    if (result && has(clsid::kSymbolTable)) result = InsertSymbolTable(items);
    if (result && has(clsid::kVarTables)) result = P_InsertVarTableItems(items);
    if (result && has(clsid::kDocumentation)) result = InsertDocumentation(items);
    // Categories first, so that the blocks they list have their place.
    if (result && has(clsid::kCategory)) result = InsertCategories(items, action, position, source);
    if (result && has(clsid::kBlockOffline)) result = InsertBlocks(items, action, position, source);
  });
  blockCategory_.clear();
  categoryTail_.clear();
  return result;
}

bool RgPrjStreamHandlerOffline::UploadObjects(const Ref<RgObjectStreamItems>& items,
                                              const Ref<RgProjectItem>& /*position*/) {
  bool result = false;
  Guard(*this, "UploadObjects", [&] {
    // Loading from the PLC goes through the online side, which is not available yet; the objects
    // are refused rather than inserted as something they are not.
    std::string names;
    for (const Ref<RgObjectStreamItem>& item : items->NewEnum()) {
      if (!names.empty()) names += ", ";
      names += item->DataObjectItem()->ObjectID().ToString();
    }
    throw platform::Error(platform::errc::kNoSuchMember,
                          "Objects of the PLC (" + names +
                              ") cannot be inserted into the offline project: uploading from "
                              "the PLC is not available");
  });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertProject(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertProject", [&] {
    const Ref<Object> container = P_OfflineContainer();
    const auto service =
        parent_->ProjectSnapIn()->Services()->RgProjectService().Cast<IRgProjectService>();
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(clsid::kProjectOffline))->NewEnum()) {
      service->InsertProject(container, item->DataObjectItem());
    }
    // The merged blocks are listed by their categories in the framework; the tree reads them
    // anew from there.
    parent_->ProjectSnapIn()->Projects()->RefreshModel(RgProjectLocationOffline);
    P_AddInserted(P_ItemOf(container));
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_InsertProjectChildren(const Ref<RgObjectStreamItems>& items,
                                                        std::string_view classId) {
  bool result = false;
  Guard(*this, "P_InsertProjectChildren", [&] {
    const Ref<Object> container = P_OfflineContainer();
    const auto service =
        parent_->ProjectSnapIn()->Services()->RgProjectService().Cast<IRgProjectService>();
    const Ref<RgProjectItem> projectItem = P_ItemOf(container);
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(classId))->NewEnum()) {
      const Ref<IRgObject> object = service->InsertObject(container, item->DataObjectItem());
      Ref<RgProjectItem> shown = P_ItemOf(object);
      if (!shown && projectItem) {
        // A child the project did not have yet: shown at its place in the project's order.
        const Ref<IRgObjectList> objects = container.Cast<IRgProjectContainer>()->Objects();
        Ref<RgProjectItem> before;
        bool passed = false;
        for (int32_t i = 1; i <= objects->Count() && !before; ++i) {
          const Ref<IRgObject> child = objects->Item(i);
          if (platform::SameObject(child, object)) {
            passed = true;
          } else if (passed) {
            before = P_ItemOf(child);
          }
        }
        shown = projectItem->Items()->AddNew(object, before, nullptr);
      }
      P_AddInserted(shown);
    }
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertHwConfig(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertHwConfig",
        [&] { result = P_InsertProjectChildren(items, clsid::kHwConfigOffline); });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertSymbolTable(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertSymbolTable",
        [&] { result = P_InsertProjectChildren(items, clsid::kSymbolTable); });
  return result;
}

bool RgPrjStreamHandlerOffline::P_InsertVarTableItems(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertVarTables",
        [&] { result = P_InsertProjectChildren(items, clsid::kVarTables); });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertVarTables(const Ref<IRgDataObject>& dataObject, bool silent) {
  bool result = false;
  const auto body = [&] {
    auto items = platform::MakeObject<RgObjectStreamItems>();
    items->AttachDataObject(dataObject);
    result = P_InsertVarTableItems(items);
  };
  if (!silent) {
    Guard(*this, "InsertVarTables", body);
    return result;
  }
  try {
    body();
  } catch (...) {  // silent: the caller only wants to know whether it worked
    result = false;
  }
  return result;
}

bool RgPrjStreamHandlerOffline::InsertDocumentation(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertDocumentation",
        [&] { result = P_InsertProjectChildren(items, clsid::kDocumentation); });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertCategories(const Ref<RgObjectStreamItems>& items,
                                                 int32_t action, const Ref<RgProjectItem>& position,
                                                 int32_t source) {
  bool result = false;
  Guard(*this, "InsertCategories", [&] {
    // New categories follow each other in the transfer's order, after the position's category.
    Ref<RgProjectItem> place = P_CategoryPosition(position);
    result = true;
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(clsid::kCategory))->NewEnum()) {
      Ref<RgProjectItem> created;
      result = P_InsertCategory(item, source, action, place, created);
      if (!result) return;
      if (!created) continue;
      const int32_t done = item->Action();
      if (done != RgDataObjectItemActionIgnore && done != RgDataObjectItemActionIgnoreAll) {
        P_AddInserted(created);
        place = created;
      }
      // The blocks the category listed in its project go into it here.
      const std::string marker = item->DataObjectItem()->MarkerText();
      std::string_view list = marker;
      while (!list.empty()) {
        const size_t end = list.find(';');
        const std::string_view name = list.substr(0, end);
        if (!name.empty()) blockCategory_[platform::text::FoldCase(name)] = created;
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
      }
    }
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_InsertCategory(const Ref<RgObjectStreamItem>& item,
                                                 int32_t source, int32_t action,
                                                 Ref<RgProjectItem>& position,
                                                 Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_InsertCategory", [&] {
    const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
    const bool same = HasBit(source, RgStreamDataSourceSameApplication);
    if (same && action == RgStreamServiceDataActionMove) {
      // Within this project the category itself changes place.
      const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
      finder->Bind(P_TargetProgram());
      const Ref<IRgObject> category =
          finder->Find(std::string(clsid::kCategory), entry->ObjectID().ToString());
      result = category && P_MoveCategory(category, position, newItem);
      if (result) movedInPlace_.insert(MovedKey(clsid::kCategory, category->ObjectID()));
      return;
    }
    switch (item->Action()) {
      case RgDataObjectItemActionInsert:
        result = P_CreateCategory(entry->Name(), position, newItem);
        break;
      case RgDataObjectItemActionRename:
        result = P_CreateCategory(P_ItemData(item)->Value("NAME").ToString(), position, newItem);
        break;
      case RgDataObjectItemActionOverwrite:
      case RgDataObjectItemActionOverwriteAll: {
        const CategoryContext& context = P_GetCategoryContext();
        if (!same) {
          // The received category takes the place of the one of its name; a new category is
          // already where it belongs.
          result = P_ReplaceCategory(entry->Name(), position, newItem);
          break;
        }
        const Ref<IRgObject> existing =
            context.service->FindCategory(context.program, entry->Name());
        result = existing && P_MoveCategory(existing, position, newItem);
        break;
      }
      case RgDataObjectItemActionIgnore:
      case RgDataObjectItemActionIgnoreAll:
        result = P_FindCategory(entry->Name(), newItem);
        break;
      default:
        result = true;
        break;
    }
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_CreateCategory(const std::string& name,
                                                 Ref<RgProjectItem>& position,
                                                 Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_CreateCategory", [&] {
    const CategoryContext& context = P_GetCategoryContext();
    std::string free = name;
    if (free.empty()) {
      free = context.service->UniqueName(context.program,
                                         parent_->ProjectSnapIn()->GetStaticText(kTextNewCategory));
    } else {
      // Two received categories may share a name; the second gets a free one.
      free = context.service->ProposeCategoryName(context.program, name);
    }
    const Ref<IRgObject> category = context.service->CreateCategory(context.program, free, 0);
    if (!category) return;
    newItem = P_GetProgramHandler()->AddCategory(category, position);
    result = static_cast<bool>(newItem);
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_MoveCategory(const Ref<IRgObject>& category,
                                               Ref<RgProjectItem>& position,
                                               Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_MoveCategory", [&] {
    Ref<RgProjectItem> item = P_ItemOf(category);
    if (!item) return;
    if (!platform::SameObject(item, position)) {
      P_GetProgramHandler()->MoveCategory(item, position);
    }
    newItem = item;
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_ReplaceCategory(const std::string& name,
                                                  Ref<RgProjectItem>& position,
                                                  Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_ReplaceCategory", [&] {
    const CategoryContext& context = P_GetCategoryContext();
    const Ref<IRgObject> existing = context.service->FindCategory(context.program, name);
    if (existing) {
      // A category the position stands on is going away: place the new one where it was.
      const Ref<RgProjectItem> existingItem = P_ItemOf(existing);
      if (existingItem && platform::SameObject(existingItem, position)) {
        position = P_GetProgramHandler()->GetDefaultCategory();
        const Ref<RgProjectItems> siblings = existingItem->Parent()->Items();
        const int32_t at = siblings->IndexOf(existingItem);
        if (at > 1) position = siblings->Item(at - 1);
      }
      if (!P_DeleteCategory(existing)) return;
    }
    result = P_CreateCategory(name, position, newItem);
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_DeleteCategory(const Ref<IRgObject>& category) {
  bool result = false;
  Guard(*this, "P_DeleteCategory", [&] {
    std::vector<std::string> ids{category->ObjectID()};
    result = P_GetProgramHandler()->DeleteCategories(ids);
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_FindCategory(const std::string& name,
                                               Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_FindCategory", [&] {
    const CategoryContext& context = P_GetCategoryContext();
    const Ref<IRgObject> existing = context.service->FindCategory(context.program, name);
    if (existing) newItem = P_ItemOf(existing);
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertBlocks(const Ref<RgObjectStreamItems>& items, int32_t action,
                                             const Ref<RgProjectItem>& position, int32_t source) {
  bool result = false;
  Guard(*this, "InsertBlocks", [&] {
    if (!targetProgram_) targetProgram_ = P_TargetProgram();
    const bool moveInPlace = action == RgStreamServiceDataActionMove &&
                             HasBit(source, RgStreamDataSourceSameApplication);
    // Blocks follow each other in the transfer's order: each goes below the one before it.
    Ref<RgProjectItem> place = position;
    result = true;
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(clsid::kBlockOffline))->NewEnum()) {
      const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
      // A block that a received category lists goes into that category.
      Ref<RgProjectItem>* target = &place;
      const auto listed =
          blockCategory_.find(platform::text::FoldCase(entry->ObjectID().ToString()));
      if (listed != blockCategory_.end()) {
        auto [tail, fresh] =
            categoryTail_.try_emplace(platform::Identity(listed->second), listed->second);
        target = &tail->second;
      }
      Ref<RgProjectItem> created;
      if (moveInPlace) {
        result = P_MoveBlock(entry, *target, created);
        if (result) {
          movedInPlace_.insert(MovedKey(clsid::kBlockOffline, entry->ObjectID().ToString()));
        }
      } else {
        result = P_InsertBlock(item, source, *target, created);
      }
      if (!result) break;
      const int32_t done = item->Action();
      if (created && done != RgDataObjectItemActionIgnore &&
          done != RgDataObjectItemActionIgnoreAll) {
        P_AddInserted(created);
        *target = created;
      }
      blockInserted_ = true;
    }
    P_RefreshCompareStates();
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_InsertBlock(const Ref<RgObjectStreamItem>& item, int32_t source,
                                              Ref<RgProjectItem>& position,
                                              Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_InsertBlock", [&] {
    const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
    const auto stored = [&](const char* key) { return P_ItemData(item)->Value(key); };
    switch (item->Action()) {
      case RgDataObjectItemActionInsert: {
        int32_t type = 0;
        int32_t number = 0;
        P_BlockInfo()->ParseBlockName(entry->ObjectID().ToString(), type, number);
        result = P_CreateBlock(entry, false, type, number, entry->Name(), position, newItem);
        break;
      }
      case RgDataObjectItemActionRename:
        result = P_CreateBlock(entry, false, stored("BLOCKTYPE").ToInt32(),
                               stored("BLOCKNUMBER").ToInt32(), stored("SYMBOL").ToString(),
                               position, newItem);
        break;
      case RgDataObjectItemActionOverwrite:
      case RgDataObjectItemActionOverwriteAll: {
        if (HasBit(source, RgStreamDataSourceSameApplication)) {
          result = P_MoveBlock(entry, position, newItem);
          break;
        }
        int32_t type = 0;
        int32_t number = 0;
        P_BlockInfo()->ParseBlockName(entry->ObjectID().ToString(), type, number);
        result = P_CreateBlock(entry, true, type, number, entry->Name(), position, newItem);
        break;
      }
      case RgDataObjectItemActionIgnore:
      case RgDataObjectItemActionIgnoreAll:
        result = P_FindBlock(entry, newItem);
        break;
      default:
        result = true;
        break;
    }
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_MoveBlock(const Ref<IRgDataObjectItem>& entry,
                                            Ref<RgProjectItem>& position,
                                            Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_MoveBlock", [&] {
    const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
    finder->Bind(P_TargetProgram());
    const Ref<IRgObject> block =
        finder->Find(std::string(clsid::kBlockOffline), entry->ObjectID().ToString());
    if (!block) return;
    Ref<RgProjectItem> item = P_ItemOf(block);
    if (!item) return;
    if (!platform::SameObject(item, position)) P_GetProgramHandler()->MoveBlock(item, position);
    newItem = item;
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_CreateBlock(const Ref<IRgDataObjectItem>& entry, bool replace,
                                              int32_t type, int32_t number,
                                              const std::string& symbol,
                                              Ref<RgProjectItem>& position,
                                              Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_CreateBlock", [&] {
    const auto service = parent_->ProjectSnapIn()
                             ->Services()
                             ->RgBlockService(RgProjectLocationOffline)
                             .As<IRgBlockService>();
    if (!service) return;
    const Ref<RgPrjHandlerProgramOffline> program = P_GetProgramHandler();
    Ref<IRgObject> block;
    {
      // The framework reports the new block to the program handler, which places it here.
      program->SetCreateBlockPosition(position);
      struct ResetPosition {
        const Ref<RgPrjHandlerProgramOffline>& program;
        ~ResetPosition() { program->SetCreateBlockPosition(nullptr); }
      } reset{program};
      try {
        block = service->CreateFromData(entry, replace, type, number);
      } catch (...) {  // a block that cannot be created is this insert's answer, not an error
        block.Reset();
      }
    }
    if (!block) return;
    if (!symbol.empty()) {
      // A name that another address holds in the target stays with that address.
      const Ref<IRgSymbolTable> table = P_SymbolTable();
      const auto named = block.As<IRgBlockSymbol>();
      const int32_t owner = table ? table->FindSymbol(symbol) : -1;
      const bool free = owner < 0 || platform::text::EqualsNoCase(table->Entry(owner)->Address(),
                                                                  block->ObjectID());
      if (named && table && free) named->SetSymbol(symbol);
    }
    Ref<IRgObject> placed = block;
    Ref<RgProjectItem> item = P_ItemOf(block);
    if (replace && item) {
      program->MoveBlock(item, position);
    } else if (!replace) {
      item = program->AddBlock(placed, position, false);
    }
    newItem = item;
    result = static_cast<bool>(item);
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_FindBlock(const Ref<IRgDataObjectItem>& entry,
                                            Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_FindBlock", [&] {
    const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
    finder->Bind(P_TargetProgram());
    const Ref<IRgObject> block =
        finder->Find(std::string(clsid::kBlockOffline), entry->ObjectID().ToString());
    if (block) newItem = P_ItemOf(block);
    result = true;
  });
  return result;
}

void RgPrjStreamHandlerOffline::P_RefreshCompareStates() {
  // The status controller offers no compare operation yet; the compare states of the inserted
  // blocks are to be recomputed here once it does.
}

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
    if (list->Find(2, Variant(std::string(RgPrjHandlerProgramOffline::kTypeName)))) {
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
  return list->Find(4, Variant(object)) ? list->FoundItem() : Ref<RgProjectItem>();
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
