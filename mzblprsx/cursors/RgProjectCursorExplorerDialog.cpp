#include "mzblprsx/cursors/RgProjectCursorExplorerDialog.h"

#include <cstdint>
#include <string>
#include <utility>

#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/cursors/ItemTreeWalk.h"
#include "mzblprsx/cursors/SystemBlocksOption.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

// Built once: the filter reads them for every item of the tree.
const std::string kTypeKey(item_kind::kTypeKey);
const std::string kSystemKey = "SYSTEM";
const std::string kBlockTypeKey = "BLOCKTYPE";
// Variable tables are blocks of the project too, but no dialog offers them.
constexpr double kBlockTypeVarTable = 1.0;

using Collection = platform::KeyedCollection<Ref<RgProjectItem>>;

/// The collection, or error 91 while the cursor holds none (after Detach).
Collection& Held(const std::unique_ptr<Collection>& items) {
  if (!items) throw platform::Error(platform::errc::kObjectNotSet);
  return *items;
}

/// "BLOCKTYPE equals 1"; no value never equals.
bool IsVarTable(const Variant& value) {
  switch (value.Type()) {
    case platform::VarType::Empty:
    case platform::VarType::Null:
      return false;
    default:
      return value.ToDouble() == kBlockTypeVarTable;
  }
}

}  // namespace

RgProjectCursorExplorerDialog::RgProjectCursorExplorerDialog() {
  Guard(*this, "Class_Initialize", [&] { items_ = std::make_unique<Collection>(); });
}

RgProjectCursorExplorerDialog::~RgProjectCursorExplorerDialog() = default;

std::string RgProjectCursorExplorerDialog::ItemKey(const Ref<RgProjectItem>& item) {
  const auto identity = reinterpret_cast<intptr_t>(platform::Identity(item));
  return "OBJ " + std::to_string(identity);
}

Variant RgProjectCursorExplorerDialog::Count() {
  Variant result;
  Guard(*this, "Property Get Count", [&] { result = Variant(Held(items_).Count()); });
  return result;
}

Ref<RgProjectItem> RgProjectCursorExplorerDialog::Item(const Variant& index) {
  Ref<RgProjectItem> result;
  Guard(*this, "Property Get Item", [&] {
    Collection& items = Held(items_);
    switch (index.Type()) {
      case platform::VarType::String:
        result = items.Item(index.ToString());
        break;
      case platform::VarType::Null:
      case platform::VarType::Object:
      case platform::VarType::Array:
        throw platform::Error(
            platform::errc::kTypeMismatch,
            "An item is chosen by a position or a key, not by " + index.TypeName());
      default:
        result = items.Item(index.ToInt32());
        break;
    }
  });
  return result;
}

int32_t RgProjectCursorExplorerDialog::Index(const Ref<RgProjectItem>& item) {
  int32_t result = 0;
  Guard(*this, "Property Get Index", [&] { result = Held(items_).IndexOf(ItemKey(item)); });
  return result;
}

void RgProjectCursorExplorerDialog::Attach(const Ref<RgProjectModel>& model) {
  Guard(*this, "Attach", [&] {
    if (!model) {
      Detach();
      return;
    }
    model_ = model;
    snapIn_ = model_->Owner().Cast<RgProjectSnapin>();
    P_SetCursorOptions();
    // Always an empty collection: a second Attach must not mix its items into the first
    // model's (nor fail on the keys of items listed already).
    items_ = std::make_unique<Collection>();
    P_InitData();
  });
}

void RgProjectCursorExplorerDialog::Detach() {
  Guard(*this, "Detach", [&] {
    items_.reset();
    model_.Reset();
    snapIn_.Reset();
  });
}

bool RgProjectCursorExplorerDialog::Find(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "Find", [&] { result = Held(items_).Exists(ItemKey(item)); });
  return result;
}

std::vector<Ref<RgProjectItem>> RgProjectCursorExplorerDialog::NewEnum() {
  std::vector<Ref<RgProjectItem>> result;
  Guard(*this, "NewEnum", [&] {
    const Collection& items = Held(items_);
    result.reserve(static_cast<size_t>(items.Count()));
    for (const Ref<RgProjectItem>& item : items) result.push_back(item);
  });
  return result;
}

void RgProjectCursorExplorerDialog::Refresh() {
  Guard(*this, "Refresh", [&] {
    items_ = std::make_unique<Collection>();
    P_InitData();
  });
}

void RgProjectCursorExplorerDialog::P_InitData() {
  Guard(*this, "P_InitData", [&] { P_SearchItems(model_->Items()); });
}

void RgProjectCursorExplorerDialog::P_SearchItems(const Ref<RgProjectItems>& items) {
  // Children are searched whether the item passed or not.
  ItemTreeWalk::Run(*this, "P_SearchItems", items, [&](const Ref<RgProjectItem>& item) {
    if (P_ValidateItem(item)) Held(items_).Add(item, ItemKey(item));
  });
}

bool RgProjectCursorExplorerDialog::P_ValidateItem(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItem", [&] {
    if (!item) return;
    const std::string type = item->DataValue(kTypeKey).ToString();
    if (type == "RgHwConfigOffline" || type == "RgHwConfigOnline") {
      result = mode_ == RgProjectExplorerDialogCursorModeDownload ||
               mode_ == RgProjectExplorerDialogCursorModeUpload;
    } else if (type == item_kind::kCategory) {
      result = true;
    } else if (item_kind::IsBlockType(type)) {
      if (item_kind::IsSystemValue(item->DataValue(kSystemKey))) {
        // System blocks belong to the PLC's operating system: never loaded into it.
        result = mode_ != RgProjectExplorerDialogCursorModeDownload && systemBlocks_.Show();
      } else {
        result = !IsVarTable(item->DataValue(kBlockTypeKey));
      }
    }
  });
  return result;
}

bool RgProjectCursorExplorerDialog::P_SetCursorOptions() {
  bool result = false;
  Guard(*this, "P_SetCursorOptions", [&] { result = systemBlocks_.Read(snapIn_); });
  return result;
}

}  // namespace mzblprsx
