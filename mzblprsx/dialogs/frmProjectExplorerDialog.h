// The modal form shared by the download/upload dialog and the block list dialog: a project
// explorer control and the buttons Load, Open, Properties, Cancel, Select All and Select None.
//
//   auto form = platform::MakeObject<frmProjectExplorerDialog>();
//   form->SetSnapIn(snapIn);                  // options (caption order, position) and owner
//   form->Load();                             // captions and caption order are set here
//   form->rgcmdLoad()->SetVisible(true);      // the controller shows the buttons it uses ...
//   form->SetPositionKey("mzblprsx/Download");
//   form->RestoreDialogPosition();            // ... places the form ...
//   form->Show(/*modal=*/true);               // ... and shows it; a button handler hides it
//   form->Unload();                           // stores the position again
//
// The form knows nothing about items: the controllers fill the explorer and decide what the
// buttons do. It owns the window rules: the host's main window owns it, the focus comes back to
// where it was when the form was last deactivated (else to the explorer), and Escape and the
// close box hide it (the controllers read that as Cancel).
//
// Trap: every button starts hidden; a controller makes visible the ones its dialog offers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/dialogs/DialogPosition.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/ui/Form.h"

namespace platform::ui {
class CommandButton;
class ExplorerControl;
}  // namespace platform::ui

namespace mzblprsx {

class IRgLanguageAccess;
class IRgOptionService;
class RgProjectSnapin;

class frmProjectExplorerDialog final : public platform::ui::Form {
 public:
  static constexpr std::string_view kTypeName = "frmProjectExplorerDialog";

  frmProjectExplorerDialog();
  ~frmProjectExplorerDialog() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// The size the stored position is placed with, in pixels (the form with its border).
  static constexpr int32_t kRestoreWidth = 365;
  static constexpr int32_t kRestoreHeight = 252;

  // Controls
  const Ref<platform::ui::ExplorerControl>& rgpexExplorer() const { return rgpexExplorer_; }
  const Ref<platform::ui::CommandButton>& rgcmdLoad() const { return rgcmdLoad_; }
  const Ref<platform::ui::CommandButton>& rgcmdBlockOpen() const { return rgcmdBlockOpen_; }
  const Ref<platform::ui::CommandButton>& rgcmdBlockProperties() const {
    return rgcmdBlockProperties_;
  }
  const Ref<platform::ui::CommandButton>& rgcmdCancel() const { return rgcmdCancel_; }
  const Ref<platform::ui::CommandButton>& rgcmdSelectAll() const { return rgcmdSelectAll_; }
  const Ref<platform::ui::CommandButton>& rgcmdSelectNone() const { return rgcmdSelectNone_; }

  // Library-internal: what the controllers use.
  /// The snap-in whose options and application the form uses; released at Unload.
  void SetSnapIn(const Ref<RgProjectSnapin>& snapIn) { snapIn_ = snapIn; }
  /// The path of an explorer parameter file: the option "General/Paths/DataDirectory", one "\"
  /// and the file name.
  std::string P_GetPexControlParamFile(const std::string& fileName);
  /// The key of the stored position ("mzblprsx/Download"); "/Left" and "/Top" follow it.
  const std::string& PositionKey() const { return position_.Key(); }
  void SetPositionKey(std::string key) { position_.SetKey(std::move(key)); }
  /// Moves the form to the stored position; nothing without an option service.
  void RestoreDialogPosition();
  /// Stores the form's position; nothing without an option service.
  void SaveDialogPosition();
  /// The handle of the host's main frame window; 0 without an application or host.
  int32_t P_GetMainFrameWnd();
  /// Moves a control to a place given in pixels.
  static void MovePixels(platform::ui::Window& control, int32_t left, int32_t top, int32_t width,
                         int32_t height);

 private:
  void WireEvents();
  Ref<IRgOptionService> P_OptionService();
  void P_SetCaptions();
  void P_SetCaptionOrder();

  void OnActivate() override;
  void OnDeactivate() override;
  void Form_Load();
  void Form_Activate();
  void Form_Deactivate();
  void Form_QueryUnload(int16_t& cancel, int16_t unloadMode);
  void Form_Unload();
  void Form_KeyDown(int16_t& keyCode);

  InstanceTrace trace_{kTypeName};
  Ref<RgProjectSnapin> snapIn_;
  Ref<platform::ui::ExplorerControl> rgpexExplorer_;
  Ref<platform::ui::CommandButton> rgcmdLoad_;
  Ref<platform::ui::CommandButton> rgcmdBlockOpen_;
  Ref<platform::ui::CommandButton> rgcmdBlockProperties_;
  Ref<platform::ui::CommandButton> rgcmdCancel_;
  Ref<platform::ui::CommandButton> rgcmdSelectAll_;
  Ref<platform::ui::CommandButton> rgcmdSelectNone_;
  /// The language module's texts, held from Load to Unload.
  Ref<IRgLanguageAccess> texts_;
  DialogPosition position_;
  /// The window that had the focus when the form was last deactivated; 0 before.
  int32_t lastFocus_ = 0;
  std::vector<platform::ScopedConnection> sinks_;
};

}  // namespace mzblprsx
