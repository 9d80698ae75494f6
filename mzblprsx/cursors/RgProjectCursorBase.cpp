#include "mzblprsx/cursors/RgProjectCursorBase.h"

#include <algorithm>

#include "mzblprsx/cursors/RgCursorItemList.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

constexpr const char* kOptionShowSystemBlocks = "General/Display/ShowSystemBlocks";

/// The option as a switch. It is a Boolean; a number (or number text) switches it on only when
/// it is greater than 0.
bool OptionIsOn(const Variant& value) {
  switch (value.Type()) {
    case platform::VarType::Bool:
      return value.ToBool();
    case platform::VarType::String: {
      const std::string text = value.ToString();
      if (platform::text::EqualsNoCase(platform::text::Trim(text), "True")) return true;
      return platform::text::Val(text) > 0;
    }
    case platform::VarType::Empty:
    case platform::VarType::Null:
    case platform::VarType::Object:
    case platform::VarType::Array:
      return false;
    default:
      return value.ToDouble() > 0;
  }
}

}  // namespace

RgProjectCursorBase::~RgProjectCursorBase() = default;

Ref<IRgOptionService> RgProjectCursorBase::OptionService() {
  Ref<IRgOptionService> result;
  Guard(*this, "Property Get OptionService", [&] { result = optionService_; });
  return result;
}

void RgProjectCursorBase::SetOptionService(Ref<IRgOptionService> service) {
  Guard(*this, "Property Set OptionService", [&] {
    moOptionService_.Disconnect();
    optionService_ = std::move(service);
    if (!optionService_) return;
    moOptionService_ =
        optionService_->OptionsChanged().Connect([this] { moOptionService_OptionsChanged(); });
  });
}

int32_t RgProjectCursorBase::ItemCount() {
  int32_t result = 0;
  Guard(*this, "ItemCount", [&] { result = list_->Count(); });
  return result;
}

Ref<RgProjectItem> RgProjectCursorBase::ItemAt(int32_t index) {
  Ref<RgProjectItem> result;
  Guard(*this, "ItemAt", [&] { result = list_->Item(Variant(index)); });
  return result;
}

Ref<RgProjectItem> RgProjectCursorBase::Item(const Variant& index) {
  Ref<RgProjectItem> result;
  Guard(*this, "Property Get Item", [&] { result = list_->Item(index); });
  return result;
}

int32_t RgProjectCursorBase::Index(const Ref<RgProjectItem>& item) {
  int32_t result = 0;
  Guard(*this, "Property Get Index", [&] { result = list_->IndexOf(item); });
  return result;
}

void RgProjectCursorBase::Detach() {
  Guard(*this, "Detach", [&] {
    P_SetModel(nullptr);
    list_.Reset();
  });
}

bool RgProjectCursorBase::Find(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "Find", [&] { result = list_->Contains(item); });
  return result;
}

std::vector<Ref<RgProjectItem>> RgProjectCursorBase::NewEnum() {
  std::vector<Ref<RgProjectItem>> result;
  Guard(*this, "NewEnum", [&] { result = list_->Items(); });
  return result;
}

void RgProjectCursorBase::P_SetModel(Ref<RgProjectModel> model) {
  // Part of Attach and Detach ("store the model"): their error paths report its failures.
  moModel_.clear();
  retired_.clear();  // left over only when a rebuild failed before its walk
  retiredNext_ = 0;
  model_ = std::move(model);
  if (!model_) return;
  moModel_.emplace_back(
      model_->ItemAdd().Connect([this](const Ref<RgProjectItem>& item, int32_t position) {
        moModel_ItemAdd(item, position);
      }));
  moModel_.emplace_back(
      model_->ItemChange().Connect([this](const Ref<RgProjectItem>& item, int32_t position) {
        moModel_ItemChange(item, position);
      }));
  moModel_.emplace_back(
      model_->ItemRemove().Connect([this](const Ref<RgProjectItem>& item, int32_t position) {
        moModel_ItemRemove(item, position);
      }));
  moModel_.emplace_back(
      model_->AutoRefreshEvent().Connect([this](bool on) { moModel_AutoRefresh(on); }));
  moModel_.emplace_back(model_->ProjectAdd().Connect(
      [this](const Ref<RgProjectItem>& item) { moModel_ProjectAdd(item); }));
  moModel_.emplace_back(model_->ProjectRemove().Connect(
      [this](const Ref<RgProjectItem>& item) { moModel_ProjectRemove(item); }));
}

bool RgProjectCursorBase::P_SetCursorOptions() {
  bool result = false;
  Guard(*this, "P_SetCursorOptions", [&] {
    if (!optionService_) return;
    const bool show = OptionIsOn(optionService_->Value(kOptionShowSystemBlocks));
    if (show == showSystemBlocks_) return;
    showSystemBlocks_ = show;
    result = !show;
  });
  return result;
}

void RgProjectCursorBase::P_NewList() {
  // The list object and its memory serve again, emptied: a new empty list is all the rebuild
  // needs, and the room of the last one saves fresh pages for every item on a large project.
  const auto count = static_cast<size_t>(std::max(0, model_->ItemList()->Count()));
  if (list_) {
    list_->TakeItems(retired_);
    retiredNext_ = 0;
  } else {
    list_ = platform::MakeObject<RgCursorItemList>();
  }
  // Room for every item of the model: the list never holds more.
  list_->Reserve(count);
}

void RgProjectCursorBase::P_SearchItems(const Ref<RgProjectItems>& items) {
  // Whatever the walk does not meet (items removed since) goes at the end, also on failure.
  struct ReleaseRest {
    RgProjectCursorBase& cursor;
    ~ReleaseRest() {
      cursor.retired_.clear();
      cursor.retiredNext_ = 0;
    }
  } releaseRest{*this};
  P_SearchTree(items);
}

void RgProjectCursorBase::P_SearchTree(const Ref<RgProjectItems>& items) {
  Guard(*this, "P_SearchItems", [&] {
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> item = items->Item(i);
      list_->Prefetch(item);  // arrives while the filter reads the item's data
      if (P_ValidateItem(item)) list_->Append(item);
      // The previous list met its items in this same order, unless the tree changed since.
      if (retiredNext_ < retired_.size() && retired_[retiredNext_].Get() == item.Get()) {
        retired_[retiredNext_++].Reset();
      }
      P_SearchTree(item->Items());
    }
  });
}

bool RgProjectCursorBase::P_ValidateBlock(const Ref<RgProjectItem>& item) {
  // Part of each cursor's filter, whose error path reports its failures.
  return !item_kind::IsSystemValue(item->DataValue("SYSTEM")) || showSystemBlocks_;
}

// --- Model and option events ---------------------------------------------------------------
// A view may release the cursor from inside one of its events; each handler keeps the cursor
// alive until it has finished.

void RgProjectCursorBase::moModel_ItemAdd(const Ref<RgProjectItem>& item, int32_t /*position*/) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "moModel_ItemAdd", [&] {
    if (!list_ || model_->AutoRefresh()) return;
    P_ItemAdded(item);
  });
}

void RgProjectCursorBase::moModel_ItemChange(const Ref<RgProjectItem>& item, int32_t /*position*/) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "moModel_ItemChange", [&] {
    if (!list_ || model_->AutoRefresh()) return;
    // The filter is not run again: an item stays listed until the next Refresh.
    const int32_t position = list_->IndexOf(item);
    if (position == 0) return;
    itemChange_.Emit(item, position);
  });
}

void RgProjectCursorBase::moModel_ItemRemove(const Ref<RgProjectItem>& item, int32_t /*position*/) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "moModel_ItemRemove", [&] {
    if (!list_ || model_->AutoRefresh()) return;
    const int32_t position = list_->IndexOf(item);
    if (position == 0) return;
    itemRemove_.Emit(item, position);
    // The view may have detached or refreshed the cursor meanwhile.
    if (list_ && list_->Contains(item)) list_->Remove(item);
  });
}

void RgProjectCursorBase::moModel_AutoRefresh(bool on) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "moModel_AutoRefresh", [&] {
    if (on) Refresh();
    autoRefresh_.Emit(on);
  });
}

void RgProjectCursorBase::moModel_ProjectAdd(const Ref<RgProjectItem>& item) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "moModel_ProjectAdd", [&] { projectAdd_.Emit(item); });
}

void RgProjectCursorBase::moModel_ProjectRemove(const Ref<RgProjectItem>& item) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "moModel_ProjectRemove", [&] { projectRemove_.Emit(item); });
}

void RgProjectCursorBase::moOptionService_OptionsChanged() {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "moOptionService_OptionsChanged", [&] {
    // Hidden system blocks must go at once; newly shown ones wait for the next Refresh. A
    // detached cursor has nothing to rebuild: its next Attach reads the option anyway.
    if (P_SetCursorOptions() && model_) Refresh();
  });
}

}  // namespace mzblprsx
