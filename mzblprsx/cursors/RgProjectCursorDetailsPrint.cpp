#include "mzblprsx/cursors/RgProjectCursorDetailsPrint.h"

#include <cstdint>
#include <string>
#include <utility>

#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/cursors/ItemTreeWalk.h"
#include "mzblprsx/cursors/SystemBlocksOption.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

// Built once: the filter reads it for every item of the tree.
const std::string kTypeKey(item_kind::kTypeKey);
// The block types that count as system blocks on a printout: SFB, SDB, SFC.
constexpr int32_t kSystemBlockTypes[] = {11, 15, 13};

}  // namespace

RgProjectCursorDetailsPrint::RgProjectCursorDetailsPrint() = default;

RgProjectCursorDetailsPrint::~RgProjectCursorDetailsPrint() = default;

Variant RgProjectCursorDetailsPrint::Count() {
  Variant result;
  Guard(*this, "Property Get Count", [&] {
    result = items_.empty() ? Variant(int16_t{0}) : Variant(static_cast<int32_t>(items_.size()));
  });
  return result;
}

void RgProjectCursorDetailsPrint::SetCursorMode(int32_t mode) {
  Guard(*this, "Property Let CursorMode", [&] {
    if (mode == mode_) return;
    mode_ = mode;
    P_InitData();
  });
}

Ref<RgProjectItem> RgProjectCursorDetailsPrint::Item(const Variant& index) {
  Ref<RgProjectItem> result;
  Guard(*this, "Property Get Item", [&] {
    int32_t position = -1;
    if (index.IsObject()) {
      position = P_IndexOfObject(index.ToObject());
    } else if (index.IsNumeric()) {
      position = index.ToInt32();
    }
    // An empty cursor holds only the position -1, which holds nothing.
    if (position >= 1 && position <= static_cast<int32_t>(items_.size())) {
      result = items_[static_cast<size_t>(position) - 1];
    }
  });
  return result;
}

void RgProjectCursorDetailsPrint::Attach(const Ref<RgProjectModel>& model) {
  Guard(*this, "Attach", [&] {
    if (!model) {
      Detach();
      return;
    }
    model_ = model;
    snapIn_ = model_->Owner().Cast<RgProjectSnapin>();
    P_SetCursorOptions();
    P_InitData();
  });
}

void RgProjectCursorDetailsPrint::Detach() {
  Guard(*this, "Detach", [&] {
    items_.clear();
    model_.Reset();
    snapIn_.Reset();
  });
}

void RgProjectCursorDetailsPrint::P_InitData() {
  Guard(*this, "P_InitData", [&] {
    items_.clear();
    if (!model_) return;
    P_ReadSystemBlockTypes();
    P_SearchItems(model_->Items());
  });
}

void RgProjectCursorDetailsPrint::P_SearchItems(const Ref<RgProjectItems>& items) {
  // Children are searched whether the item passed or not.
  ItemTreeWalk::Run(*this, "P_SearchItems", items, [&](const Ref<RgProjectItem>& item) {
    if (P_ValidateItem(item)) items_.push_back(item);
  });
}

bool RgProjectCursorDetailsPrint::P_ValidateItem(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItem", [&] {
    if (!item) return;
    const std::string type = item->DataValue(kTypeKey).ToString();
    if (mode_ == RgPrjCursorPrintDetailsModeMMC) {
      result = platform::text::ContainsNoCase(type, "RgMMCFile");
      return;
    }
    if (mode_ != RgPrjCursorPrintDetailsModeProject &&
        mode_ != RgPrjCursorPrintDetailsModeProgram) {
      return;
    }
    const bool projectPart = mode_ == RgPrjCursorPrintDetailsModeProject &&
                             (platform::text::ContainsNoCase(type, "RgHwConfig") ||
                              platform::text::ContainsNoCase(type, "RgFilesOnMMC"));
    if (projectPart || type == item_kind::kCategory) {
      result = true;
    } else if (item_kind::IsBlockType(type)) {
      result = systemBlocks_.Show() || !P_IsSystemBlockType(type);
    }
  });
  return result;
}

bool RgProjectCursorDetailsPrint::P_IsSystemBlockType(const std::string& type) const {
  for (const std::string& system : systemBlockTypes_) {
    if (type == system) return true;
  }
  return false;
}

void RgProjectCursorDetailsPrint::P_ReadSystemBlockTypes() {
  Guard(*this, "P_ReadSystemBlockTypes", [&] {
    systemBlockTypes_.clear();
    const Ref<IRgBlockInfo> info =
        snapIn_ ? snapIn_->BlockInfo() : platform::CreateObjectAs<IRgBlockInfo>(clsid::kBlockInfo);
    std::vector<std::string> names;
    for (const int32_t code : kSystemBlockTypes) names.push_back(info->BlockTypeName(code));
    for (const char* side : {"RgBlockOffline.", "RgBlockOnline."}) {
      for (const std::string& name : names) systemBlockTypes_.push_back(side + name);
    }
  });
}

bool RgProjectCursorDetailsPrint::P_SetCursorOptions() {
  bool result = false;
  Guard(*this, "P_SetCursorOptions", [&] { result = systemBlocks_.Read(snapIn_); });
  return result;
}

int32_t RgProjectCursorDetailsPrint::P_IndexOfObject(const Ref<Object>& object) {
  int32_t result = -1;
  Guard(*this, "P_IndexOfObject", [&] {
    if (!object) return;
    for (size_t i = 0; i < items_.size(); ++i) {
      const auto handler = items_[i]->Handler();
      if (handler && platform::SameObject(handler->Object(), object)) {
        result = static_cast<int32_t>(i) + 1;
        return;
      }
    }
  });
  return result;
}

}  // namespace mzblprsx
