// The offline stream handler's checks of received objects: the allowed actions, the conflict
// questions with their proposals, and the index of what the transfer will insert.
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"

#include <algorithm>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/dialogs/LprsDialogOverwriteBlock.h"
#include "mzblprsx/dialogs/LprsDialogOverwriteCategory.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgBlockSymbol.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgSymbolTable.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/streaming/RgObjectStreamItem.h"
#include "mzblprsx/streaming/RgObjectStreamItems.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOfflineShared.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"

namespace mzblprsx {

using offline_stream::HasBit;
using offline_stream::OneOf;

namespace {

constexpr int32_t kMaxBlockNumber = 65535;
constexpr int32_t kTypeSfc = 13;
constexpr int32_t kTypeSdb = 15;

bool IsSystemType(int32_t type) {
  return type == kTypeSfc || type == kTypeSdb;
}

/// An identifier that begins with a block type's name; a type without a name matches nothing.
bool BeginsWithTypeName(std::string_view id, std::string_view typeName) {
  return !typeName.empty() && platform::text::StartsWithNoCase(id, typeName);
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
      const bool system = BeginsWithTypeName(id, info->BlockTypeName(kTypeSfc)) ||
                          BeginsWithTypeName(id, info->BlockTypeName(kTypeSdb));
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

}  // namespace mzblprsx
