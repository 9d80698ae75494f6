// The overwrite dialogs over the reference host: a snap-in with the conveyor sample open, a
// scripted modal loop that plays the user, and a compact text of the dialog's state.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/SnapInFixture.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "mzblprsx/dialogs/LprsDialogOverwriteBlock.h"
#include "mzblprsx/dialogs/LprsDialogOverwriteCategory.h"
#include "mzblprsx/dialogs/frmProjectDialogOverwrite.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/MessageTip.h"
#include "platform/ui/Messages.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/ScriptedModalLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowApi.h"

namespace dialogtest {

using mzblprsx::frmProjectDialogOverwrite;
using platform::MakeObject;
using platform::Ref;
namespace ui = platform::ui;

// Block type codes of the host's block information object.
inline constexpr int32_t kFB = 10, kSFB = 11, kSFC = 13, kSDB = 15;

/// Result codes of both overwrite dialogs.
enum Result : int32_t { kCancel, kOverwrite, kRename, kOverwriteAll, kIgnore, kIgnoreAll };

/// A snap-in in the reference host whose dialogs the scripted loop answers; the user works in
/// the main window when a dialog comes up.
class ScriptedDialogFixture : public mztest::SnapInFixture {
 protected:
  /// Called by SetUp once the project is open.
  void ScriptTheUser() {
    auto& state = ui::UiState::Current();
    state.SetScreen(1280, 1024, 15);
    state.SetModalLoop(loop);
    ui::SetFocus(MainWindow());
  }
  void TearDown() override {
    ui::UiState::Current().SetModalLoop(nullptr);
    mztest::SnapInFixture::TearDown();
  }
  /// A fresh script, for a table whose every row shows the dialog.
  void NewScript() {
    loop = MakeObject<ui::ScriptedModalLoop>();
    ui::UiState::Current().SetModalLoop(loop);
  }
  int32_t MainWindow() { return env.Application().MainWindow()->HWnd(); }
  /// Descriptions of the errors the error service received.
  std::string ErrorTexts() const {
    std::string out;
    for (const auto& r : env.Errors().Reports()) out += r.source + ": " + r.description + "\n";
    return out;
  }

  Ref<ui::ScriptedModalLoop> loop = MakeObject<ui::ScriptedModalLoop>();
  std::vector<std::string> looks;
};

/// The shown form as the overwrite dialog (the scripted loop hands steps the plain form).
inline frmProjectDialogOverwrite& Dialog(ui::Form& form) {
  return dynamic_cast<frmProjectDialogOverwrite&>(form);
}

/// The visible message tip ("Error: ..."), or `none`.
inline std::string TipOf(frmProjectDialogOverwrite& f, const std::string& none = "-") {
  return f.Tip()->IsVisible() ? f.Tip()->Render() : none;
}

/// "enabled=rename,overwrite choice=rename new=on all=off default=OK tip=-": which choices can
/// be taken, the selected one, whether the new entry and All can be used, the default button's
/// caption and the visible message tip.
inline std::string State(frmProjectDialogOverwrite& f) {
  std::string enabled;
  std::string choice = "none";
  const std::pair<const char*, Ref<ui::OptionButton>> options[] = {
      {"rename", f.rgoptRename()}, {"overwrite", f.rgoptOverwrite()}, {"ignore", f.rgoptIgnore()}};
  for (const auto& [name, option] : options) {
    if (option->Enabled()) enabled += (enabled.empty() ? "" : ",") + std::string(name);
    if (option->Value()) choice = name;
  }
  const auto& def = f.DefaultButton();
  return "enabled=" + enabled + " choice=" + choice +
         " new=" + (f.rgbexNew()->Enabled() ? "on" : "off") +
         " all=" + (f.cmdAll()->Enabled() ? "on" : "off") +
         " default=" + (def ? def->Caption() : "none") + " tip=" + TipOf(f);
}

class DialogFixture : public ScriptedDialogFixture {
 protected:
  void SetUp() override {
    Start();
    Initialized();
    env.OpenProject(mztest::SampleFile("conveyor.prj.xml"));
    ScriptTheUser();
  }

  Ref<platform::Object> Program() { return env.Project()->Program(); }
  std::string Text(int32_t id) { return snapIn->GetStaticText(id); }

  /// The block dialog for a conflict of a block with `number` and `symbol`, proposing
  /// `newNumber` and `newSymbol`; number and symbol keep what the dialog gave back.
  int32_t ShowBlock(int32_t type, int32_t mode, int32_t newNumber = 12,
                    const std::string& newSymbol = "Motor (1)") {
    auto dialog = MakeObject<mzblprsx::LprsDialogOverwriteBlock>();
    return dialog->ShowDialogBlockOverwrite(snapIn, type, number, symbol, newNumber, newSymbol,
                                            mode);
  }
  /// The pasted FB10 "Motor" meets the project's FB10.
  int32_t ShowFB10(int32_t mode) {
    number = 10;
    symbol = "Motor";
    return ShowBlock(kFB, mode);
  }

  /// The category dialog for the conflicting `categoryName` of the sample's program.
  int32_t ShowCategory(int32_t mode) {
    auto dialog = MakeObject<mzblprsx::LprsDialogOverwriteCategory>();
    int32_t result = -1;
    dialog->ShowDialogCategoryOverwrite(snapIn, Program(), categoryName, mode, result);
    return result;
  }

  /// Notes the dialog's State when the script reaches this step.
  ui::ScriptedModalLoop& Look() {
    return loop->Do("look", [this](ui::Form& form) { looks.push_back(State(Dialog(form))); });
  }
  /// Notes what `what` makes of the dialog at this step.
  ui::ScriptedModalLoop& Look(std::function<std::string(frmProjectDialogOverwrite&)> what) {
    return loop->Do("look", [this, what = std::move(what)](ui::Form& form) {
      looks.push_back(what(Dialog(form)));
    });
  }

  int32_t number = 0;
  std::string symbol;
  std::string categoryName = "Motors";
};

}  // namespace dialogtest
