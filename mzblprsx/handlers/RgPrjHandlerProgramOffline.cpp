#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"

#include <climits>
#include <cstdint>
#include <string_view>
#include <utility>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/AutoRefreshPause.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/handlers/RgObjectGhostBlock.h"
#include "mzblprsx/handlers/RgPrjHandlerBlockOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerCategory.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgAttributeStorage.h"
#include "mzblprsx/interfaces/IRgBlock.h"
#include "mzblprsx/interfaces/IRgBlockContainer.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"
#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgItemMover.h"
#include "mzblprsx/interfaces/IRgNewBlockDialog.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/IRgObjectFinder.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItemProperty.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "platform/ClassRegistry.h"
#include "platform/DateTime.h"
#include "platform/OneOf.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

/// Static text that new categories are named after.
constexpr int32_t kTextNewCategory = 202;

using item_kind::IsCategoryType;
using item_kind::TypeOf;
using platform::OneOf;

// Placing blocks and categories asks for the offline program's own handlers (see ItemKind.h).
bool IsBlockItem(const Ref<RgProjectItem>& item) {
  return item_kind::HasBlockHandler(item);
}

bool IsCategoryItem(const Ref<RgProjectItem>& item) {
  return item_kind::HasCategoryHandler(item);
}

Ref<IRgItemMover> NewItemMover() {
  return platform::CreateObjectAs<IRgItemMover>(clsid::kItemMover);
}

void SaveHandlerOf(const Ref<RgProjectItem>& item) {
  if (!item) return;
  if (const auto handler = item->Handler()) handler->Save();
}

void RefreshHandlerOf(const Ref<RgProjectItem>& item) {
  if (const auto handler = item->Handler()) handler->Refresh();
}

}  // namespace

// --- Fill and contract

void RgPrjHandlerProgramOffline::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgProgramOffline", 1, 3);
  data.SetValue("LASTMODIFIED", Variant(platform::DateTime()), 1);
  data.SetValue("SIZE", Variant(int32_t{0}), 1);
}

void RgPrjHandlerProgramOffline::OnInitialize() {
  StartNotifications();
  GetData();
  // Totals that a notification left for later are written once the model's batch ends.
  moModel_ =
      item_->Model()->AutoRefreshEvent().Connect([this](bool on) { moModel_AutoRefresh(on); });
}

void RgPrjHandlerProgramOffline::OnTerminate() {
  moModel_ = platform::ScopedConnection();
  createBlockPosition_.Reset();
  pending_ = Pending{};
}

void RgPrjHandlerProgramOffline::moModel_AutoRefresh(bool on) {
  Guard(*this, "moModel_AutoRefresh", [&] {
    if (!on || !item_) return;
    const Pending pending = pending_;
    pending_ = Pending{};
    if (pending.categories) RefreshCategories();
    if (pending.symbols) RefreshBlockSymbols();
    if (pending.totals && P_SetProgramTotals()) item_->Update();
  });
}

void RgPrjHandlerProgramOffline::OnRefresh() {
  GetData();
  P_SetProgramTotals();
  item_->Update();
}

void RgPrjHandlerProgramOffline::OnDelete() {
  std::vector<std::string> categories;
  std::vector<std::string> blocks;
  P_GetContents(categories, blocks);
  if (!blocks.empty()) DeleteBlocks(blocks);
  if (!categories.empty()) DeleteCategories(categories);
}

void RgPrjHandlerProgramOffline::OnSave() {
  std::string order;
  const Ref<RgProjectItems> children = item_->Items();
  const int32_t count = children->Count();
  for (int32_t i = 1; i <= count; ++i) {
    const Ref<RgProjectItem> child = children->Item(i);
    if (!IsCategoryType(TypeOf(child))) continue;
    order += "C\t";
    order += child->Data()->Value("RgObjectID").ToString();
    order.push_back('\0');
  }
  if (!order.empty()) {
    object_.Cast<IRgAttributeStorage>()->SetDataBlock(kCategoryOrderBlock,
                                                      platform::text::ToUtf16LE(order));
  }
  object_.Cast<IRgDocument>()->Commit();
}

std::vector<std::string> RgPrjHandlerProgramOffline::GetCategoryOrder() {
  std::vector<std::string> result;
  Guard(*this, "GetCategoryOrder", [&] {
    const std::vector<uint8_t> bytes =
        object_.Cast<IRgAttributeStorage>()->DataBlock(kCategoryOrderBlock);
    const std::string text = platform::text::FromUtf16LE(bytes);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\0', start);
      if (end == std::string::npos) end = text.size();
      const std::string_view record(text.data() + start, end - start);
      start = end + 1;
      const size_t tab = record.find('\t');
      if (tab == std::string_view::npos) continue;  // no second field: names no category
      if (!platform::text::EqualsNoCase(record.substr(0, tab), "C")) continue;
      const std::string_view rest = record.substr(tab + 1);
      result.emplace_back(rest.substr(0, rest.find('\t')));
    }
  });
  return result;
}

// --- Positions

void RgPrjHandlerProgramOffline::SetCreateBlockPosition(Ref<RgProjectItem> position) {
  createBlockPosition_ = std::move(position);
}

Ref<RgProjectItem> RgPrjHandlerProgramOffline::GetDefaultCategory() {
  Ref<RgProjectItem> result;
  Guard(*this, "GetDefaultCategory", [&] {
    const Ref<RgProjectItems> children = item_->Items();
    const int32_t count = children->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> child = children->Item(i);
      if (item_kind::IsDefaultCategoryType(TypeOf(child))) result = child;  // the last one wins
    }
  });
  return result;
}

Ref<RgObjectGhostBlock> RgPrjHandlerProgramOffline::CreateRgObjectGhostBlock() {
  Ref<RgObjectGhostBlock> result;
  Guard(*this, "CreateRgObjectGhostBlock", [&] {
    const auto ghost = platform::MakeObject<RgObjectGhostBlock>();
    ghost->SetClassID(std::string(clsid::kGhostOffline));
    ghost->SetDisplayName(SnapIn()->GetStaticText(RgPrjStatusController::kTextOfflineGhost));
    result = ghost;
  });
  return result;
}

Ref<RgProjectItem> RgPrjHandlerProgramOffline::GetGhostBlock() {
  Ref<RgProjectItem> result;
  Guard(*this, "GetGhostBlock", [&] {
    const Ref<RgProjectItemList> list = item_->ChildList();
    if (list->Find(find_by::kHandlerClass, Variant(item_kind::kGhostHandler)))
      result = list->FoundItem();
  });
  return result;
}

RgPrjHandlerProgramOffline::Placement RgPrjHandlerProgramOffline::P_GetNewBlockPosition(
    const Ref<RgProjectItem>& position) {
  Placement result;
  Guard(*this, "P_GetNewBlockPosition", [&] {
    if (!position) {  // bottom of the default category
      result.parent = GetDefaultCategory();
      result.after = result.parent->Items()->Last();
      return;
    }
    if (IsBlockItem(position)) {  // directly below the block
      result.parent = position->Parent();
      result.after = position;
      return;
    }
    // Top of the category, or of the default category for any other position.
    result.parent = IsCategoryItem(position) ? position : GetDefaultCategory();
    result.before = result.parent->Items()->First();
  });
  return result;
}

Ref<RgProjectItem> RgPrjHandlerProgramOffline::P_GetNewCategoryPosition(
    const Ref<RgProjectItem>& position) {
  Ref<RgProjectItem> result;
  Guard(*this, "P_GetNewCategoryPosition", [&] {
    if (position && IsBlockItem(position)) {
      result = position->Parent();
    } else if (position && IsCategoryItem(position)) {
      result = position;
    } else {
      result = GetDefaultCategory();
    }
  });
  return result;
}

std::vector<Ref<RgProjectItem>> RgPrjHandlerProgramOffline::P_GetBlocksToMove(
    const Ref<RgProjectItem>& position) {
  std::vector<Ref<RgProjectItem>> result;
  Guard(*this, "P_GetBlocksToMove", [&] {
    if (!position || !IsBlockItem(position)) return;  // only a block splits its category
    const Ref<RgProjectItems> siblings = position->Parent()->Items();
    const int32_t count = siblings->Count();
    for (int32_t i = siblings->IndexOf(position) + 1; i <= count; ++i) {
      const Ref<RgProjectItem> sibling = siblings->Item(i);
      if (IsCategoryType(TypeOf(sibling))) break;
      if (item_kind::HasGhostHandler(sibling)) continue;
      result.push_back(sibling);
    }
  });
  return result;
}

void RgPrjHandlerProgramOffline::P_MoveItems(const Ref<RgProjectItem>& oldParent,
                                             const Ref<RgProjectItem>& newParent,
                                             const std::vector<Ref<RgProjectItem>>& items,
                                             const Ref<RgProjectItem>& before) {
  Guard(*this, "P_MoveItems", [&] {
    if (items.empty()) return;
    const Ref<IRgItemMover> mover = NewItemMover();
    mover->SetParents(oldParent, newParent);
    Ref<RgProjectItem> previous;
    for (const Ref<RgProjectItem>& item : items) {
      if (previous) {
        mover->AddItem(item, nullptr, previous);
      } else {
        mover->AddItem(item, before, nullptr);
      }
      if (before) previous = item;  // keep the order in front of `before`
    }
    mover->Execute();
  });
}

// --- Blocks

Ref<RgProjectItem> RgPrjHandlerProgramOffline::AddBlock(Ref<IRgObject>& block,
                                                        Ref<RgProjectItem>& position,
                                                        bool bDefaultPositionInstanceblock) {
  Ref<RgProjectItem> result;
  Guard(*this, "AddBlock", [&] {
    Placement place;
    bool placed = false;
    int32_t ownerType = 0;
    int32_t ownerNumber = 0;
    const auto blockData = block.As<IRgBlock>();
    if (bDefaultPositionInstanceblock && blockData &&
        blockData->InstanceOf(ownerType, ownerNumber)) {
      // An instance data block lands right below the block it belongs to.
      const char* ownerTypeName = ownerType == 10   ? "FB"
                                  : ownerType == 11 ? "SFB"
                                  : ownerType == 12 ? "UDT"
                                                    : nullptr;
      if (ownerTypeName != nullptr) {
        const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
        finder->Bind(object_);
        const Ref<IRgObject> owner = finder->Find(std::string(clsid::kBlockOffline),
                                                  ownerTypeName + std::to_string(ownerNumber));
        const Ref<RgProjectItemList> list = item_->ChildList();
        if (owner && list->Find(find_by::kObject, Variant(owner))) {
          place.after = list->FoundItem();
          place.parent = place.after->Parent();
          placed = true;
        }
      }
    }
    if (!placed) place = P_GetNewBlockPosition(position);

    const Ref<RgProjectItemList> list = item_->ChildList();
    if (list->Find(find_by::kObject, Variant(block))) {
      // The block already has an item (the framework reported it while it was being created):
      // move that item rather than showing the block twice.
      Ref<RgProjectItem> existing = list->FoundItem();
      const Ref<RgProjectItem> oldParent = existing->Parent();
      const Ref<IRgItemMover> mover = NewItemMover();
      mover->SetParents(oldParent, place.parent);
      mover->AddItem(existing, place.before, place.after);
      mover->Execute();
      if (!SameObject(oldParent, place.parent)) SaveHandlerOf(oldParent);
      SaveHandlerOf(place.parent);
      result = existing;
      return;
    }
    result = place.parent->Items()->AddNew(block, place.before, place.after);
  });
  return result;
}

bool RgPrjHandlerProgramOffline::MoveBlock(Ref<RgProjectItem>& blockItem,
                                           Ref<RgProjectItem>& position) {
  bool result = false;
  Guard(*this, "MoveBlock", [&] {
    const Ref<RgProjectItem> oldParent = blockItem->Parent();
    const Placement place = P_GetNewBlockPosition(position);
    const Ref<IRgItemMover> mover = NewItemMover();
    mover->SetParents(oldParent, place.parent);
    mover->AddItem(blockItem, place.before, place.after);
    mover->Execute();
    SaveHandlerOf(oldParent);
    SaveHandlerOf(place.parent);
    result = true;
  });
  return result;
}

Ref<IRgObject> RgPrjHandlerProgramOffline::CreateBlock(Ref<RgProjectItem> position) {
  Ref<IRgObject> result;
  Guard(*this, "CreateBlock", [&] {
    // The position holds only while the dialog runs, whatever happens in it.
    struct ResetPosition {
      Ref<RgProjectItem>& slot;
      ~ResetPosition() { slot.Reset(); }
    } reset{createBlockPosition_};
    const auto container = object_.As<IRgBlockContainer>();
    if (!container) return;
    createBlockPosition_ = std::move(position);
    const auto dialog = platform::CreateObjectAs<IRgNewBlockDialog>(clsid::kNewBlockDialog);
    result = dialog->CreateBlockOffline(container);
  });
  return result;
}

bool RgPrjHandlerProgramOffline::DeleteBlocks(std::vector<std::string>& identifiers) {
  // Answers instead of reporting: a failed deletion is the caller's to tell the user about.
  try {
    const auto service =
        SnapIn()->Services()->RgBlockService(RgProjectLocationOffline).As<IRgBlockService>();
    if (!service) return false;
    const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
    finder->Bind(object_);
    const auto blocks = platform::CreateObjectAs<IRgObjectArray>(clsid::kObjectArray);
    const std::string blockClass(clsid::kBlockOffline);
    for (const std::string& id : identifiers) {
      if (const Ref<IRgObject> block = finder->Find(blockClass, id)) blocks->Add(block);
    }
    service->DeleteBlocks(blocks, 0);
    return true;
  } catch (...) {
    return false;
  }
}

void RgPrjHandlerProgramOffline::RefreshBlockSymbols() {
  Guard(*this, "RefreshBlockSymbols", [&] {
    ++wholeProgramPasses_;
    const Ref<RgProjectItems> children = item_->Items();
    const int32_t count = children->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItems> grandchildren = children->Item(i)->Items();
      const int32_t inner = grandchildren->Count();
      for (int32_t j = 1; j <= inner; ++j) RefreshHandlerOf(grandchildren->Item(j));
    }
  });
}

// --- Categories

Ref<RgProjectItem> RgPrjHandlerProgramOffline::AddCategory(Ref<IRgObject> category,
                                                           Ref<RgProjectItem> position) {
  Ref<RgProjectItem> result;
  Guard(*this, "AddCategory", [&] {
    const Ref<RgProjectItem> reference = P_GetNewCategoryPosition(position);
    const std::vector<Ref<RgProjectItem>> blocks = P_GetBlocksToMove(position);
    const Ref<RgProjectItem> added = item_->Items()->AddNew(category, nullptr, reference);
    result = added;
    P_MoveItems(reference, added, blocks, nullptr);
    SaveHandlerOf(reference);
    SaveHandlerOf(added);
    OnSave();
  });
  return result;
}

bool RgPrjHandlerProgramOffline::MoveCategory(Ref<RgProjectItem>& categoryItem,
                                              Ref<RgProjectItem> position) {
  bool result = false;
  Guard(*this, "MoveCategory", [&] {
    if (!categoryItem || SameObject(categoryItem, position)) return;

    // Its blocks stay where they are in the block order: at the end of the category before it,
    // or, for the first category, at the top of the one after it.
    const Ref<RgProjectItemList> siblings = item_->ChildList();
    Ref<RgProjectItem> heir;
    bool heirFollows = false;
    for (Ref<RgProjectItem> p = siblings->Previous(categoryItem); p; p = siblings->Previous(p)) {
      if (IsCategoryType(TypeOf(p))) {
        heir = p;
        break;
      }
    }
    if (!heir) {
      for (Ref<RgProjectItem> n = siblings->Next(categoryItem); n; n = siblings->Next(n)) {
        if (IsCategoryType(TypeOf(n))) {
          heir = n;
          heirFollows = true;
          break;
        }
      }
    }
    if (heir) {
      std::vector<Ref<RgProjectItem>> own;
      const Ref<RgProjectItems> children = categoryItem->Items();
      const int32_t count = children->Count();
      for (int32_t i = 1; i <= count; ++i) own.push_back(children->Item(i));
      P_MoveItems(categoryItem, heir, own,
                  heirFollows ? heir->Items()->First() : Ref<RgProjectItem>());
      SaveHandlerOf(heir);
    }

    // Out of its place and in again directly after the category that holds the position.
    const Ref<RgProjectItem> reference = P_GetNewCategoryPosition(position);
    const std::vector<Ref<RgProjectItem>> blocks = P_GetBlocksToMove(position);
    if (!SameObject(reference, categoryItem)) {  // else it already stands there
      const Ref<IRgItemMover> mover = NewItemMover();
      mover->SetParents(item_, item_);
      mover->AddItem(categoryItem, nullptr, reference);
      mover->Execute();
      P_MoveItems(reference, categoryItem, blocks, nullptr);
      SaveHandlerOf(reference);
    }
    SaveHandlerOf(categoryItem);
    OnSave();
    result = true;
  });
  return result;
}

Ref<IRgObject> RgPrjHandlerProgramOffline::CreateCategory() {
  Ref<IRgObject> result;
  Guard(*this, "CreateCategory", [&] {
    const Ref<RgProjectSnapin> snapIn = SnapIn();
    const auto service =
        snapIn->Services()->RgCategoryService(RgProjectLocationOffline).As<IRgCategoryService>();
    if (!service) return;
    const std::string name = service->UniqueName(object_, snapIn->GetStaticText(kTextNewCategory));
    result = service->CreateCategory(object_, name, 0);
  });
  return result;
}

bool RgPrjHandlerProgramOffline::DeleteCategories(std::vector<std::string>& identifiers) {
  bool result = false;
  Guard(*this, "DeleteCategories", [&] {
    const Ref<RgProjectItem> defaultCategory = GetDefaultCategory();
    const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
    finder->Bind(object_);
    const std::string categoryClass(clsid::kCategory);
    const Ref<RgProjectItemList> list = item_->ChildList();
    for (const std::string& id : identifiers) {
      const Ref<IRgObject> category = finder->Find(categoryClass, id);
      if (!category || !list->Find(find_by::kObject, Variant(category))) continue;
      const Ref<RgProjectItem> categoryItem = list->FoundItem();
      // The default category takes the blocks of the others and of every category deleted
      // later: it is kept, and the call goes on with the other identifiers.
      if (SameObject(categoryItem, defaultCategory)) continue;
      if (!defaultCategory) {
        platform::Raise(platform::errc::kObjectNotSet,
                        "The program has no default category to take the blocks of category '" +
                            category->DisplayName() + "'");
      }

      std::vector<Ref<RgProjectItem>> blocks;
      const Ref<RgProjectItems> children = categoryItem->Items();
      const int32_t count = children->Count();
      for (int32_t i = 1; i <= count; ++i) blocks.push_back(children->Item(i));
      P_MoveItems(categoryItem, defaultCategory, blocks, nullptr);
      SaveHandlerOf(defaultCategory);
      // The handler's Delete deletes the object already; the framework ignores the second
      // delete, which covers an item that has no handler.
      if (const auto handler = categoryItem->Handler()) handler->Delete();
      item_->Items()->Remove(categoryItem);
      category->Delete();
    }
    OnSave();
    result = true;
  });
  return result;
}

void RgPrjHandlerProgramOffline::RefreshCategories() {
  Guard(*this, "RefreshCategories", [&] {
    ++wholeProgramPasses_;
    const Ref<RgProjectItems> children = item_->Items();
    const int32_t count = children->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> child = children->Item(i);
      if (item_kind::IsUserCategoryType(TypeOf(child))) RefreshHandlerOf(child);
    }
  });
}

void RgPrjHandlerProgramOffline::P_GetContents(std::vector<std::string>& categories,
                                               std::vector<std::string>& blocks) {
  Guard(*this, "P_GetContents", [&] {
    const Ref<RgProjectItems> children = item_->Items();
    const int32_t count = children->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> child = children->Item(i);
      const std::string type = TypeOf(child);
      // The blocks of every category go, the default one's too; the default category stays.
      const bool user = item_kind::IsUserCategoryType(type);
      if (!user && !item_kind::IsDefaultCategoryType(type)) continue;
      if (user) categories.push_back(child->Handler()->Object()->ObjectID());
      const Ref<RgProjectItems> members = child->Items();
      const int32_t inner = members->Count();
      for (int32_t j = 1; j <= inner; ++j) {
        const Ref<RgProjectItem> member = members->Item(j);
        if (IsBlockItem(member)) blocks.push_back(member->Handler()->Object()->ObjectID());
      }
    }
  });
}

void RgPrjHandlerProgramOffline::CheckGhostBlocks(Ref<IRgObject> /*block*/,
                                                  Ref<platform::Object> /*snapIn*/) {}

// --- Totals

std::vector<Ref<RgProjectItem>> RgPrjHandlerProgramOffline::P_GetAllBlockItems() {
  std::vector<Ref<RgProjectItem>> result;
  Guard(*this, "P_GetAllBlockItems", [&] { P_AddBlocksOfItem(item_, result); });
  return result;
}

void RgPrjHandlerProgramOffline::P_AddBlocksOfItem(const Ref<RgProjectItem>& item,
                                                   std::vector<Ref<RgProjectItem>>& blocks) {
  Guard(*this, "P_AddBlocksOfItem", [&] {
    const Ref<RgProjectItems> children = item->Items();
    const int32_t count = children->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> child = children->Item(i);
      // The type read in place: a copy of it for every block of a large program would cost
      // two heap blocks each.
      const Variant type = child->DataValue("TYPE");
      const std::string* text = type.Text();
      if (text && item_kind::IsBlockType(*text)) blocks.push_back(child);
      P_AddBlocksOfItem(child, blocks);
    }
  });
}

bool RgPrjHandlerProgramOffline::P_SetProgramTotals() {
  bool changed = false;
  Guard(*this, "P_SetProgramTotals", [&] {
    ++wholeProgramPasses_;
    platform::DateTime latest;
    int64_t size = 0;
    for (const Ref<RgProjectItem>& block : P_GetAllBlockItems()) {
      const Ref<RgProjectItemData> data = block->Data();
      if (data->Value("SYSTEM", Variant(false)).ToBool()) continue;
      const platform::DateTime modified =
          data->Value("LASTMODIFIED", Variant(platform::DateTime())).ToDate();
      if (modified > latest) latest = modified;
      size += data->Value("SIZE", Variant(int32_t{0})).ToInt32();
      if (size > INT32_MAX || size < INT32_MIN) {
        platform::Raise(platform::errc::kOverflow, "The program's total size exceeds 32 bits");
      }
    }
    const Ref<RgProjectItemData> data = item_->Data();
    const Ref<RgProjectItemProperty> lastModified = data->Property("LASTMODIFIED");
    const Ref<RgProjectItemProperty> total = data->Property("SIZE");
    const Variant newDate(latest);
    const Variant newSize(static_cast<int32_t>(size));
    changed = !(lastModified->Value() == newDate) || !(total->Value() == newSize);
    lastModified->SetValue(newDate);
    total->SetValue(newSize);
  });
  return changed;
}

// --- Notifications

void RgPrjHandlerProgramOffline::P_OnProgramNotify(const RgNotification& notification,
                                                   bool inBatch) {
  Guard(*this, "P_OnProgramNotify", [&] {
    // Each whole-program refresh runs at most once per notification, however many entries it
    // has, and inside a batch once at its end; a symbol entry that names blocks refreshes only
    // their items.
    bool categories = false;
    bool allSymbols = false;
    std::vector<Ref<IRgObject>> symbolBlocks;
    for (const RgNotificationEntry& entry : notification.entries) {
      if (entry.code == notify::kCategoriesChanged) categories = true;
      if (entry.code != notify::kSymbolsChanged) continue;
      for (const Ref<IRgObject>& object : entry.objects) {
        if (SameObject(object, object_)) {
          allSymbols = true;
        } else {
          symbolBlocks.push_back(object);
        }
      }
    }
    if (inBatch) {
      pending_.categories = pending_.categories || categories;
      pending_.symbols = pending_.symbols || allSymbols;
    } else {
      if (categories) RefreshCategories();
      if (allSymbols) RefreshBlockSymbols();
    }
    if (allSymbols) return;
    if (symbolBlocks.empty()) return;
    const Ref<RgProjectItemList> list = item_->ChildList();
    for (const Ref<IRgObject>& block : symbolBlocks) {
      if (list->Find(find_by::kObject, Variant(block))) RefreshHandlerOf(list->FoundItem());
    }
  });
}

void RgPrjHandlerProgramOffline::OnNotify(int32_t /*code*/, Ref<platform::Object> /*object*/,
                                          const Variant& /*argument*/) {}

void RgPrjHandlerProgramOffline::OnNotify2(const RgNotification& notification) {
  Guard(*this, "IRgObjectEventSink2_OnNotify", [&] {
    if (!item_) return;
    const Ref<RgProjectModel> model = item_->Model();
    // Only what this handler switched off is switched back on: a notification delivered while
    // the model reads False must leave it so.
    AutoRefreshPause pause(model);
    const bool autoRefresh = pause.WasOn();
    const auto switchOff = [&] { pause.SwitchOff(); };

    if (notification.sourceClass == clsid::kProgramOffline) {
      P_OnProgramNotify(notification, !autoRefresh);
      return;
    }
    if (notification.sourceClass != clsid::kBlockOffline) return;

    const Ref<RgProjectItemList> list = item_->ChildList();
    bool blocksDeleted = false;
    bool blocksChanged = false;
    bool compareAgain = false;  // once for the whole notification, however many entries
    for (const RgNotificationEntry& entry : notification.entries) {
      if (OneOf(entry.code, {notify::kBlockRenumbered, notify::kBlockChanged})) {
        for (const Ref<IRgObject>& object : entry.objects) {
          if (list->Find(find_by::kObject, Variant(object))) RefreshHandlerOf(list->FoundItem());
        }
        blocksChanged = true;
        compareAgain = true;
      } else if (entry.code == notify::kBlockDeleted) {
        switchOff();
        for (const Ref<IRgObject>& object : entry.objects) {
          if (!list->Find(find_by::kObject, Variant(object))) continue;
          const Ref<RgProjectItem> found = list->FoundItem();
          found->Parent()->Items()->Remove(found);
        }
        blocksDeleted = true;
        compareAgain = true;
      } else if (OneOf(entry.code, notify::kBlockPlaced)) {
        switchOff();
        for (Ref<IRgObject> object : entry.objects) {
          Ref<RgProjectItem> position = createBlockPosition_;
          if (list->Find(find_by::kObject, Variant(object))) {
            Ref<RgProjectItem> found = list->FoundItem();
            RefreshHandlerOf(found);
            MoveBlock(found, position);
          } else {
            AddBlock(object, position, false);
          }
        }
        blocksChanged = true;
      }
    }
    if (compareAgain) {
      if (const Ref<RgPrjStatusController> status = SnapIn()->StatusController()) {
        status->RefreshProgramStatus();
      }
    }
    if (!blocksDeleted && !blocksChanged) return;
    // Inside a batch that someone else opened (the model read False on arrival), one
    // operation may bring a notification per block: the totals walk the whole program, so
    // they wait for the batch's end (moModel_AutoRefresh) and run once for all of them.
    if (!autoRefresh) {
      pending_.totals = true;
      if (!blocksDeleted) return;
      GetData();
      item_->Update();
      return;
    }
    if (blocksDeleted) {
      Refresh();
    } else if (P_SetProgramTotals()) {
      item_->Update();
    }
  });
}

}  // namespace mzblprsx
