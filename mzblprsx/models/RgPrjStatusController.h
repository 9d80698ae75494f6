// Compares the project open offline with the project in the connected PLC and writes the result
// into both trees: a compare state under "COMPARESTATE" on every project, program, hardware
// configuration and block item, and a ghost block in each program for the blocks that exist only
// on the other side.
//
//   controller->SetProjectSnapIn(snapIn);   // watches both models from now on
//   ...                                     // a project appears on both sides: full comparison
//   controller->RefreshProgramStatus();     // after blocks changed on one side
//
// Compare states: 0 no comparison, 1 equal, 2 different, 3 hardware that cannot be compared,
// 4 below a program that compares equal. System blocks (type codes 1, 13, 15) never get one.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/Signal.h"

namespace mzblprsx {

class RgProjectSnapin;
class RgProjectModel;
class RgProjectItem;
class RgProjectItems;
class RgObjectGhostBlock;
class IRgObjectArray;

class RgPrjStatusController final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgPrjStatusController";

  /// Static texts of the ghosts' names: in the project's program (blocks only in the PLC) and in
  /// the PLC's program (blocks only in the project).
  static constexpr int32_t kTextOfflineGhost = 5;
  static constexpr int32_t kTextOnlineGhost = 4;
  /// The hardware's document state that means "cannot be compared".
  static constexpr int32_t kHwNotComparable = 8192;

  RgPrjStatusController() = default;
  ~RgPrjStatusController() override;
  std::string_view TypeName() const override { return kTypeName; }

  Ref<RgProjectSnapin> ProjectSnapIn();
  /// With a snap-in, watches the models of both locations of its registry; with nothing,
  /// releases them.
  void SetProjectSnapIn(Ref<RgProjectSnapin> snapIn);

  /// Compares the two programs again and updates program, project and block states and the
  /// ghosts; nothing unless both sides hold a project.
  void RefreshProgramStatus();
  /// Compares the two hardware configurations again and updates hardware and project states;
  /// nothing unless both sides hold a project.
  void RefreshHardwareStatus();

  Ref<RgProjectModel> OfflineModel() { return offlineModel_; }
  Ref<RgProjectModel> OnlineModel() { return onlineModel_; }

 private:
  struct Side {
    Ref<RgProjectItem> project;
    Ref<RgProjectItem> program;
    Ref<RgProjectItem> hardware;
  };

  void P_Subscribe(const Ref<RgProjectModel>& model, bool offline);
  void P_ProjectAdd(const Ref<RgProjectModel>& model);
  void P_ProjectRemove(const Ref<RgProjectModel>& model);
  void P_ProjectRefresh(const Ref<RgProjectModel>& model);

  void P_InitStatusInfo();
  /// No comparison without hardware state, the program's state when the stations are equal,
  /// different otherwise.
  static int32_t P_ProjectState(int32_t hardwareState, int32_t programState);
  /// Empties both lists and lets the offline block service fill them; the UDTs are filtered.
  void P_ComparePrograms();
  Side P_GetSide(const Ref<RgProjectModel>& model);
  Ref<RgProjectItem> P_GetProjectItem(const Ref<RgProjectModel>& model);
  Ref<RgProjectItem> P_GetChildByHandler(const Ref<RgProjectItem>& projectItem,
                                         std::string_view offlineHandler,
                                         std::string_view onlineHandler);
  Ref<RgProjectItem> P_GetDefaultCategory(const Ref<RgProjectItem>& programItem);
  /// Writes the program's own state and its ghost and block states for one side.
  void P_MarkProgram(const Side& side, int32_t programState, const Ref<IRgObjectArray>& missing,
                     bool offline);

  int32_t P_GetModelStatus(const Ref<RgProjectItem>& item);
  void P_SetModelStatus(const Ref<RgProjectItem>& item, int32_t state);
  /// Writes the state unless the item already shows it; the caller has checked the item.
  void P_WriteModelStatus(const Ref<RgProjectItem>& item, int32_t state);
  void P_SetModelStatusRecursive(const Ref<RgProjectItems>& items, int32_t state);
  int32_t P_GetHardwareStatus(const Ref<RgProjectItem>& offline, const Ref<RgProjectItem>& online);
  void P_FilterUDTs(const Ref<IRgObjectArray>& list);
  void P_RefreshBlockStati(const Ref<RgProjectItems>& items);
  Ref<RgObjectGhostBlock> P_GetRgObjectGhostBlock(const Ref<RgProjectItem>& programItem,
                                                  bool offline, bool create);
  Ref<RgObjectGhostBlock> P_CreateRgObjectGhostBlock(const Ref<RgProjectItem>& programItem,
                                                     bool offline);
  void P_RemoveGhostBlocks(const Ref<RgProjectModel>& model);
  Ref<IRgObjectArray> P_NewList();

  InstanceTrace trace_{kTypeName};
  Ref<RgProjectSnapin> snapIn_;
  Ref<RgProjectModel> offlineModel_;
  Ref<RgProjectModel> onlineModel_;
  std::vector<platform::ScopedConnection> sinks_;
  Ref<IRgObjectArray> offlineOnly_;
  Ref<IRgObjectArray> onlineOnly_;
  int32_t differenceCount_ = 0;
  int32_t equalCount_ = 0;
  int32_t differentCount_ = 0;
};

}  // namespace mzblprsx
