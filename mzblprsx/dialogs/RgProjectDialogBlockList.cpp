#include "mzblprsx/dialogs/RgProjectDialogBlockList.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/cursors/RgProjectCursorExplorerDialog.h"
#include "mzblprsx/dialogs/DialogPosition.h"
#include "mzblprsx/dialogs/ExplorerDialogSelection.h"
#include "mzblprsx/dialogs/frmProjectExplorerDialog.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ExplorerControl.h"

namespace mzblprsx {

namespace {

constexpr int32_t kTextTitle = 556;
constexpr const char* kPositionKey = "mzblprsx/OpenBlock";

}  // namespace

RgProjectDialogBlockList::RgProjectDialogBlockList() = default;

RgProjectDialogBlockList::~RgProjectDialogBlockList() = default;

Ref<RgProjectItems> RgProjectDialogBlockList::OpenBlock(const Ref<RgProjectSnapin>& snapIn,
                                                        int32_t location,
                                                        int32_t& blockOpenMode) {
  // Whatever happens inside, the form is unloaded and the cursor and handler are let go.
  struct Cleanup {
    RgProjectDialogBlockList& self;
    ~Cleanup() {
      self.sinks_.clear();
      try {
        if (self.form_) self.form_->Unload();
      } catch (...) {  // NOLINT(bugprone-empty-catch): the form reports its own failures
      }
      if (self.selection_) self.selection_->Detach();
      self.selection_.Reset();
      self.form_.Reset();
    }
  } cleanup{*this};

  Ref<RgProjectItems> result;
  Guard(*this, "OpenBlock", [&] {
    if (!snapIn) return;
    blockOpenMode_ = RgProjectDialogBlockOpenModeCancel;
    const Ref<RgProjectData> project = snapIn->Projects()->Project(location);
    const Ref<RgProjectModel> model = project ? project->Model() : Ref<RgProjectModel>();
    selection_ = platform::MakeObject<ExplorerDialogSelection>();
    P_InitDialog(snapIn, snapIn->GetStaticText(kTextTitle));
    selection_->Attach(
        model, RgProjectExplorerDialogCursorModeOpenBlock, form_->rgpexExplorer(),
        [this] { moSelectionHandler_SelectionChange(); }, [this] { rgcmdBlockOpen_Click(); });
    const char* parameterFile = location == RgProjectLocationOffline  ? "pex_dlg_offline.xml"
                                : location == RgProjectLocationOnline ? "pex_dlg_online.xml"
                                                                      : nullptr;
    if (parameterFile != nullptr) {
      form_->rgpexExplorer()->SetParameterFile(form_->P_GetPexControlParamFile(parameterFile));
    }
    result = P_ShowBlockListDialog(snapIn);
    blockOpenMode = blockOpenMode_;
  });
  return result;
}

void RgProjectDialogBlockList::P_InitDialog(const Ref<RgProjectSnapin>& snapIn,
                                            const std::string& title) {
  Guard(*this, "P_InitDialog", [&] {
    form_ = platform::MakeObject<frmProjectExplorerDialog>();
    form_->SetSnapIn(snapIn);
    form_->Load();
    form_->SetCaption(title);
    auto& form = *form_;
    sinks_.emplace_back(
        form.rgcmdBlockOpen()->Click().Connect([this] { rgcmdBlockOpen_Click(); }));
    sinks_.emplace_back(
        form.rgcmdBlockProperties()->Click().Connect([this] { rgcmdBlockProperties_Click(); }));
    sinks_.emplace_back(form.rgcmdCancel()->Click().Connect([this] { rgcmdCancel_Click(); }));
    sinks_.emplace_back(
        form.rgpexExplorer()->DblClickEvent().Connect([this] { rgpexControl_DblClick(); }));
    for (const auto& button : {form.rgcmdBlockOpen(), form.rgcmdBlockProperties()}) {
      button->SetVisible(true);
      // Nothing is selected yet: the block buttons wait for a block.
      button->SetEnabled(false);
    }
    form.rgcmdCancel()->SetVisible(true);
  });
}

Ref<RgProjectItems> RgProjectDialogBlockList::P_ShowBlockListDialog(
    const Ref<RgProjectSnapin>& snapIn) {
  Ref<RgProjectItems> result;
  Guard(*this, "P_ShowBlockListDialog", [&] {
    form_->SetPositionKey(kPositionKey);
    form_->RestoreDialogPosition();
    selection_->P_SetProjectExplorerItems();
    DialogPosition::ShowModal(*form_, snapIn->Application());
    form_->Unload();
    result = selection_->SelectedItems();
    if (blockOpenMode_ == RgProjectDialogBlockOpenModeCancel) result->Clear();
  });
  return result;
}

void RgProjectDialogBlockList::rgcmdBlockOpen_Click() {
  Guard(*this, "rgcmdBlockOpen_Click", [&] {
    blockOpenMode_ = RgProjectDialogBlockOpenModeEditor;
    form_->Hide();
  });
}

void RgProjectDialogBlockList::rgcmdBlockProperties_Click() {
  Guard(*this, "rgcmdBlockProperties_Click", [&] {
    blockOpenMode_ = RgProjectDialogBlockOpenModeProperties;
    form_->Hide();
  });
}

void RgProjectDialogBlockList::rgcmdCancel_Click() {
  Guard(*this, "rgcmdCancel_Click", [&] { form_->Hide(); });
}

void RgProjectDialogBlockList::rgpexControl_DblClick() {
  Guard(*this, "rgpexControl_DblClick", [&] {
    const Ref<RgProjectItem> item = selection_->LastPressedItem();
    if (!item) return;
    selection_->P_SelectOnly(item);
    blockOpenMode_ = RgProjectDialogBlockOpenModeEditor;
    form_->Hide();
  });
}

void RgProjectDialogBlockList::moSelectionHandler_SelectionChange() {
  Guard(*this, "moSelectionHandler_SelectionChange", [&] {
    const bool block =
        selection_->P_SelectionHasHandler({"RgPrjHandlerBlockOffline", "RgPrjHandlerBlockOnline"});
    form_->rgcmdBlockOpen()->SetEnabled(block);
    form_->rgcmdBlockProperties()->SetEnabled(block);
  });
}

}  // namespace mzblprsx
