// Shows the blocks of the offline or the online project and lets the user pick blocks to open in
// their editor or to show their properties.
//
//   auto dialog = platform::MakeObject<RgProjectDialogBlockList>();
//   int32_t mode = RgProjectDialogBlockOpenModeCancel;
//   Ref<RgProjectItems> blocks = dialog->OpenBlock(snapIn, RgProjectLocationOffline, mode);
//   if (mode == RgProjectDialogBlockOpenModeEditor) { ... open each block ... }
//
// The download/upload dialog's twin: the same form, cursor (in its block-opening mode) and
// explorer handling. Open and Properties can be pressed only while a block is selected; a
// double click on an item opens that item alone, on empty space it does nothing.
//
// Trap: Cancel, Escape and the close box give an empty collection and mode 0; nothing comes
// back (and the mode is left as it was) only without a snap-in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/dialogs/IRgProjectDialogBlockList.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class ExplorerDialogSelection;
class RgProjectItems;
class RgProjectModel;
class RgProjectSnapin;
class frmProjectExplorerDialog;

class RgProjectDialogBlockList final : public IRgProjectDialogBlockList {
 public:
  static constexpr std::string_view kTypeName = "RgProjectDialogBlockList";

  RgProjectDialogBlockList();
  ~RgProjectDialogBlockList() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// The blocks the user chose in the project of the location; `blockOpenMode` receives what to
  /// do with them (RgEnumProjectDialogBlockOpenMode).
  Ref<RgProjectItems> OpenBlock(const Ref<RgProjectSnapin>& snapIn, int32_t location,
                                int32_t& blockOpenMode);
  /// OpenBlock for a host that holds the snap-in as an object; a non-snap-in is reported.
  Ref<RgProjectItems> OpenBlockFor(const Ref<Object>& snapIn, int32_t location,
                                   int32_t& blockOpenMode) override;

 private:
  void P_InitDialog(const Ref<RgProjectSnapin>& snapIn, const std::string& title,
                    const Ref<RgProjectModel>& model);
  Ref<RgProjectItems> P_ShowBlockListDialog(const Ref<RgProjectSnapin>& snapIn);
  /// Hides the form with the mode chosen.
  void P_Close(std::string_view procedure, int32_t blockOpenMode);

  void rgcmdBlockOpen_Click();
  void rgcmdBlockProperties_Click();
  void rgcmdCancel_Click();
  void rgpexControl_DblClick();
  void moSelectionHandler_SelectionChange();

  InstanceTrace trace_{kTypeName};
  Ref<frmProjectExplorerDialog> form_;
  Ref<ExplorerDialogSelection> selection_;
  /// The chosen RgEnumProjectDialogBlockOpenMode (declared below); 0 until a button chooses.
  int32_t blockOpenMode_ = 0;
  std::vector<platform::ScopedConnection> sinks_;
};

/// What the user chose to do with the blocks: nothing (Cancel, Escape, the close box), open them
/// in their editor, or show their properties.
enum RgEnumProjectDialogBlockOpenMode : int32_t {
  RgProjectDialogBlockOpenModeCancel = 0,
  RgProjectDialogBlockOpenModeEditor = 1,
  RgProjectDialogBlockOpenModeProperties = 2,
};

}  // namespace mzblprsx
