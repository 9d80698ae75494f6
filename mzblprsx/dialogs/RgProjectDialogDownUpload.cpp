#include "mzblprsx/dialogs/RgProjectDialogDownUpload.h"

#include <algorithm>
#include <initializer_list>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/cursors/RgProjectCursorExplorerDialog.h"
#include "mzblprsx/cursors/RgProjectSelectionHandler.h"
#include "mzblprsx/dialogs/ExplorerDialogSelection.h"
#include "mzblprsx/dialogs/frmProjectExplorerDialog.h"
#include "mzblprsx/handlers/IRgObjectGhostBlock.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgHelpService.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ExplorerControl.h"
#include "platform/ui/MessageSpy.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowApi.h"

namespace mzblprsx {
namespace ui = platform::ui;

namespace {

constexpr std::string_view kHelpBook = "MzBASHD";
constexpr int32_t kHelpSelectAll = 328391;
constexpr int32_t kHelpSelectNone = 328392;

using platform::text::ContainsNoCase;
using platform::text::EqualsNoCase;

std::string TypeOf(const Ref<RgProjectItem>& item) {
  return item->DataValue("TYPE").ToString();
}
bool IsBlockType(const std::string& type) {
  return ContainsNoCase(type, "RgBlock");
}
bool IsHardwareType(const std::string& type) {
  return ContainsNoCase(type, "RgHwConfig");
}
bool IsClass(const std::string& classId, std::initializer_list<std::string_view> classes) {
  return std::any_of(classes.begin(), classes.end(),
                     [&](std::string_view c) { return EqualsNoCase(classId, c); });
}
bool IsLoadableClass(const std::string& classId) {
  return IsClass(classId, {clsid::kBlockOffline, clsid::kBlockOnline, clsid::kHwConfigOffline,
                           clsid::kHwConfigOnline});
}

/// Adds the item unless the collection holds it.
void AddOnce(const Ref<RgProjectItems>& items, const Ref<RgProjectItem>& item) {
  if (item && items->IndexOf(item) == 0) items->Add(item, nullptr, nullptr);
}

/// The identifiers of a category's block list ("FB10;DB10;"), empty ones left out.
std::vector<std::string> SplitBlockList(const std::string& list) {
  std::vector<std::string> ids;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(';', start), list.size());
    if (end > start) ids.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return ids;
}

}  // namespace

// procedure, source, cursor mode, title, parameter file, help topic, position key, and the help
// contexts of the explorer and of Load.
// clang-format off
const RgProjectDialogDownUpload::Direction RgProjectDialogDownUpload::kDownload{
    "Download", RgProjectLocationOffline, RgProjectExplorerDialogCursorModeDownload, 550,
    "pex_dlg_offline.xml", "BAS00005.HTM", "mzblprsx/Download", 328394, 328396};
const RgProjectDialogDownUpload::Direction RgProjectDialogDownUpload::kUpload{
    "Upload", RgProjectLocationOnline, RgProjectExplorerDialogCursorModeUpload, 551,
    "pex_dlg_online.xml", "BAS00048.HTM", "mzblprsx/Upload", 328393, 328395};
// clang-format on

RgProjectDialogDownUpload::RgProjectDialogDownUpload() = default;

RgProjectDialogDownUpload::~RgProjectDialogDownUpload() = default;

Ref<RgProjectItems> RgProjectDialogDownUpload::Download(const Ref<RgProjectSnapin>& snapIn,
                                                        const Ref<Object>& selection) {
  return P_Run(snapIn, selection, kDownload);
}

Ref<RgProjectItems> RgProjectDialogDownUpload::Upload(const Ref<RgProjectSnapin>& snapIn,
                                                      const Ref<Object>& selection) {
  return P_Run(snapIn, selection, kUpload);
}

Ref<RgProjectItems> RgProjectDialogDownUpload::P_Run(const Ref<RgProjectSnapin>& snapIn,
                                                     const Ref<Object>& selection,
                                                     const Direction& direction) {
  // Whatever happens inside, the form is unloaded and the cursor and handler are let go.
  struct Cleanup {
    RgProjectDialogDownUpload& self;
    ~Cleanup() {
      self.sinks_.clear();
      self.moMsgSpy_.Reset();
      self.helpService_.Reset();
      if (self.selection_) self.selection_->Detach();
      self.selection_.Reset();
      self.form_.Reset();
    }
  } cleanup{*this};

  Ref<RgProjectItems> result;
  Guard(*this, direction.procedure, [&] {
    if (!snapIn) return;
    loadPressed_ = false;
    helpTopic_ = direction.helpTopic;
    const Ref<RgProjectData> project = snapIn->Projects()->Project(direction.location);
    P_InitDialog(snapIn, snapIn->GetStaticText(direction.titleText),
                 project ? project->Model() : Ref<RgProjectModel>(), direction);
    form_->rgpexExplorer()->SetParameterFile(
        form_->P_GetPexControlParamFile(direction.parameterFile));
    selection_->P_SetProjectExplorerItems();
    P_MakePreSelection(selection);
    form_->SetPositionKey(direction.positionKey);
    result = P_ShowLoadDialog(snapIn);
  });
  return result;
}

void RgProjectDialogDownUpload::P_InitDialog(const Ref<RgProjectSnapin>& snapIn,
                                             const std::string& title,
                                             const Ref<RgProjectModel>& model,
                                             const Direction& direction) {
  Guard(*this, "P_InitDialog", [&] {
    selection_ = platform::MakeObject<ExplorerDialogSelection>();
    selection_->Attach(
        snapIn, title, model, direction.cursorMode,
        [this] { moSelectionHandler_SelectionChange(); },
        // Enter is a press of Load, which a disabled Load ignores.
        [this] {
          if (form_->rgcmdLoad()->Enabled()) rgcmdLoad_Click();
        });
    form_ = selection_->Form();
    auto& form = *form_;
    sinks_.emplace_back(form.rgcmdLoad()->Click().Connect([this] { rgcmdLoad_Click(); }));
    sinks_.emplace_back(form.rgcmdCancel()->Click().Connect([this] { rgcmdCancel_Click(); }));
    sinks_.emplace_back(form.rgcmdSelectAll()->Click().Connect([this] { rgcmdSelectAll_Click(); }));
    sinks_.emplace_back(
        form.rgcmdSelectNone()->Click().Connect([this] { rgcmdSelectNone_Click(); }));

    frmProjectExplorerDialog::MovePixels(*form.rgpexExplorer(), 8, 8, 245, 175);
    frmProjectExplorerDialog::MovePixels(*form.rgcmdLoad(), 265, 8, 87, 24);
    frmProjectExplorerDialog::MovePixels(*form.rgcmdCancel(), 265, 35, 87, 24);
    frmProjectExplorerDialog::MovePixels(*form.rgcmdSelectAll(), 8, 195, 87, 24);
    frmProjectExplorerDialog::MovePixels(*form.rgcmdSelectNone(), 100, 195, 87, 24);
    for (const auto& button :
         {form.rgcmdLoad(), form.rgcmdCancel(), form.rgcmdSelectAll(), form.rgcmdSelectNone()}) {
      button->SetVisible(true);
    }
    // Nothing is selected yet: Load waits for a block or a hardware configuration.
    form.rgcmdLoad()->SetEnabled(false);
    form.rgpexExplorer()->SetHelpContextID(direction.explorerHelpContext);
    form.rgcmdLoad()->SetHelpContextID(direction.loadHelpContext);
    form.rgcmdSelectAll()->SetHelpContextID(kHelpSelectAll);
    form.rgcmdSelectNone()->SetHelpContextID(kHelpSelectNone);
  });
}

void RgProjectDialogDownUpload::P_MakePreSelection(const Ref<Object>& selection) {
  Guard(*this, "P_MakePreSelection", [&] {
    if (const auto items = selection.As<RgProjectItems>()) {
      P_PreSelectWithItems(items);
    } else if (const auto data = selection.As<IRgDataObject>()) {
      P_PreSelectWithDataObject(data);
    }
    const Ref<RgProjectSelectionHandler> handler = selection_->SelectionHandler();
    const Ref<RgProjectCursorExplorerDialog> cursor = selection_->Cursor();
    const Ref<RgProjectItem> focus = handler->FocusItem();
    if (focus) {
      form_->rgpexExplorer()->SetFocusItem(focus);
    } else if (cursor->Count().ToInt32() >= 1) {
      handler->SetFocusItem(cursor->Item(Variant(int32_t{1})));
    }
  });
}

void RgProjectDialogDownUpload::P_PreSelectWithItems(const Ref<RgProjectItems>& selection) {
  Guard(*this, "P_PreSelectWithItems", [&] {
    if (selection->Count() == 0) return;
    const auto result = platform::CreateObjectAs<RgProjectItems>(clsid::kProjectItems);
    Ref<RgProjectItem> focus;
    for (int32_t i = 1, n = selection->Count(); i <= n; ++i) {
      const Ref<RgProjectItem> item = selection->Item(i);
      const std::string type = TypeOf(item);
      if (ContainsNoCase(type, "RgProject") || ContainsNoCase(type, "RgProgram")) {
        // A project or program stands for its contents only when nothing loadable is chosen.
        if (P_CheckLoadableObjects(selection)) continue;
        P_GetLoadableObjects(result, ContainsNoCase(type, "RgProject"));
        focus = result->First();
        break;
      }
      if (IsHardwareType(type)) {
        P_AddHardwareToSelection(result);
        focus = result->First();
      } else if (ContainsNoCase(type, "RgCategory")) {
        if (P_CheckIfAnyCategoryBlockIsSelected(item, selection)) {
          P_GetSelectedBlocksOfCategory(item, selection, result);
        } else {
          P_GetAllBlocksOfCategory(item, result);
        }
        if (!focus && selection_->Cursor()->Find(item)) focus = item;
      } else if (IsBlockType(type) || ContainsNoCase(type, "RgGhostBlock")) {
        if (IsBlockType(type)) {
          P_AddBlockToSelection(item, result);
        } else {
          P_AddGhostBlocksToSelection(item, result);
        }
        if (!focus) focus = result->First();
      }
    }
    P_ReplaceSelection(result, focus);
  });
}

void RgProjectDialogDownUpload::P_PreSelectWithDataObject(const Ref<IRgDataObject>& selection) {
  Guard(*this, "P_PreSelectWithDataObject", [&] {
    if (selection->ItemCount() == 0) return;
    const auto result = platform::CreateObjectAs<RgProjectItems>(clsid::kProjectItems);
    Ref<RgProjectItem> focus;
    for (int32_t i = 1, n = selection->ItemCount(); i <= n; ++i) {
      const Ref<IRgDataObjectItem> item = selection->Item(i);
      const std::string classId = item->ClassID();
      const bool project = IsClass(classId, {clsid::kProjectOffline, clsid::kProjectOnline});
      if (project || IsClass(classId, {clsid::kProgramOffline, clsid::kProgramOnline})) {
        if (P_CheckLoadableObjects(selection)) continue;
        P_GetLoadableObjects(result, project);
        focus = result->First();
        break;
      }
      if (IsClass(classId, {clsid::kHwConfigOffline, clsid::kHwConfigOnline})) {
        P_AddHardwareToSelection(result);
        focus = result->First();
      } else if (IsClass(classId, {clsid::kCategory})) {
        const std::string blockList = item->MarkerText();
        if (P_CheckIfAnyCategoryBlockIsContained(blockList, selection)) {
          P_GetContainedBlocksOfCategory(blockList, selection, result);
        } else {
          P_GetAllBlocksOfCategory(item, result);
        }
        if (!focus) focus = result->First();
      } else if (IsClass(classId, {clsid::kBlockOffline, clsid::kBlockOnline})) {
        P_AddBlockToSelection(item, result);
        if (!focus) focus = result->First();
      }
    }
    P_ReplaceSelection(result, focus);
  });
}

void RgProjectDialogDownUpload::P_ReplaceSelection(const Ref<RgProjectItems>& result,
                                                   const Ref<RgProjectItem>& focus) {
  Guard(*this, "P_ReplaceSelection", [&] {
    const Ref<RgProjectSelectionHandler> handler = selection_->SelectionHandler();
    const Ref<RgProjectItems> selected = handler->SelectedItems();
    selected->Clear();
    for (int32_t i = 1, n = result->Count(); i <= n; ++i) {
      selected->Add(result->Item(i), nullptr, nullptr);
    }
    handler->SelectionChangeComplete();
    handler->SetFocusItem(focus);
  });
}

Ref<RgProjectItems> RgProjectDialogDownUpload::P_ShowLoadDialog(
    const Ref<RgProjectSnapin>& snapIn) {
  Ref<RgProjectItems> result;
  Guard(*this, "P_ShowLoadDialog", [&] {
    moMsgSpy_ = platform::MakeObject<ui::MessageSpy>();
    sinks_.emplace_back(
        moMsgSpy_->WndProc().Connect([this](int32_t message, int32_t, int32_t, bool& handled) {
          moMsgSpy_WndProc(message, handled);
        }));
    moMsgSpy_->SetHWnd(form_->HWnd());
    moMsgSpy_->AddMessage(ui::WM_HELP, true);
    result = selection_->P_ShowModal(snapIn);
    moMsgSpy_.Reset();
    if (!loadPressed_) result->Clear();
  });
  return result;
}

bool RgProjectDialogDownUpload::P_CheckLoadableObjects(const Ref<Object>& selection) {
  bool result = false;
  Guard(*this, "P_CheckLoadableObjects", [&] {
    if (const auto items = selection.As<RgProjectItems>()) {
      for (int32_t i = 1, n = items->Count(); i <= n && !result; ++i) {
        const std::string type = TypeOf(items->Item(i));
        result = IsBlockType(type) || IsHardwareType(type);
      }
    } else if (const auto data = selection.As<IRgDataObject>()) {
      for (int32_t i = 1, n = data->ItemCount(); i <= n && !result; ++i) {
        result = IsLoadableClass(data->Item(i)->ClassID());
      }
    }
  });
  return result;
}

void RgProjectDialogDownUpload::P_GetLoadableObjects(const Ref<RgProjectItems>& result,
                                                     bool withHardware) {
  Guard(*this, "P_GetLoadableObjects", [&] {
    for (const Ref<RgProjectItem>& item : selection_->Cursor()->NewEnum()) {
      const std::string type = TypeOf(item);
      if (IsBlockType(type) || (withHardware && IsHardwareType(type))) AddOnce(result, item);
    }
  });
}

void RgProjectDialogDownUpload::P_AddHardwareToSelection(const Ref<RgProjectItems>& result) {
  Guard(*this, "P_AddHardwareToSelection", [&] {
    for (const Ref<RgProjectItem>& item : selection_->Cursor()->NewEnum()) {
      if (!IsHardwareType(TypeOf(item))) continue;
      AddOnce(result, item);
      return;
    }
  });
}

void RgProjectDialogDownUpload::P_AddBlockToSelection(const Ref<Object>& block,
                                                      const Ref<RgProjectItems>& result) {
  Guard(*this, "P_AddBlockToSelection", [&] {
    std::string name;
    if (const auto item = block.As<RgProjectItem>()) {
      name = item->DataValue("NAME").ToString();
    } else if (const auto entry = block.As<IRgDataObjectItem>()) {
      name = entry->ObjectID().ToString();
    }
    for (const Ref<RgProjectItem>& item : selection_->Cursor()->NewEnum()) {
      if (!ContainsNoCase(item->DataValue("NAME").ToString(), name)) continue;
      AddOnce(result, item);
      return;
    }
  });
}

void RgProjectDialogDownUpload::P_AddGhostBlocksToSelection(const Ref<RgProjectItem>& ghost,
                                                            const Ref<RgProjectItems>& result) {
  Guard(*this, "P_AddGhostBlocksToSelection", [&] {
    const auto blocks = ghost->Handler()->Object().As<IRgObjectGhostBlock>();
    if (!blocks) return;
    const std::vector<Ref<RgProjectItem>> tree = selection_->Cursor()->NewEnum();
    for (const Ref<IRgObject>& block : blocks->NewEnum()) {
      const std::string id = block->ObjectID();
      const auto found = std::find_if(tree.begin(), tree.end(), [&](const Ref<RgProjectItem>& i) {
        return i->DataValue("NAME").ToString() == id;
      });
      if (found != tree.end()) AddOnce(result, *found);
    }
  });
}

void RgProjectDialogDownUpload::P_GetSelectedBlocksOfCategory(const Ref<RgProjectItem>& category,
                                                              const Ref<RgProjectItems>& selection,
                                                              const Ref<RgProjectItems>& result) {
  Guard(*this, "P_GetSelectedBlocksOfCategory", [&] {
    const Ref<RgProjectItems> children = category->Items();
    for (int32_t i = 1, n = children->Count(); i <= n; ++i) {
      const Ref<RgProjectItem> child = children->Item(i);
      if (selection->IndexOf(child) != 0) AddOnce(result, child);
    }
  });
}

void RgProjectDialogDownUpload::P_GetContainedBlocksOfCategory(const std::string& blockList,
                                                               const Ref<IRgDataObject>& selection,
                                                               const Ref<RgProjectItems>& result) {
  Guard(*this, "P_GetContainedBlocksOfCategory", [&] {
    for (const std::string& id : SplitBlockList(blockList)) {
      const std::string blockClass(clsid::kBlockOffline);
      if (const auto entry = selection->ItemByKey(blockClass, Variant(id))) {
        P_AddBlockToSelection(entry, result);
      }
    }
  });
}

void RgProjectDialogDownUpload::P_GetAllBlocksOfCategory(const Ref<Object>& category,
                                                         const Ref<RgProjectItems>& result) {
  Guard(*this, "P_GetAllBlocksOfCategory", [&] {
    Ref<RgProjectItem> item = category.As<RgProjectItem>();
    if (const auto entry = category.As<IRgDataObjectItem>()) {
      const std::string id = entry->ObjectID().ToString();
      for (const Ref<RgProjectItem>& candidate : selection_->Cursor()->NewEnum()) {
        if (EqualsNoCase(TypeOf(candidate), "RgCategory") &&
            candidate->DataValue("RgObjectID").ToString() == id) {
          item = candidate;
          break;
        }
      }
    }
    if (!item) return;
    const Ref<RgProjectItems> children = item->Items();
    for (int32_t i = 1, n = children->Count(); i <= n; ++i) AddOnce(result, children->Item(i));
  });
}

bool RgProjectDialogDownUpload::P_CheckIfAnyCategoryBlockIsSelected(
    const Ref<RgProjectItem>& category, const Ref<RgProjectItems>& selection) {
  bool result = false;
  Guard(*this, "P_CheckIfAnyCategoryBlockIsSelected", [&] {
    const Ref<RgProjectItems> children = category->Items();
    for (int32_t i = 1, n = children->Count(); i <= n && !result; ++i) {
      result = selection->IndexOf(children->Item(i)) != 0;
    }
  });
  return result;
}

bool RgProjectDialogDownUpload::P_CheckIfAnyCategoryBlockIsContained(
    const std::string& blockList, const Ref<IRgDataObject>& selection) {
  bool result = false;
  Guard(*this, "P_CheckIfAnyCategoryBlockIsContained", [&] {
    // An empty list stands for a category that holds nothing: none of its blocks are taken.
    if (blockList.empty()) {
      result = true;
      return;
    }
    const std::vector<std::string> ids = SplitBlockList(blockList);
    const std::string blockClass(clsid::kBlockOffline);
    result = std::any_of(ids.begin(), ids.end(), [&](const std::string& id) {
      return static_cast<bool>(selection->ItemByKey(blockClass, Variant(id)));
    });
  });
  return result;
}

void RgProjectDialogDownUpload::P_Close(std::string_view procedure, bool load) {
  Guard(*this, procedure, [&] {
    loadPressed_ = load;
    form_->Hide();
  });
}

void RgProjectDialogDownUpload::rgcmdLoad_Click() {
  P_Close("rgcmdLoad_Click", true);
}

void RgProjectDialogDownUpload::rgcmdCancel_Click() {
  P_Close("rgcmdCancel_Click", false);
}

void RgProjectDialogDownUpload::rgcmdSelectAll_Click() {
  Guard(*this, "rgcmdSelectAll_Click", [&] {
    const Ref<RgProjectSelectionHandler> handler = selection_->SelectionHandler();
    const Ref<RgProjectItems> selected = handler->SelectedItems();
    selected->Clear();
    for (const Ref<RgProjectItem>& item : selection_->Cursor()->NewEnum()) {
      if (!ExplorerDialogSelection::IsCategory(item)) selected->Add(item, nullptr, nullptr);
    }
    handler->SelectionChangeComplete();
  });
}

void RgProjectDialogDownUpload::rgcmdSelectNone_Click() {
  Guard(*this, "rgcmdSelectNone_Click", [&] {
    const Ref<RgProjectSelectionHandler> handler = selection_->SelectionHandler();
    handler->SelectedItems()->Clear();
    handler->SelectionChangeComplete();
  });
}

void RgProjectDialogDownUpload::moSelectionHandler_SelectionChange() {
  Guard(*this, "moSelectionHandler_SelectionChange", [&] {
    form_->rgcmdLoad()->SetEnabled(selection_->P_SelectionHasHandler(
        {"RgPrjHandlerHwConfigOffline", "RgPrjHandlerHwConfigOnline", "RgPrjHandlerBlockOffline",
         "RgPrjHandlerBlockOnline"}));
  });
}

void RgProjectDialogDownUpload::moMsgSpy_WndProc(int32_t message, bool& handled) {
  Guard(*this, "moMsgSpy_WndProc", [&] {
    if (message != ui::WM_HELP) return;
    // Shift+F1 is the host's context help, not this dialog's topic.
    if (ui::GetKeyState(ui::VK_F1) >= 0 || ui::GetKeyState(ui::VK_SHIFT) < 0) return;
    handled = true;
    if (!helpService_) {
      helpService_ = platform::CreateObjectAs<IRgHelpService>(clsid::kHelpService);
    }
    helpService_->ShowHelpTopic(std::string(kHelpBook), form_->HWnd(), helpTopic_);
  });
}

}  // namespace mzblprsx
