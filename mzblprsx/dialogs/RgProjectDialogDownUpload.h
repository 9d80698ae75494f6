// Lets the user choose which objects are loaded into the PLC (Download, from the offline project)
// or from the PLC into the project (Upload, from the online project): the project tree of the
// source in an explorer control, preselected from the caller's selection, changed with the mouse,
// the keys and Select All / Select None, and given back when the user presses Load.
//
//   auto dialog = platform::MakeObject<RgProjectDialogDownUpload>();
//   Ref<RgProjectItems> chosen = dialog->Download(snapIn, selectedItems);   // or a data object
//   if (chosen && chosen->Count() > 0) { ... load them ... }
//
// The caller's selection is an RgProjectItems, an IRgDataObject (clipboard or drag content) or
// nothing. A selected project or program stands for all its blocks (a project also for its
// hardware configuration) unless the selection holds blocks or hardware of its own; a category
// for its selected blocks, or all of them when none is selected.
//
// Trap: Cancel, Escape and the close box give an empty collection, never nothing; nothing comes
// back only without a snap-in (or when the dialog failed).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace platform::ui {
class MessageSpy;
}  // namespace platform::ui

namespace mzblprsx {

class ExplorerDialogSelection;
class IRgDataObject;
class IRgDataObjectItem;
class IRgHelpService;
class RgProjectItem;
class RgProjectItems;
class RgProjectModel;
class RgProjectSnapin;
class frmProjectExplorerDialog;

class RgProjectDialogDownUpload final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectDialogDownUpload";

  RgProjectDialogDownUpload();
  ~RgProjectDialogDownUpload() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// The items to load into the PLC, chosen from the offline project.
  Ref<RgProjectItems> Download(const Ref<RgProjectSnapin>& snapIn, const Ref<Object>& selection);
  /// The items to load from the PLC, chosen from the online project.
  Ref<RgProjectItems> Upload(const Ref<RgProjectSnapin>& snapIn, const Ref<Object>& selection);

 private:
  /// What differs between the two directions.
  struct Direction {
    const char* procedure;
    int32_t location;
    int32_t cursorMode;
    int32_t titleText;
    const char* parameterFile;
    const char* helpTopic;
    const char* positionKey;
    int32_t explorerHelpContext;
    int32_t loadHelpContext;
  };
  static const Direction kDownload;
  static const Direction kUpload;

  Ref<RgProjectItems> P_Run(const Ref<RgProjectSnapin>& snapIn, const Ref<Object>& selection,
                            const Direction& direction);
  void P_InitDialog(const Ref<RgProjectSnapin>& snapIn, const std::string& title,
                    const Ref<RgProjectModel>& model, const Direction& direction);
  void P_MakePreSelection(const Ref<Object>& selection);
  void P_PreSelectWithItems(const Ref<RgProjectItems>& selection);
  void P_PreSelectWithDataObject(const Ref<IRgDataObject>& selection);
  /// Makes the result the selection and `focus` the focus item.
  void P_ReplaceSelection(const Ref<RgProjectItems>& result, const Ref<RgProjectItem>& focus);
  Ref<RgProjectItems> P_ShowLoadDialog(const Ref<RgProjectSnapin>& snapIn);
  /// Hides the form; with `load` the selection is the result.
  void P_Close(std::string_view procedure, bool load);

  // Selection routines; a result collection never receives an item twice.
  bool P_CheckLoadableObjects(const Ref<Object>& selection);
  void P_GetLoadableObjects(const Ref<RgProjectItems>& result, bool withHardware);
  void P_AddHardwareToSelection(const Ref<RgProjectItems>& result);
  /// `block` is a project item (its "NAME") or a data object item (its object identifier).
  void P_AddBlockToSelection(const Ref<Object>& block, const Ref<RgProjectItems>& result);
  void P_AddGhostBlocksToSelection(const Ref<RgProjectItem>& ghost,
                                   const Ref<RgProjectItems>& result);
  void P_GetSelectedBlocksOfCategory(const Ref<RgProjectItem>& category,
                                     const Ref<RgProjectItems>& selection,
                                     const Ref<RgProjectItems>& result);
  void P_GetContainedBlocksOfCategory(const std::string& blockList,
                                      const Ref<IRgDataObject>& selection,
                                      const Ref<RgProjectItems>& result);
  /// `category` is a project item or a data object item.
  void P_GetAllBlocksOfCategory(const Ref<Object>& category, const Ref<RgProjectItems>& result);
  bool P_CheckIfAnyCategoryBlockIsSelected(const Ref<RgProjectItem>& category,
                                           const Ref<RgProjectItems>& selection);
  bool P_CheckIfAnyCategoryBlockIsContained(const std::string& blockList,
                                            const Ref<IRgDataObject>& selection);

  void rgcmdLoad_Click();
  void rgcmdCancel_Click();
  void rgcmdSelectAll_Click();
  void rgcmdSelectNone_Click();
  void moSelectionHandler_SelectionChange();
  void moMsgSpy_WndProc(int32_t message, bool& handled);

  InstanceTrace trace_{kTypeName};
  Ref<frmProjectExplorerDialog> form_;
  Ref<IRgHelpService> helpService_;
  Ref<ExplorerDialogSelection> selection_;
  Ref<platform::ui::MessageSpy> moMsgSpy_;
  bool loadPressed_ = false;
  std::string helpTopic_;
  std::vector<platform::ScopedConnection> sinks_;
};

}  // namespace mzblprsx
