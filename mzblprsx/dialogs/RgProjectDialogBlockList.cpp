#include "mzblprsx/dialogs/RgProjectDialogBlockList.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/cursors/RgProjectCursorExplorerDialog.h"
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

Ref<RgProjectItems> RgProjectDialogBlockList::OpenBlockFor(const Ref<Object>& snapIn,
                                                           int32_t location,
                                                           int32_t& blockOpenMode) {
  Ref<RgProjectItems> result;
  Guard(*this, "OpenBlockFor", [&] {
    const Ref<RgProjectSnapin> projectSnapIn =
        snapIn ? snapIn.Cast<RgProjectSnapin>() : Ref<RgProjectSnapin>();
    result = OpenBlock(projectSnapIn, location, blockOpenMode);
  });
  return result;
}

Ref<RgProjectItems> RgProjectDialogBlockList::OpenBlock(const Ref<RgProjectSnapin>& snapIn,
                                                        int32_t location, int32_t& blockOpenMode) {
  // Whatever happens inside, the form is unloaded and the cursor and handler are let go.
  struct Cleanup {
    RgProjectDialogBlockList& self;
    ~Cleanup() {
      self.sinks_.clear();
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
    P_InitDialog(snapIn, snapIn->GetStaticText(kTextTitle),
                 project ? project->Model() : Ref<RgProjectModel>());
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
                                            const std::string& title,
                                            const Ref<RgProjectModel>& model) {
  Guard(*this, "P_InitDialog", [&] {
    selection_ = platform::MakeObject<ExplorerDialogSelection>();
    selection_->Attach(
        snapIn, title, model, RgProjectExplorerDialogCursorModeOpenBlock,
        [this] { moSelectionHandler_SelectionChange(); },
        // Enter is a press of Open, which a disabled Open ignores.
        [this] {
          if (form_->rgcmdBlockOpen()->Enabled()) rgcmdBlockOpen_Click();
        });
    form_ = selection_->Form();
    auto& form = *form_;
    sinks_.emplace_back(form.rgcmdBlockOpen()->Click().Connect([this] { rgcmdBlockOpen_Click(); }));
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
    selection_->P_SetProjectExplorerItems();
    result = selection_->P_ShowModal(snapIn);
    if (blockOpenMode_ == RgProjectDialogBlockOpenModeCancel) result->Clear();
  });
  return result;
}

void RgProjectDialogBlockList::P_Close(std::string_view procedure, int32_t blockOpenMode) {
  Guard(*this, procedure, [&] {
    blockOpenMode_ = blockOpenMode;
    form_->Hide();
  });
}

void RgProjectDialogBlockList::rgcmdBlockOpen_Click() {
  P_Close("rgcmdBlockOpen_Click", RgProjectDialogBlockOpenModeEditor);
}

void RgProjectDialogBlockList::rgcmdBlockProperties_Click() {
  P_Close("rgcmdBlockProperties_Click", RgProjectDialogBlockOpenModeProperties);
}

void RgProjectDialogBlockList::rgcmdCancel_Click() {
  // The mode stays as it was: nothing is opened.
  P_Close("rgcmdCancel_Click", blockOpenMode_);
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
