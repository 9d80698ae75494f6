#include "mzblprsx/models/RgPrjStatusController.h"

#include <utility>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/AutoRefreshPause.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/handlers/RgObjectGhostBlock.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlock.h"
#include "mzblprsx/interfaces/IRgBlockCompare.h"
#include "mzblprsx/interfaces/IRgHwCompare.h"
#include "mzblprsx/interfaces/IRgHwConfig.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/IRgProgramCompare.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "platform/CachedQuery.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

namespace {

// Keys as texts made once: the comparison reads and writes them for every item of both trees.
const std::string kCompareState = "COMPARESTATE";
const std::string kTypeKey = "TYPE";
constexpr int32_t kStateNone = 0;
constexpr int32_t kStateEqual = 1;
constexpr int32_t kStateDifferent = 2;
constexpr int32_t kStateNotComparable = 3;
constexpr int32_t kStateBelowEqualProgram = 4;

Ref<IRgObject> ObjectOf(const Ref<RgProjectItem>& item) {
  if (!item) return nullptr;
  const Ref<IRgProjectItemHandler> handler = item->Handler();
  return handler ? handler->Object() : nullptr;
}

bool IsBlockItem(const Ref<RgProjectItem>& item) {
  const Variant type = item->DataValue(kTypeKey);
  const std::string* text = type.Text();
  return text != nullptr && item_kind::IsBlockType(*text);
}

/// The block object of a block item that is no system block (type codes 1, 13 and 15 are the
/// system's own blocks, which the comparison leaves alone); nothing for any other item.
Ref<IRgObject> NonSystemBlock(const Ref<RgProjectItem>& item) {
  if (!IsBlockItem(item)) return nullptr;
  Ref<IRgObject> object = ObjectOf(item);
  const auto block = platform::CachedQuery<IRgBlock>(object);
  if (!block) return nullptr;
  const int32_t type = block->BlockType();
  return type != 13 && type != 15 && type != 1 ? object : nullptr;
}

/// The off-on switch after a change of every state: the views redraw, and the model is left as
/// it was found.
void Redraw(const Ref<RgProjectModel>& model, bool was) {
  model->SetAutoRefresh(false);
  model->SetAutoRefresh(true);
  model->SetAutoRefresh(was);
}

}  // namespace

RgPrjStatusController::~RgPrjStatusController() {
  sinks_.clear();
}

Ref<RgProjectSnapin> RgPrjStatusController::ProjectSnapIn() {
  return snapIn_;
}

void RgPrjStatusController::SetProjectSnapIn(Ref<RgProjectSnapin> snapIn) {
  Guard(*this, "Property Set ProjectSnapIn", [&] {
    sinks_.clear();
    snapIn_ = std::move(snapIn);
    offlineModel_.Reset();
    onlineModel_.Reset();
    if (!snapIn_) return;
    const Ref<RgProjects> projects = snapIn_->Projects();
    if (const auto offline = projects->Project(RgProjectLocationOffline)) {
      offlineModel_ = offline->Model();
    }
    if (const auto online = projects->Project(RgProjectLocationOnline)) {
      onlineModel_ = online->Model();
    }
    P_Subscribe(offlineModel_, true);
    P_Subscribe(onlineModel_, false);
  });
}

// A project appearing, disappearing or being refreshed on one side re-marks the other side.
void RgPrjStatusController::P_Subscribe(const Ref<RgProjectModel>& model, bool offline) {
  if (!model) return;
  // The other model is read from the fields at each event: they are the ones the controller
  // holds, and the subscriptions end before the fields are released.
  const auto other = [this, offline] { return offline ? onlineModel_ : offlineModel_; };
  sinks_.emplace_back(model->ProjectAdd().Connect(
      [this, other](const Ref<RgProjectItem>&) { P_ProjectAdd(other()); }));
  sinks_.emplace_back(model->ProjectRemove().Connect(
      [this, other](const Ref<RgProjectItem>&) { P_ProjectRemove(other()); }));
  sinks_.emplace_back(model->ProjectRefresh().Connect(
      [this, other](const Ref<RgProjectItem>&) { P_ProjectRefresh(other()); }));
}

void RgPrjStatusController::P_ProjectAdd(const Ref<RgProjectModel>& model) {
  Guard(*this, "P_ProjectAdd", [&] {
    if (!model || !model->HasProject()) return;
    const bool was = model->AutoRefresh();
    P_InitStatusInfo();
    Redraw(model, was);
  });
}

void RgPrjStatusController::P_ProjectRemove(const Ref<RgProjectModel>& model) {
  Guard(*this, "P_ProjectRemove", [&] {
    if (!model || !model->HasProject()) return;
    const bool was = model->AutoRefresh();
    P_SetModelStatusRecursive(model->Items(), kStateNone);
    P_RemoveGhostBlocks(model);
    Redraw(model, was);
  });
}

void RgPrjStatusController::P_ProjectRefresh(const Ref<RgProjectModel>& model) {
  Guard(*this, "P_ProjectRefresh", [&] {
    if (!model || !model->HasProject()) return;
    P_InitStatusInfo();
    if (model->AutoRefresh()) {
      model->SetAutoRefresh(false);
      model->SetAutoRefresh(true);
    }
  });
}

// --- The full comparison

int32_t RgPrjStatusController::P_ProjectState(int32_t hardwareState, int32_t programState) {
  if (hardwareState == kStateNone) return kStateNone;
  return hardwareState == kStateEqual ? programState : kStateDifferent;
}

void RgPrjStatusController::P_ComparePrograms() {
  if (!offlineOnly_) offlineOnly_ = P_NewList();
  if (!onlineOnly_) onlineOnly_ = P_NewList();
  offlineOnly_->Clear();
  onlineOnly_->Clear();
  const auto compare =
      snapIn_->Services()->RgBlockService(RgProjectLocationOffline).Cast<IRgProgramCompare>();
  differenceCount_ = compare->ComparePrograms(offlineOnly_, onlineOnly_);
  // A data type of the project is never reported as missing in the PLC: the PLC keeps none.
  P_FilterUDTs(offlineOnly_);
}

void RgPrjStatusController::P_InitStatusInfo() {
  Guard(*this, "P_InitStatusInfo", [&] {
    P_ComparePrograms();
    const Side offline = P_GetSide(offlineModel_);
    const Side online = P_GetSide(onlineModel_);

    const int32_t hardwareState = P_GetHardwareStatus(offline.hardware, online.hardware);
    const bool programsEqual =
        offlineOnly_->Count() == 0 && onlineOnly_->Count() == 0 && differenceCount_ == 0;
    const int32_t programState = programsEqual ? kStateEqual : kStateDifferent;
    const int32_t projectState = P_ProjectState(hardwareState, programState);

    equalCount_ = differentCount_ = 0;
    for (const bool isOffline : {true, false}) {
      const Side& side = isOffline ? offline : online;
      P_SetModelStatus(side.project, projectState);
      P_SetModelStatus(side.program, programState);
      P_SetModelStatus(side.hardware, hardwareState);
      // The project's program shows what only the PLC holds, and the PLC's what only the project
      // holds.
      P_MarkProgram(side, programState, isOffline ? onlineOnly_ : offlineOnly_, isOffline);
    }
  });
}

void RgPrjStatusController::P_MarkProgram(const Side& side, int32_t programState,
                                          const Ref<IRgObjectArray>& missing, bool offline) {
  if (!side.program) return;
  const Ref<RgObjectGhostBlock> ghost =
      P_GetRgObjectGhostBlock(side.program, offline, missing->Count() > 0);
  if (ghost) {
    ghost->RemoveAll();
    for (int32_t i = 1; i <= missing->Count(); ++i) ghost->AddBlock(missing->Item(i));
  }
  if (programState == kStateDifferent) {
    P_RefreshBlockStati(side.program->Items());
  } else if (programState == kStateEqual) {
    P_SetModelStatusRecursive(side.program->Items(), kStateBelowEqualProgram);
  }
}

// --- Refreshes after a change on one side

void RgPrjStatusController::RefreshProgramStatus() {
  Guard(*this, "RefreshProgramStatus", [&] {
    if (!offlineModel_ || !onlineModel_) return;
    if (!offlineModel_->HasProject() || !onlineModel_->HasProject()) return;
    P_ComparePrograms();
    const Side offline = P_GetSide(offlineModel_);
    const Side online = P_GetSide(onlineModel_);
    const bool listed = offlineOnly_->Count() > 0 || onlineOnly_->Count() > 0;
    const int32_t hardwareState = P_GetModelStatus(offline.hardware);

    for (const bool isOffline : {true, false}) {
      const Side& side = isOffline ? offline : online;
      if (!side.program) continue;
      AutoRefreshPause pause(isOffline ? offlineModel_ : onlineModel_);
      pause.SwitchOff();
      const Ref<IRgObjectArray>& missing = isOffline ? onlineOnly_ : offlineOnly_;
      if (const auto ghost =
              P_GetRgObjectGhostBlock(side.program, isOffline, missing->Count() > 0)) {
        ghost->RemoveAll();
        for (int32_t i = 1; i <= missing->Count(); ++i) ghost->AddBlock(missing->Item(i));
      }
      // The blocks' own states decide here: a block that differs, or cannot be compared, makes
      // its program differ.
      differenceCount_ = equalCount_ = differentCount_ = 0;
      P_RefreshBlockStati(side.program->Items());
      const bool differs = listed || differentCount_ > 0 || differenceCount_ > 0;
      const int32_t programState = differs ? kStateDifferent : kStateEqual;
      if (programState == kStateEqual) {
        P_SetModelStatusRecursive(side.program->Items(), kStateBelowEqualProgram);
      }
      P_SetModelStatus(side.program, programState);
      P_SetModelStatus(side.project, P_ProjectState(hardwareState, programState));
    }
  });
}

void RgPrjStatusController::RefreshHardwareStatus() {
  Guard(*this, "RefreshHardwareStatus", [&] {
    if (!offlineModel_ || !onlineModel_) return;
    if (!offlineModel_->HasProject() || !onlineModel_->HasProject()) return;
    const Side offline = P_GetSide(offlineModel_);
    const Side online = P_GetSide(onlineModel_);
    if (!offline.hardware) return;
    const int32_t current = P_GetModelStatus(offline.hardware);
    const int32_t state = P_GetHardwareStatus(offline.hardware, online.hardware);
    if (state == current) return;
    for (const Side* side : {&offline, &online}) {
      if (!side->hardware) continue;
      P_SetModelStatus(side->hardware, state);
      side->hardware->Handler()->Refresh();
    }
    for (const Side* side : {&offline, &online}) {
      if (!side->project) continue;
      P_SetModelStatus(side->project, P_ProjectState(state, P_GetModelStatus(side->program)));
      side->project->Handler()->Refresh();
    }
  });
}

// --- Finding the items of a side

RgPrjStatusController::Side RgPrjStatusController::P_GetSide(const Ref<RgProjectModel>& model) {
  Side side;
  side.project = P_GetProjectItem(model);
  if (!side.project) return side;
  side.program =
      P_GetChildByHandler(side.project, "RgPrjHandlerProgramOffline", "RgPrjHandlerProgramOnline");
  side.hardware = P_GetChildByHandler(side.project, "RgPrjHandlerHwConfigOffline",
                                      "RgPrjHandlerHwConfigOnline");
  return side;
}

Ref<RgProjectItem> RgPrjStatusController::P_GetProjectItem(const Ref<RgProjectModel>& model) {
  if (!model) return nullptr;
  const Ref<RgProjectItems> items = model->Items();
  return items->Count() > 0 ? items->First() : nullptr;
}

// The project item's "TYPE" tells the side, and the side the handler class of the child sought.
Ref<RgProjectItem> RgPrjStatusController::P_GetChildByHandler(const Ref<RgProjectItem>& projectItem,
                                                              std::string_view offlineHandler,
                                                              std::string_view onlineHandler) {
  const std::string type = item_kind::TypeOf(projectItem);
  std::string_view handler;
  if (type == "RgProjectOffline") handler = offlineHandler;
  if (type == "RgProjectOnline") handler = onlineHandler;
  if (handler.empty()) return nullptr;
  const Ref<RgProjectItemList> children = projectItem->ChildList();
  if (!children->Find(find_by::kHandlerClass, Variant(std::string(handler)))) return nullptr;
  return children->FoundItem();
}

Ref<RgProjectItem> RgPrjStatusController::P_GetDefaultCategory(
    const Ref<RgProjectItem>& programItem) {
  Ref<RgProjectItem> result;
  const Ref<RgProjectItems> children = programItem->Items();
  for (int32_t i = 1; i <= children->Count(); ++i) {
    const Ref<RgProjectItem> child = children->Item(i);
    if (item_kind::TypeOf(child) == item_kind::kDefaultCategory) result = child;  // the last one
  }
  return result;
}

// --- States

int32_t RgPrjStatusController::P_GetModelStatus(const Ref<RgProjectItem>& item) {
  if (!item) return kStateNone;
  const Variant value = item->DataValue(kCompareState);
  return value.IsEmpty() ? kStateNone : value.ToInt32();
}

// A state that is already there is not written again: a refresh after one changed block touches
// only the items whose state changed.
void RgPrjStatusController::P_SetModelStatus(const Ref<RgProjectItem>& item, int32_t state) {
  if (!item) return;
  if (IsBlockItem(item) && !NonSystemBlock(item)) return;
  P_WriteModelStatus(item, state);
}

void RgPrjStatusController::P_WriteModelStatus(const Ref<RgProjectItem>& item, int32_t state) {
  const Variant current = item->DataValue(kCompareState);
  if (!current.IsEmpty() && current.ToInt32() == state) return;
  item->Data()->SetValue(kCompareState, Variant(state), 1);
}

void RgPrjStatusController::P_SetModelStatusRecursive(const Ref<RgProjectItems>& items,
                                                      int32_t state) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    const Ref<RgProjectItem> item = items->Item(i);
    P_SetModelStatus(item, state);
    P_SetModelStatusRecursive(item->Items(), state);
  }
}

int32_t RgPrjStatusController::P_GetHardwareStatus(const Ref<RgProjectItem>& offline,
                                                   const Ref<RgProjectItem>& online) {
  const auto station = ObjectOf(offline).As<IRgHwConfig>();
  if (!station) return kStateNone;
  const int32_t documentState = station->DocumentState();
  if (documentState == kHwNotComparable) return kStateNotComparable;
  // The comparison object's failure is no error of this controller: the station's document state
  // stands for the result.
  int32_t result = documentState;
  try {
    const auto compare = platform::CreateObjectAs<IRgHwCompare>(clsid::kHwCompare);
    compare->CompareHardware(0, ObjectOf(offline), ObjectOf(online));
    result = compare->Result();
  } catch (...) {
    result = documentState;
  }
  return result;
}

void RgPrjStatusController::P_FilterUDTs(const Ref<IRgObjectArray>& list) {
  for (int32_t i = list->Count(); i >= 1; --i) {
    const Ref<IRgObject> object = list->Item(i);
    if (object && object->ObjectID().find("UDT") != std::string::npos) list->Remove(i);
  }
}

void RgPrjStatusController::P_RefreshBlockStati(const Ref<RgProjectItems>& items) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    const Ref<RgProjectItem> item = items->Item(i);
    const Ref<IRgObject> block = NonSystemBlock(item);
    if (!block) {
      P_RefreshBlockStati(item->Items());
      continue;
    }
    const auto compare = platform::CachedQuery<IRgBlockCompare>(block);
    const int32_t state = compare ? compare->CompareState() : kStateNone;
    if (state == kStateEqual) ++equalCount_;
    if (state == kStateDifferent) ++differentCount_;
    if (state == kStateNotComparable) ++differenceCount_;
    P_WriteModelStatus(item, state);
  }
}

// --- Ghost blocks

Ref<RgObjectGhostBlock> RgPrjStatusController::P_GetRgObjectGhostBlock(
    const Ref<RgProjectItem>& programItem, bool offline, bool create) {
  const Ref<RgProjectItemList> children = programItem->ChildList();
  if (children->Find(find_by::kHandlerClass, Variant(std::string(item_kind::kGhostHandler)))) {
    return ObjectOf(children->FoundItem()).As<RgObjectGhostBlock>();
  }
  return create ? P_CreateRgObjectGhostBlock(programItem, offline) : nullptr;
}

Ref<RgObjectGhostBlock> RgPrjStatusController::P_CreateRgObjectGhostBlock(
    const Ref<RgProjectItem>& programItem, bool offline) {
  auto ghost = platform::MakeObject<RgObjectGhostBlock>();
  ghost->SetClassID(std::string(offline ? clsid::kGhostOffline : clsid::kGhostOnline));
  ghost->SetDisplayName(snapIn_->GetStaticText(offline ? kTextOfflineGhost : kTextOnlineGhost));
  programItem->Items()->AddNew(ghost, nullptr, P_GetDefaultCategory(programItem));
  return ghost;
}

void RgPrjStatusController::P_RemoveGhostBlocks(const Ref<RgProjectModel>& model) {
  const Ref<RgProjectItem> project = P_GetProjectItem(model);
  if (!project) return;
  const Side side = P_GetSide(model);
  if (!side.program) return;
  const Ref<RgProjectItemList> children = side.program->ChildList();
  if (!children->Find(find_by::kHandlerClass, Variant(std::string(item_kind::kGhostHandler)))) {
    return;
  }
  const Ref<RgProjectItem> item = children->FoundItem();
  if (const auto ghost = ObjectOf(item).As<RgObjectGhostBlock>()) ghost->RemoveAll();
  item->Parent()->Items()->Remove(item);
}

Ref<IRgObjectArray> RgPrjStatusController::P_NewList() {
  return platform::CreateObjectAs<IRgObjectArray>(clsid::kObjectArray);
}

}  // namespace mzblprsx
