// The modal form shared by the block and the category overwrite dialogs: three exclusive
// choices (rename, overwrite, ignore), an entry for the new number or name, an entry showing the
// existing object, and the buttons OK, All and Cancel.
//
//   auto form = platform::MakeObject<frmProjectDialogOverwrite>();
//   form->Load();                       // a controller fills and presets the controls ...
//   form->ShowDialog(snapIn);           // ... shows it modally, reads ClickedButton() ...
//   form->Unload();                     // ... and unloads it
//
// The form knows nothing about blocks or categories. It owns the keyboard (Escape and the close
// box act as Cancel, Enter clicks the default button), the default-button rules, the message tip
// and the stored screen position ("mzblprsx/Overwrite/Left" and "/Top", in pixels; -1 centres).
// The controllers decide what the buttons do: a Click handler that does not hide the form keeps
// it open.
//
// Trap: every way out goes through a click of OK, All or Cancel (the close box and Escape click
// Cancel), so ClickedButton() is "" only when the form was hidden by other code.
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
class BlockEditBox;
class CommandButton;
class Frame;
class Label;
class MessageSpy;
class MessageTip;
class OptionButton;
}  // namespace platform::ui

namespace mzblprsx {

class RgProjectSnapin;
class RgProjectApplication;
class IRgOptionService;

class frmProjectDialogOverwrite final : public platform::ui::Form {
 public:
  static constexpr std::string_view kTypeName = "frmProjectDialogOverwrite";
  /// The background of an entry whose input was refused (red 255, green 201, blue 201).
  static constexpr int32_t kColorInputError = 13224447;
  /// Option keys of the stored position, in pixels.
  static constexpr std::string_view kKeyLeft = "mzblprsx/Overwrite/Left";
  static constexpr std::string_view kKeyTop = "mzblprsx/Overwrite/Top";
  /// The host application's window kind of its main frame window.
  static constexpr int32_t kMainFrameWindow = DialogPosition::kMainFrameWindow;
  /// The texts a controller writes into ClickedButton().
  static constexpr std::string_view kClickedOK = "OK";
  static constexpr std::string_view kClickedAll = "All";
  static constexpr std::string_view kClickedCancel = "Cancel";

  frmProjectDialogOverwrite();
  ~frmProjectDialogOverwrite() override;
  std::string_view TypeName() const override { return kTypeName; }

  // Controls
  const Ref<platform::ui::Label>& lblText() const { return lblText_; }
  const Ref<platform::ui::Frame>& fraBlockOptions() const { return fraBlockOptions_; }
  const Ref<platform::ui::OptionButton>& rgoptRename() const { return rgoptRename_; }
  const Ref<platform::ui::OptionButton>& rgoptOverwrite() const { return rgoptOverwrite_; }
  const Ref<platform::ui::OptionButton>& rgoptIgnore() const { return rgoptIgnore_; }
  const Ref<platform::ui::Label>& lblNew() const { return lblNew_; }
  const Ref<platform::ui::BlockEditBox>& rgbexNew() const { return rgbexNew_; }
  const Ref<platform::ui::Label>& lblOld() const { return lblOld_; }
  const Ref<platform::ui::BlockEditBox>& rgbexOld() const { return rgbexOld_; }
  const Ref<platform::ui::CommandButton>& cmdOK() const { return cmdOK_; }
  const Ref<platform::ui::CommandButton>& cmdAll() const { return cmdAll_; }
  const Ref<platform::ui::CommandButton>& cmdCancel() const { return cmdCancel_; }

  // Library-internal: what the controllers use.
  /// Owned by the host's main window, placed at the stored position, shown modally with the
  /// wait cursor suspended; the position is stored again when the form was hidden.
  void ShowDialog(const Ref<RgProjectSnapin>& snapIn);
  /// "OK", "All" or "Cancel" as the controller recorded it; anything else counts as Cancel.
  const std::string& ClickedButton() const { return clickedButton_; }
  void SetClickedButton(std::string_view text) { clickedButton_ = std::string(text); }
  /// The message tip beside the form (input errors, information).
  const Ref<platform::ui::MessageTip>& Tip() const { return tip_; }
  /// The current default button; OK from the form's load on.
  const Ref<platform::ui::CommandButton>& DefaultButton() const { return defaultButton_; }
  /// The handle of the host's main frame window; 0 without an application or host.
  int32_t P_GetAppWindowHandle(const Ref<RgProjectApplication>& application);
  /// Moves the form to the stored position; nothing without an option service.
  void P_RestoreDialogPosition(const Ref<IRgOptionService>& options);
  /// Stores the form's position; nothing without an option service.
  void P_SaveDialogPosition(const Ref<IRgOptionService>& options);
  /// Makes a button the default (a disabled All hands the role to OK); hides the tip when the
  /// default changed.
  void P_SetDefaultButton(const Ref<platform::ui::CommandButton>& button);
  /// Presses and releases Enter on the button's window, which clicks an enabled button.
  void P_SimulateButtonClick(const Ref<platform::ui::CommandButton>& button);
  /// The selected choice (rename before overwrite before ignore); nothing when none is.
  Ref<platform::ui::OptionButton> P_GetSelectedOption();
  /// A choice that differs from the one remembered at the last OK or All hides the tip.
  void P_SetSelectedOption(const Ref<platform::ui::OptionButton>& option);

 private:
  Ref<platform::ui::OptionButton> AddOption(const char* name, int32_t top, int16_t tabIndex);
  Ref<platform::ui::CommandButton> AddButton(const char* name, int32_t left, int16_t tabIndex);
  void WireEvents();

  void Form_Load();
  void Form_Activate();
  void Form_Unload();
  void Form_KeyDown(int16_t& keyCode);
  void moMsgSpy_WndProc(int32_t message, int32_t wParam, bool& handled);
  void rgbexNew_KeyDown(int16_t& keyCode);
  void P_OptionGotFocus(const Ref<platform::ui::OptionButton>& option);
  void P_OptionClick(const Ref<platform::ui::OptionButton>& option);
  /// The procedure name of an option's event handler ("rgoptRename_Click").
  std::string P_OptionProcedure(const Ref<platform::ui::OptionButton>& option,
                                std::string_view event) const;

  InstanceTrace trace_{kTypeName};
  Ref<platform::ui::Label> lblText_;
  Ref<platform::ui::Frame> fraBlockOptions_;
  Ref<platform::ui::OptionButton> rgoptRename_;
  Ref<platform::ui::OptionButton> rgoptOverwrite_;
  Ref<platform::ui::OptionButton> rgoptIgnore_;
  Ref<platform::ui::Label> lblNew_;
  Ref<platform::ui::BlockEditBox> rgbexNew_;
  Ref<platform::ui::Label> lblOld_;
  Ref<platform::ui::BlockEditBox> rgbexOld_;
  Ref<platform::ui::CommandButton> cmdOK_;
  Ref<platform::ui::CommandButton> cmdAll_;
  Ref<platform::ui::CommandButton> cmdCancel_;

  Ref<platform::ui::MessageTip> tip_;
  DialogPosition position_{"mzblprsx/Overwrite"};
  Ref<platform::ui::CommandButton> defaultButton_;
  Ref<platform::ui::OptionButton> rememberedOption_;
  int32_t ownerWindow_ = 0;
  std::string clickedButton_;
  int32_t formWidth_ = 0;   // pixels
  int32_t formHeight_ = 0;  // pixels
  int32_t previousFocus_ = 0;
  Ref<platform::ui::MessageSpy> moMsgSpy_;
  platform::ScopedConnection moMsgSpySink_;
  /// True while the entry sends its Enter again, so that an Enter nobody takes is not resent
  /// without end.
  bool resendingEnter_ = false;
  std::vector<platform::ScopedConnection> sinks_;
};

}  // namespace mzblprsx
