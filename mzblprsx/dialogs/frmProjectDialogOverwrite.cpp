#include "mzblprsx/dialogs/frmProjectDialogOverwrite.h"

#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/dialogs/DialogPosition.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/MessageSpy.h"
#include "platform/ui/MessageTip.h"
#include "platform/ui/Messages.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WindowApi.h"

namespace mzblprsx {
namespace ui = platform::ui;

namespace {

// Layout in twips (client area 4740 x 3645); the captions come from the controllers.
constexpr int32_t kFormWidth = 4740;
constexpr int32_t kFormHeight = 3645;
constexpr int32_t kOptionLeft = 0;
constexpr int32_t kOptionWidth = 3435;
constexpr int32_t kOptionHeight = 240;
constexpr int32_t kButtonTop = 3030;
constexpr int32_t kButtonWidth = 1095;
constexpr int32_t kButtonHeight = 345;

/// Clicks and focus changes come back to the form through the platform's messages; a handler
/// may release the last outside reference to the form, so each keeps it alive while it runs.
template <class Fn>
auto KeepingAlive(frmProjectDialogOverwrite* form, Fn fn) {
  return [form, fn = std::move(fn)](auto&&... args) {
    const auto keepAlive = form->weak_from_this().lock();
    fn(std::forward<decltype(args)>(args)...);
  };
}

}  // namespace

frmProjectDialogOverwrite::frmProjectDialogOverwrite()
    : tip_(platform::MakeObject<ui::MessageTip>()) {
  Move(0, 0, kFormWidth, kFormHeight);
  // The form sees every key before the focused control: Escape and Enter are the form's.
  SetKeyPreview(true);

  lblText_ = AddControl<ui::Label>("lblText");
  lblText_->Move(120, 120, 4575, 615);
  lblText_->SetTabIndex(0);
  fraBlockOptions_ = AddControl<ui::Frame>("fraBlockOptions");
  fraBlockOptions_->Move(120, 840, 4575, 2175);
  fraBlockOptions_->SetTabIndex(1);
  rgoptRename_ = AddOption("rgoptRename", 60, 2);
  rgoptOverwrite_ = AddOption("rgoptOverwrite", 1320, 3);
  rgoptIgnore_ = AddOption("rgoptIgnore", 1740, 4);
  lblNew_ = AddControl<ui::Label>("lblNew", fraBlockOptions_.Get());
  lblNew_->Move(420, 420, 735, 195);
  lblNew_->SetTabIndex(5);
  rgbexNew_ = AddControl<ui::BlockEditBox>("rgbexNew", fraBlockOptions_.Get());
  rgbexNew_->Move(1200, 360, 3315, 315);
  rgbexNew_->SetTabIndex(6);
  lblOld_ = AddControl<ui::Label>("lblOld", fraBlockOptions_.Get());
  lblOld_->Move(420, 900, 735, 195);
  lblOld_->SetTabIndex(7);
  rgbexOld_ = AddControl<ui::BlockEditBox>("rgbexOld", fraBlockOptions_.Get());
  rgbexOld_->Move(1200, 840, 3315, 315);
  rgbexOld_->SetTabIndex(8);
  cmdOK_ = AddButton("cmdOK", 60, 9);
  cmdAll_ = AddButton("cmdAll", 1800, 10);
  cmdCancel_ = AddButton("cmdCancel", 3540, 11);

  WireEvents();
}

frmProjectDialogOverwrite::~frmProjectDialogOverwrite() = default;

Ref<ui::OptionButton> frmProjectDialogOverwrite::AddOption(const char* name, int32_t top,
                                                           int16_t tabIndex) {
  auto option = AddControl<ui::OptionButton>(name, fraBlockOptions_.Get());
  option->Move(kOptionLeft, top, kOptionWidth, kOptionHeight);
  option->SetTabIndex(tabIndex);
  return option;
}

Ref<ui::CommandButton> frmProjectDialogOverwrite::AddButton(const char* name, int32_t left,
                                                            int16_t tabIndex) {
  auto button = AddControl<ui::CommandButton>(name);
  button->Move(left, kButtonTop, kButtonWidth, kButtonHeight);
  button->SetTabIndex(tabIndex);
  return button;
}

void frmProjectDialogOverwrite::WireEvents() {
  // The form owns its controls and the controls' signals, so `this` outlives every handler.
  sinks_.emplace_back(LoadEvent().Connect([this] { Form_Load(); }));
  sinks_.emplace_back(ActivateEvent().Connect([this] { Form_Activate(); }));
  sinks_.emplace_back(UnloadEvent().Connect([this](int16_t&) { Form_Unload(); }));
  sinks_.emplace_back(KeyDown().Connect([this](int16_t& key, int16_t) { Form_KeyDown(key); }));
  sinks_.emplace_back(rgbexNew_->KeyDown().Connect(
      KeepingAlive(this, [this](int16_t& key, int16_t) { rgbexNew_KeyDown(key); })));

  // Focus decides the default button: the entry stands for OK.
  const auto defaultOnFocus = [this](const Ref<ui::Control>& control,
                                     const Ref<ui::CommandButton>& button, const char* procedure) {
    sinks_.emplace_back(control->GotFocus().Connect(KeepingAlive(this, [this, button, procedure] {
      Guard(*this, procedure, [&] { P_SetDefaultButton(button); });
    })));
  };
  defaultOnFocus(cmdOK_, cmdOK_, "cmdOK_GotFocus");
  defaultOnFocus(rgbexNew_, cmdOK_, "rgbexNew_GotFocus");
  defaultOnFocus(cmdAll_, cmdAll_, "cmdAll_GotFocus");
  defaultOnFocus(cmdCancel_, cmdCancel_, "cmdCancel_GotFocus");

  for (const auto& option : {rgoptRename_, rgoptOverwrite_, rgoptIgnore_}) {
    sinks_.emplace_back(option->GotFocus().Connect(
        KeepingAlive(this, [this, option] { P_OptionGotFocus(option); })));
    sinks_.emplace_back(
        option->Click().Connect(KeepingAlive(this, [this, option] { P_OptionClick(option); })));
  }

  // OK and All remember the choice they were clicked with, so that moving to another choice
  // afterwards takes back the message that choice earned.
  for (const auto& button : {cmdOK_, cmdAll_}) {
    const char* procedure = platform::SameObject(button, cmdOK_) ? "cmdOK_Click" : "cmdAll_Click";
    sinks_.emplace_back(button->Click().Connect(KeepingAlive(this, [this, procedure] {
      Guard(*this, procedure, [&] { rememberedOption_ = P_GetSelectedOption(); });
    })));
  }
}

void frmProjectDialogOverwrite::ShowDialog(const Ref<RgProjectSnapin>& snapIn) {
  Guard(*this, "ShowDialog", [&] {
    const Ref<RgProjectApplication> application = snapIn->Application();
    ownerWindow_ = P_GetAppWindowHandle(application);
    const Ref<RgProjectServices> services = snapIn->Services();
    const auto options =
        services ? services->RgOptionService().As<IRgOptionService>() : Ref<IRgOptionService>();
    P_RestoreDialogPosition(options);
    DialogPosition::ShowModal(*this, application);
    P_SaveDialogPosition(options);
  });
}

int32_t frmProjectDialogOverwrite::P_GetAppWindowHandle(
    const Ref<RgProjectApplication>& application) {
  int32_t result = 0;
  Guard(*this, "P_GetAppWindowHandle",
        [&] { result = DialogPosition::MainFrameWindow(application); });
  return result;
}

void frmProjectDialogOverwrite::P_RestoreDialogPosition(const Ref<IRgOptionService>& options) {
  Guard(*this, "P_RestoreDialogPosition",
        [&] { position_.Restore(*this, options, formWidth_, formHeight_); });
}

void frmProjectDialogOverwrite::P_SaveDialogPosition(const Ref<IRgOptionService>& options) {
  Guard(*this, "P_SaveDialogPosition", [&] { position_.Save(*this, options); });
}

void frmProjectDialogOverwrite::P_SetDefaultButton(const Ref<ui::CommandButton>& button) {
  Guard(*this, "P_SetDefaultButton", [&] {
    bool changed = true;
    if (defaultButton_) {
      changed = !platform::SameObject(button, defaultButton_);
      ui::SendMessage(defaultButton_->HWnd(), ui::BM_SETSTYLE, ui::BS_PUSHBUTTON, 1);
    }
    // A disabled All cannot be the default: Enter would do nothing. OK stands in for it.
    if (!cmdAll_->Enabled() && platform::SameObject(button, cmdAll_)) {
      changed = !platform::SameObject(cmdOK_, defaultButton_);
      defaultButton_ = cmdOK_;
    } else {
      defaultButton_ = button;
    }
    ui::SendMessage(defaultButton_->HWnd(), ui::BM_SETSTYLE, ui::BS_DEFPUSHBUTTON, 1);
    if (changed) tip_->HideTip();
  });
}

void frmProjectDialogOverwrite::P_SimulateButtonClick(const Ref<ui::CommandButton>& button) {
  Guard(*this, "P_SimulateButtonClick", [&] {
    const int32_t hwnd = button->HWnd();
    ui::SendMessage(hwnd, ui::WM_KEYDOWN, ui::VK_RETURN, 0);
    ui::SendMessage(hwnd, ui::WM_KEYUP, ui::VK_RETURN, 0);
  });
}

Ref<ui::OptionButton> frmProjectDialogOverwrite::P_GetSelectedOption() {
  Ref<ui::OptionButton> result;
  Guard(*this, "P_GetSelectedOption", [&] {
    for (const auto& option : {rgoptRename_, rgoptOverwrite_, rgoptIgnore_}) {
      if (option->Value()) {
        result = option;
        return;
      }
    }
  });
  return result;
}

void frmProjectDialogOverwrite::P_SetSelectedOption(const Ref<ui::OptionButton>& option) {
  Guard(*this, "P_SetSelectedOption", [&] {
    if (!rememberedOption_ || platform::SameObject(option, rememberedOption_)) return;
    tip_->HideTip();
    rememberedOption_ = option;
  });
}

void frmProjectDialogOverwrite::Form_Load() {
  Guard(*this, "Form_Load", [&] {
    previousFocus_ = ui::GetFocus();
    const auto& screen = ui::UiState::Current();
    formWidth_ = DialogPosition::ToPixels(Width(), screen.TwipsPerPixelX());
    formHeight_ = DialogPosition::ToPixels(Height(), screen.TwipsPerPixelY());
    tip_->AttachTip(HWnd());
    tip_->HideTip();
    moMsgSpy_ = platform::MakeObject<ui::MessageSpy>();
    moMsgSpySink_ = moMsgSpy_->WndProc().Connect(
        KeepingAlive(this, [this](int32_t message, int32_t wParam, int32_t, bool& handled) {
          moMsgSpy_WndProc(message, wParam, handled);
        }));
    moMsgSpy_->SetHWnd(HWnd());
    moMsgSpy_->AddMessage(ui::WM_SYSCOMMAND, true);
    // OK is the default from the start. Otherwise the first focus of the shown form would make
    // it the default, count as a change and hide an information the controller put in the tip
    // before the user could read it.
    P_SetDefaultButton(cmdOK_);
  });
}

void frmProjectDialogOverwrite::Form_Activate() {
  Guard(*this, "Form_Activate", [&] {
    if (ownerWindow_ != 0) ui::SetWindowLong(HWnd(), ui::GWL_HWNDPARENT, ownerWindow_);
  });
}

void frmProjectDialogOverwrite::Form_Unload() {
  Guard(*this, "Form_Unload", [&] {
    ui::SetFocus(previousFocus_);
    moMsgSpySink_.Disconnect();
    moMsgSpy_.Reset();
  });
}

void frmProjectDialogOverwrite::Form_KeyDown(int16_t& keyCode) {
  Guard(*this, "Form_KeyDown", [&] {
    if (keyCode == ui::VK_ESCAPE) {
      keyCode = 0;
      P_SimulateButtonClick(cmdCancel_);
    } else if (keyCode == ui::VK_RETURN && defaultButton_) {
      keyCode = 0;
      P_SimulateButtonClick(defaultButton_);
    }
  });
}

void frmProjectDialogOverwrite::moMsgSpy_WndProc(int32_t message, int32_t wParam, bool& handled) {
  Guard(*this, "moMsgSpy_WndProc", [&] {
    if (message != ui::WM_SYSCOMMAND || wParam != ui::SC_CLOSE) return;
    // The close box and Alt+F4 must not unload the form behind the controller's back.
    handled = true;
    P_SimulateButtonClick(cmdCancel_);
  });
}

void frmProjectDialogOverwrite::rgbexNew_KeyDown(int16_t& keyCode) {
  Guard(*this, "rgbexNew_KeyDown", [&] {
    if (keyCode != ui::VK_RETURN) return;
    keyCode = 0;
    // The entry keeps Enter to itself; typed again, it reaches the form's Enter handling.
    if (resendingEnter_) return;
    resendingEnter_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{resendingEnter_};
    ui::SendKeys("{ENTER}", true);
  });
}

std::string frmProjectDialogOverwrite::P_OptionProcedure(const Ref<ui::OptionButton>& option,
                                                         std::string_view event) const {
  return option->Name() + std::string(event);
}

void frmProjectDialogOverwrite::P_OptionGotFocus(const Ref<ui::OptionButton>& option) {
  Guard(*this, P_OptionProcedure(option, "_GotFocus"), [&] {
    const bool keep = defaultButton_ && (platform::SameObject(defaultButton_, cmdOK_) ||
                                         platform::SameObject(defaultButton_, cmdAll_));
    P_SetDefaultButton(keep ? defaultButton_ : cmdOK_);
    P_SetSelectedOption(option);
  });
}

void frmProjectDialogOverwrite::P_OptionClick(const Ref<ui::OptionButton>& option) {
  Guard(*this, P_OptionProcedure(option, "_Click"), [&] {
    if (rgoptRename_->Value()) {
      rgbexNew_->SetEnabled(true);
      cmdAll_->SetEnabled(false);
    } else if (rgoptOverwrite_->Value() || rgoptIgnore_->Value()) {
      rgbexNew_->SetEnabled(false);
      cmdAll_->SetEnabled(true);
    }
    // Re-applied, a default on the now disabled All moves to OK.
    if (defaultButton_) P_SetDefaultButton(defaultButton_);
  });
}

}  // namespace mzblprsx
