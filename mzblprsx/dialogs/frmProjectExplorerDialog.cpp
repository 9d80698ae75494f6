#include "mzblprsx/dialogs/frmProjectExplorerDialog.h"

#include <utility>

#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgLanguageAccess.h"
#include "mzblprsx/interfaces/IRgLanguageManager.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "platform/Text.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ExplorerControl.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WindowApi.h"

namespace mzblprsx {
namespace ui = platform::ui;

namespace {

constexpr std::string_view kAddressPriority = "General/Settings/AddressPriority";
constexpr std::string_view kDataDirectory = "General/Paths/DataDirectory";
constexpr std::string_view kLanguagePrefix = "mzprui_";

// The buttons' size in twips; the controllers place what they show in pixels.
constexpr int32_t kButtonWidth = 1215;
constexpr int32_t kButtonHeight = 345;

}  // namespace

frmProjectExplorerDialog::frmProjectExplorerDialog() {
  Move(0, 0, 5355, 3450);  // the client area, in twips
  // The form sees every key before the focused control: Escape is the form's.
  SetKeyPreview(true);
  rgpexExplorer_ = AddControl<ui::ExplorerControl>("rgpexExplorer");
  rgpexExplorer_->Move(180, 180, 3615, 2595);
  // Every button starts hidden: each dialog shows the ones it offers.
  const struct {
    Ref<ui::CommandButton>& button;
    const char* name;
    int32_t left;
    int32_t top;
  } buttons[] = {{rgcmdLoad_, "rgcmdLoad", 4020, 180},
                 {rgcmdBlockOpen_, "rgcmdBlockOpen", 4020, 600},
                 {rgcmdBlockProperties_, "rgcmdBlockProperties", 4020, 1020},
                 {rgcmdCancel_, "rgcmdCancel", 4020, 1440},
                 {rgcmdSelectAll_, "rgcmdSelectAll", 180, 2940},
                 {rgcmdSelectNone_, "rgcmdSelectNone", 1440, 2940}};
  for (const auto& place : buttons) {
    place.button = AddControl<ui::CommandButton>(place.name);
    place.button->Move(place.left, place.top, kButtonWidth, kButtonHeight);
    place.button->SetVisible(false);
  }
  int16_t tab = 0;
  for (const Ref<ui::Control>& control : Controls()) control->SetTabIndex(tab++);
  WireEvents();
}

frmProjectExplorerDialog::~frmProjectExplorerDialog() = default;

void frmProjectExplorerDialog::WireEvents() {
  // The form owns its signals, so `this` outlives every handler. Activation comes through
  // OnActivate and OnDeactivate.
  sinks_.emplace_back(LoadEvent().Connect([this] { Form_Load(); }));
  sinks_.emplace_back(QueryUnloadEvent().Connect(
      [this](int16_t& cancel, int16_t mode) { Form_QueryUnload(cancel, mode); }));
  sinks_.emplace_back(UnloadEvent().Connect([this](int16_t&) { Form_Unload(); }));
  sinks_.emplace_back(KeyDown().Connect([this](int16_t& key, int16_t) { Form_KeyDown(key); }));
}

void frmProjectExplorerDialog::OnActivate() {
  Form::OnActivate();
  Form_Activate();
}

void frmProjectExplorerDialog::OnDeactivate() {
  Form::OnDeactivate();
  Form_Deactivate();
}

void frmProjectExplorerDialog::MovePixels(ui::Window& control, int32_t left, int32_t top,
                                          int32_t width, int32_t height) {
  const auto& screen = ui::UiState::Current();
  const int32_t x = screen.TwipsPerPixelX();
  const int32_t y = screen.TwipsPerPixelY();
  control.Move(left * x, top * y, width * x, height * y);
}

Ref<IRgOptionService> frmProjectExplorerDialog::P_OptionService() {
  Ref<IRgOptionService> result;
  Guard(*this, "P_OptionService", [&] {
    if (!snapIn_) return;
    if (const Ref<RgProjectServices> services = snapIn_->Services()) {
      result = services->RgOptionService().As<IRgOptionService>();
    }
  });
  return result;
}

void frmProjectExplorerDialog::RestoreDialogPosition() {
  Guard(*this, "RestoreDialogPosition", [&] {
    position_.Restore(*this, P_OptionService(), kRestoreWidth, kRestoreHeight);
    const auto& screen = ui::UiState::Current();
    Move(Left(), Top(), kRestoreWidth * screen.TwipsPerPixelX(),
         kRestoreHeight * screen.TwipsPerPixelY());
  });
}

void frmProjectExplorerDialog::SaveDialogPosition() {
  Guard(*this, "SaveDialogPosition", [&] { position_.Save(*this, P_OptionService()); });
}

int32_t frmProjectExplorerDialog::P_GetMainFrameWnd() {
  int32_t result = 0;
  Guard(*this, "P_GetMainFrameWnd", [&] {
    if (snapIn_) result = DialogPosition::MainFrameWindow(snapIn_->Application());
  });
  return result;
}

std::string frmProjectExplorerDialog::P_GetPexControlParamFile(const std::string& fileName) {
  std::string result;
  Guard(*this, "P_GetPexControlParamFile", [&] {
    const Ref<IRgOptionService> options = P_OptionService();
    std::string directory =
        options ? options->Value(std::string(kDataDirectory)).ToString() : std::string();
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    result = directory + fileName;
  });
  return result;
}

void frmProjectExplorerDialog::P_SetCaptions() {
  Guard(*this, "P_SetCaptions", [&] {
    if (!texts_) return;
    const std::pair<ui::CommandButton*, int32_t> captions[] = {
        {rgcmdLoad_.Get(), 554},   {rgcmdBlockOpen_.Get(), 557}, {rgcmdBlockProperties_.Get(), 558},
        {rgcmdCancel_.Get(), 555}, {rgcmdSelectAll_.Get(), 552}, {rgcmdSelectNone_.Get(), 553}};
    for (const auto& [button, text] : captions) button->SetCaption(texts_->GetText(text));
  });
}

void frmProjectExplorerDialog::P_SetCaptionOrder() {
  Guard(*this, "P_SetCaptionOrder", [&] {
    const Ref<IRgOptionService> options = P_OptionService();
    if (!options) return;
    const double order =
        platform::text::Val(options->Value(std::string(kAddressPriority)).ToString());
    rgpexExplorer_->SetCaptionOrder(static_cast<int32_t>(order));
  });
}

void frmProjectExplorerDialog::Form_Load() {
  Guard(*this, "Form_Load", [&] {
    texts_ = FrameworkGlobals()->LanguageManager()->GetLanguageAccess(std::string(kLanguagePrefix));
    P_SetCaptions();
    P_SetCaptionOrder();
  });
}

void frmProjectExplorerDialog::Form_Activate() {
  Guard(*this, "Form_Activate", [&] {
    if (const int32_t owner = P_GetMainFrameWnd(); owner != 0) {
      ui::SetWindowLong(HWnd(), ui::GWL_HWNDPARENT, owner);
    }
    if (lastFocus_ != 0 && ui::IsWindow(lastFocus_)) {
      ui::SetFocus(lastFocus_);
    } else if (rgpexExplorer_->Enabled() && rgpexExplorer_->Visible()) {
      rgpexExplorer_->SetFocus();
    }
  });
}

void frmProjectExplorerDialog::Form_Deactivate() {
  Guard(*this, "Form_Deactivate", [&] { lastFocus_ = ui::GetFocus(); });
}

void frmProjectExplorerDialog::Form_QueryUnload(int16_t& cancel, int16_t unloadMode) {
  Guard(*this, "Form_QueryUnload", [&] {
    // The close box must not unload the form behind the controller's back: it only hides it,
    // which the controller reads as Cancel.
    if (unloadMode != kUnloadByCloseBox) return;
    cancel = 1;
    Hide();
  });
}

void frmProjectExplorerDialog::Form_Unload() {
  Guard(*this, "Form_Unload", [&] {
    SaveDialogPosition();
    snapIn_.Reset();
    if (!texts_) return;
    texts_.Reset();
    FrameworkGlobals()->LanguageManager()->ReleaseLanguageAccess(std::string(kLanguagePrefix));
  });
}

void frmProjectExplorerDialog::Form_KeyDown(int16_t& keyCode) {
  Guard(*this, "Form_KeyDown", [&] {
    if (keyCode != ui::VK_ESCAPE) return;
    keyCode = 0;
    Hide();
  });
}

}  // namespace mzblprsx
