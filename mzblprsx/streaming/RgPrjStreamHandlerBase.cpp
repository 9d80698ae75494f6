// The sending half that both stream handlers share: which items may travel, what a selection
// stands for, and the source identity of a transfer.
#include "mzblprsx/streaming/RgPrjStreamHandlerBase.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"

namespace mzblprsx {

namespace {

bool HasBit(int32_t value, int32_t bit) {
  return (value & bit) != 0;
}

}  // namespace

const RgPrjStreamHandlerBase::SideClasses& RgPrjStreamHandlerBase::ClassesOf(int32_t location) {
  static const SideClasses offline{clsid::kProjectOffline, clsid::kHwConfigOffline,
                                   clsid::kProgramOffline, clsid::kBlockOffline,
                                   "RgProjectOffline",     "RgProgramOffline"};
  static const SideClasses online{clsid::kProjectOnline, clsid::kHwConfigOnline,
                                  clsid::kProgramOnline, clsid::kBlockOnline,
                                  "RgProjectOnline",     "RgProgramOnline"};
  return location == RgProjectLocationOnline ? online : offline;
}

int32_t RgPrjStreamHandlerBase::OtherLocation() const {
  return location_ == RgProjectLocationOnline ? RgProjectLocationOffline : RgProjectLocationOnline;
}

// ---- Sending ----------------------------------------------------------------------------------

bool RgPrjStreamHandlerBase::P_AllowsAction(const Ref<RgProjectItem>& item, int32_t action) {
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

bool RgPrjStreamHandlerBase::CanStreamData(const Ref<RgProjectItems>& items, int32_t action) {
  bool result = false;
  Guard(*this, "CanStreamData", [&] {
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count && !result; ++i) result = P_AllowsAction(items->Item(i), action);
  });
  return result;
}

void RgPrjStreamHandlerBase::P_AddOnce(Ref<RgProjectItems>& list, const Ref<RgProjectItem>& item) {
  if (list->IndexOf(item) == 0) list->Add(item, nullptr, nullptr);
}

void RgPrjStreamHandlerBase::GetStreamItems(const Ref<RgProjectItems>& items, int32_t action,
                                            Ref<RgProjectItems>& streamItems) {
  Guard(*this, "GetStreamItems", [&] {
    const SideClasses& side = ClassesOf(location_);
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> item = items->Item(i);
      if (!P_AllowsAction(item, action)) continue;
      const std::string type = item_kind::TypeOf(item);
      if (type == side.projectType) {
        // A project carries everything it holds: it travels alone.
        streamItems->Clear();
        streamItems->Add(item, nullptr, nullptr);
        return;
      }
      if (type == side.programType) {
        P_AddProgramItems(item, streamItems);
      } else {
        P_AddOnce(streamItems, item);
      }
    }
  });
}

void RgPrjStreamHandlerBase::P_AddProgramItems(const Ref<RgProjectItem>& program,
                                               Ref<RgProjectItems>& streamItems) {
  Guard(*this, "P_AddProgramItems", [&] {
    // The offline program holds categories that hold blocks, the PLC's program blocks directly.
    const auto addBlock = [&](const Ref<RgProjectItem>& block) {
      // System blocks belong to the PLC's firmware.
      if (!block->Data()->Value("SYSTEM", Variant(true)).ToBool()) P_AddOnce(streamItems, block);
    };
    const Ref<RgProjectItems> children = program->Items();
    for (int32_t i = 1; i <= children->Count(); ++i) {
      const Ref<RgProjectItem> child = children->Item(i);
      const std::string type = item_kind::TypeOf(child);
      if (item_kind::IsBlockType(type)) {
        addBlock(child);
        continue;
      }
      if (!item_kind::IsCategoryType(type)) continue;  // the ghost placeholder is no object
      // The default category exists in every program; only its blocks travel.
      if (!item_kind::IsDefaultCategoryType(type)) P_AddOnce(streamItems, child);
      const Ref<RgProjectItems> blocks = child->Items();
      for (int32_t k = 1; k <= blocks->Count(); ++k) {
        const Ref<RgProjectItem> block = blocks->Item(k);
        if (item_kind::IsBlockType(item_kind::TypeOf(block))) addBlock(block);
      }
    }
  });
}

void RgPrjStreamHandlerBase::P_AddObjectOnce(const Ref<IRgDataObject>& dataObject,
                                             const Ref<IRgObject>& object) {
  Guard(*this, "P_AddObjectOnce", [&] {
    if (parent_->GetDataObjectItem(dataObject, object->ClassID(), Variant(object->ObjectID()))) {
      return;
    }
    dataObject->AddObject(object);
  });
}

void RgPrjStreamHandlerBase::P_StreamEachObject(
    const Ref<IRgDataObject>& dataObject, const Ref<RgProjectItems>& items,
    const std::function<void(const Ref<RgProjectItem>&, const Ref<IRgObject>&)>& stream) {
  Guard(*this, "P_StreamEachObject", [&] {
    const int32_t count = items->Count();
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> item = items->Item(i);
      const Ref<IRgProjectItemHandler> handler = item->Handler();
      const Ref<IRgObject> object = handler ? handler->Object() : nullptr;
      if (object) {
        stream(item, object);
      } else {
        parent_->StreamMissingObject(dataObject, item);
      }
    }
  });
}

// ---- Source identity ---------------------------------------------------------------------------

std::string RgPrjStreamHandlerBase::GetSourceID() {
  std::string result;
  Guard(*this, "GetSourceID", [&] {
    const Ref<RgProjectData> data = parent_->ProjectSnapIn()->Projects()->Project(location_);
    if (data) result = data->GUID();
  });
  return result;
}

int32_t RgPrjStreamHandlerBase::CheckSourceIsSameApplication(const std::string& sourceId) {
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

}  // namespace mzblprsx
