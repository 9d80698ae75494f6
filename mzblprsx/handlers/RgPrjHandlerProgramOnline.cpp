#include "mzblprsx/handlers/RgPrjHandlerProgramOnline.h"

#include <algorithm>
#include <array>
#include <utility>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/AutoRefreshPause.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/handlers/RgObjectGhostBlock.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlock.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/IRgObjectFinder.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "platform/CachedQuery.h"
#include "platform/ClassRegistry.h"
#include "platform/DateTime.h"
#include "platform/OneOf.h"

namespace mzblprsx {
namespace {

constexpr const char* kOptionShowSystemBlocks = "General/Display/ShowSystemBlocks";
/// The block types whose blocks are the PLC's system blocks.
constexpr int32_t kSystemDataBlockType = 15;
constexpr int32_t kSystemFunctionType = 13;
/// Codes of blocks that are in the PLC (reported anew or for the first time).
constexpr std::array<int32_t, 3> kBlocksPresent = {notify::kBlockCreated, 3, 4};

}  // namespace

// --- Fill and contract

void RgPrjHandlerProgramOnline::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgProgramOnline", 1, 1);
  data.SetValue("LASTMODIFIED", Variant(platform::DateTime()), 1);
  data.SetValue("SIZE", Variant(int32_t{0}), 1);
}

void RgPrjHandlerProgramOnline::OnInitialize() {
  StartNotifications();
  optionService_ = SnapIn()->Services()->RgOptionService().As<IRgOptionService>();
  GetData();
}

void RgPrjHandlerProgramOnline::OnTerminate() {
  optionService_.Reset();
  placed_.clear();
}

void RgPrjHandlerProgramOnline::OnDelete() {
  // System blocks belong to the PLC's operating system: they are never deleted from here.
  std::vector<std::string> identifiers;
  const Ref<RgProjectItems> children = item_->Items();
  const int32_t count = children->Count();
  for (int32_t i = 1; i <= count; ++i) {
    const Ref<RgProjectItem> child = children->Item(i);
    if (!item_kind::IsOnlineBlockType(item_kind::TypeOf(child))) continue;
    if (child->DataValue("SYSTEM", Variant(false)).ToBool()) continue;
    if (const auto handler = child->Handler()) identifiers.push_back(handler->Object()->ObjectID());
  }
  DeleteBlocks(identifiers);
}

void RgPrjHandlerProgramOnline::P_RecomputeStatus() {
  if (const Ref<RgPrjStatusController> status = SnapIn()->StatusController()) {
    status->RefreshProgramStatus();
  }
}

// --- Blocks

bool RgPrjHandlerProgramOnline::P_ShowSystemBlocks() {
  return optionService_ && optionService_->Value(kOptionShowSystemBlocks).ToBool();
}

bool RgPrjHandlerProgramOnline::P_IsShown(const Ref<IRgObject>& block, bool showSystemBlocks) {
  if (showSystemBlocks) return true;
  const Ref<IRgBlockInfo> info = SnapIn()->BlockInfo();
  const std::string name = block->DisplayName();
  const std::string dataBlocks = info->BlockTypeName(kSystemDataBlockType);
  if (!dataBlocks.empty() && name.find(dataBlocks) != std::string::npos) return false;
  const std::string functions = info->BlockTypeName(kSystemFunctionType);
  return functions.empty() || name.find(functions) == std::string::npos;
}

RgPrjHandlerProgramOnline::BlockKey RgPrjHandlerProgramOnline::P_KeyOfBlock(
    const Ref<IRgObject>& block, IRgBlockInfo& info) {
  const auto framework = platform::CachedCast<IRgBlock>(block);
  return BlockKey{info.SortIndex(framework->BlockType()), framework->Number()};
}

bool RgPrjHandlerProgramOnline::P_KeyOfItem(const Ref<RgProjectItem>& item, IRgBlockInfo& info,
                                            BlockKey& key) {
  // Keys made once: a placement reads them for every probe of its search.
  static const std::string kType = "TYPE";
  static const std::string kBlockType = "BLOCKTYPE";
  static const std::string kBlockNumber = "BLOCKNUMBER";
  const Variant type = item->DataValue(kType);
  const std::string* text = type.Text();
  if (!text || !item_kind::IsOnlineBlockType(*text)) return false;
  key.sortIndex = info.SortIndex(item->DataValue(kBlockType).ToInt32());
  key.number = item->DataValue(kBlockNumber).ToInt32();
  return true;
}

void RgPrjHandlerProgramOnline::P_FindPlace(const BlockKey& key, Ref<RgProjectItem>& before,
                                            Ref<RgProjectItem>& same) {
  Guard(*this, "P_FindPlace", [&] {
    // Every child but the ghost is a block, so the index holds all children or all but one.
    const size_t children = static_cast<size_t>(item_->Items()->Count());
    if (children < placed_.size() || children > placed_.size() + 1) P_RebuildIndex();
    if (P_FindPlaceIndexed(key, before, same)) return;
    before.Reset();
    same.Reset();
    P_RebuildIndex();
    if (P_FindPlaceIndexed(key, before, same)) return;
    before.Reset();
    same.Reset();
    P_SearchPlace(key, before, same);
  });
}

bool RgPrjHandlerProgramOnline::P_FindPlaceIndexed(const BlockKey& key, Ref<RgProjectItem>& before,
                                                   Ref<RgProjectItem>& same) {
  const auto current = [&](const std::weak_ptr<RgProjectItem>& weak, Ref<RgProjectItem>& out) {
    out = Ref<RgProjectItem>(weak.lock());
    return out && SameObject(out->Parent(), item_);
  };
  auto at = placed_.lower_bound({key.sortIndex, key.number});
  if (at != placed_.end() && at->first == std::make_pair(key.sortIndex, key.number)) {
    if (!current(at->second, same)) return false;
    ++at;
  }
  return at == placed_.end() || current(at->second, before);
}

void RgPrjHandlerProgramOnline::P_RebuildIndex() {
  placed_.clear();
  const Ref<IRgBlockInfo> info = SnapIn()->BlockInfo();
  const Ref<RgProjectItems> children = item_->Items();
  BlockKey key;
  for (int32_t i = 1; i <= children->Count(); ++i) {
    const Ref<RgProjectItem> child = children->Item(i);
    if (P_KeyOfItem(child, *info, key)) placed_[{key.sortIndex, key.number}] = child.Shared();
  }
}

void RgPrjHandlerProgramOnline::P_SearchPlace(const BlockKey& key, Ref<RgProjectItem>& before,
                                              Ref<RgProjectItem>& same) {
  Guard(*this, "P_SearchPlace", [&] {
    const Ref<IRgBlockInfo> info = SnapIn()->BlockInfo();
    const auto after = [&](const BlockKey& k) {
      return k.sortIndex > key.sortIndex || (k.sortIndex == key.sortIndex && k.number > key.number);
    };
    const Ref<RgProjectItems> children = item_->Items();
    const int32_t count = children->Count();
    // The blocks below the program are in order, other children (the ghost) stand among them:
    // a binary search for the first block that sorts after the key, stepping over those.
    int32_t low = 1;
    int32_t high = count + 1;
    int32_t place = count + 1;
    BlockKey probe;
    while (low < high) {
      const int32_t middle = low + (high - low) / 2;
      int32_t at = middle;
      Ref<RgProjectItem> child;
      for (; at < high; ++at) {
        child = children->Item(at);
        if (P_KeyOfItem(child, *info, probe)) break;
      }
      if (at == high) {
        high = middle;  // no block in the upper half
      } else if (after(probe)) {
        place = at;
        before = child;
        high = at;
      } else {
        low = at + 1;
      }
    }
    for (int32_t at = place - 1; at >= 1; --at) {
      const Ref<RgProjectItem> child = children->Item(at);
      if (!P_KeyOfItem(child, *info, probe)) continue;
      if (probe.sortIndex == key.sortIndex && probe.number == key.number) same = child;
      break;
    }
  });
}

Ref<RgProjectItem> RgPrjHandlerProgramOnline::AddBlock(Ref<IRgObject>& block) {
  Ref<RgProjectItem> result;
  Guard(*this, "AddBlock", [&] {
    const BlockKey key = P_KeyOfBlock(block, *SnapIn()->BlockInfo());
    Ref<RgProjectItem> before;
    Ref<RgProjectItem> same;
    P_FindPlace(key, before, same);
    if (same) {
      if (const auto handler = same->Handler()) {
        handler->SetObject(block);
        handler->Refresh();
      }
      result = same;
      return;
    }
    result = item_->Items()->AddNew(block, before, nullptr);
    placed_[{key.sortIndex, key.number}] = result.Shared();
  });
  return result;
}

void RgPrjHandlerProgramOnline::FillBlocks(const std::vector<Ref<IRgObject>>& blocks) {
  Guard(*this, "FillBlocks", [&] {
    const Ref<IRgBlockInfo> info = SnapIn()->BlockInfo();
    const bool showSystemBlocks = P_ShowSystemBlocks();
    std::vector<std::pair<BlockKey, Ref<IRgObject>>> shown;
    shown.reserve(blocks.size());
    for (const Ref<IRgObject>& block : blocks) {
      if (P_IsShown(block, showSystemBlocks)) shown.emplace_back(P_KeyOfBlock(block, *info), block);
    }
    // In order beforehand, so that every block is appended.
    std::stable_sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
      return a.first.sortIndex != b.first.sortIndex ? a.first.sortIndex < b.first.sortIndex
                                                    : a.first.number < b.first.number;
    });
    for (auto& [key, block] : shown) AddBlock(block);
  });
}

void RgPrjHandlerProgramOnline::CheckGhostBlocks(const Ref<IRgObject>& /*block*/,
                                                 const Ref<platform::Object>& /*snapIn*/) {}

Ref<RgObjectGhostBlock> RgPrjHandlerProgramOnline::CreateRgObjectGhostBlock() {
  Ref<RgObjectGhostBlock> result;
  Guard(*this, "CreateRgObjectGhostBlock", [&] {
    const auto ghost = platform::MakeObject<RgObjectGhostBlock>();
    ghost->SetClassID(std::string(clsid::kGhostOnline));
    ghost->SetDisplayName(SnapIn()->GetStaticText(kTextGhostName));
    result = ghost;
  });
  return result;
}

Ref<RgProjectItem> RgPrjHandlerProgramOnline::GetGhostBlock() {
  Ref<RgProjectItem> result;
  Guard(*this, "GetGhostBlock", [&] {
    const Ref<RgProjectItemList> list = item_->ChildList();
    if (list->Find(find_by::kHandlerClass, Variant(item_kind::kGhostHandler)))
      result = list->FoundItem();
  });
  return result;
}

bool RgPrjHandlerProgramOnline::DeleteBlocks(std::vector<std::string>& identifiers) {
  // Answers instead of reporting: a failed deletion is the caller's to tell the user about.
  try {
    const auto service =
        SnapIn()->Services()->RgBlockService(RgProjectLocationOnline).As<IRgBlockService>();
    if (!service) return false;
    const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
    finder->Bind(object_);
    const auto blocks = platform::CreateObjectAs<IRgObjectArray>(clsid::kObjectArray);
    const std::string blockClass(clsid::kBlockOnline);
    for (const std::string& id : identifiers) {
      if (const Ref<IRgObject> block = finder->Find(blockClass, id)) blocks->Add(block);
    }
    service->DeleteBlocks(blocks, 0);
    return true;
  } catch (...) {
    return false;
  }
}

// --- Notifications

void RgPrjHandlerProgramOnline::OnNotify(int32_t /*code*/, Ref<platform::Object> /*object*/,
                                         const Variant& /*argument*/) {}

void RgPrjHandlerProgramOnline::OnNotify2(const RgNotification& notification) {
  Guard(*this, "IRgObjectEventSink2_OnNotify", [&] {
    if (!item_) return;
    const Ref<RgProjectModel> model = item_->Model();
    // Only what this handler switched off is switched back on: a notification delivered while
    // the model reads False must leave it so.
    AutoRefreshPause pause(model);
    const auto switchOff = [&] { pause.SwitchOff(); };

    if (notification.sourceClass == clsid::kBlockOnline) {
      const Ref<RgProjectItemList> list = item_->ChildList();
      bool compareAgain = false;
      for (const RgNotificationEntry& entry : notification.entries) {
        if (entry.code == notify::kBlockDeleted) {
          switchOff();
          for (const Ref<IRgObject>& object : entry.objects) {
            if (!list->Find(find_by::kObject, Variant(object))) continue;
            const Ref<RgProjectItem> found = list->FoundItem();
            BlockKey key;
            if (P_KeyOfItem(found, *SnapIn()->BlockInfo(), key)) {
              placed_.erase({key.sortIndex, key.number});
            }
            found->Parent()->Items()->Remove(found);
          }
          compareAgain = true;
        } else if (platform::OneOf(entry.code, kBlocksPresent)) {
          switchOff();
          const bool showSystemBlocks = P_ShowSystemBlocks();
          for (Ref<IRgObject> object : entry.objects) {
            if (list->Find(find_by::kObject, Variant(object))) {
              if (const auto handler = list->FoundItem()->Handler()) {
                handler->SetObject(object);
                handler->Refresh();
              }
            } else if (P_IsShown(object, showSystemBlocks)) {
              AddBlock(object);
            }
          }
          compareAgain = true;
        }
      }
      // Once for the whole notification: a load of many blocks compares the programs once.
      if (compareAgain) P_RecomputeStatus();
    }
    Refresh();
  });
}

}  // namespace mzblprsx
