// A modal loop that plays a script of user actions: for tests, and for answers given in a file.
//
//   auto loop = MakeObject<ScriptedModalLoop>();
//   loop->Click("rgoptRename").TypeNumber("rgbexNew", "12").PressKey(VK_RETURN);
//   UiState::Current().SetModalLoop(loop);
//   form->Show(true);   // runs the actions until the form is hidden
//
// Each action works on the form being shown, as a user would: a click focuses the control first;
// typing focuses the entry, then types; keys go through the keyboard (key preview first). Actions
// on a hidden or disabled control do nothing, as for a user, and the log says so. A form shown
// modally from a handler runs the following actions of the same script.
//
// Trap: the script must close the form. Running out of actions while the form is shown is an
// error (never a wait), and so is an action that names a control the form does not have.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/IModalLoop.h"

namespace platform::ui {

class Control;

class ScriptedModalLoop : public IModalLoop {
 public:
  std::string_view TypeName() const override { return "ScriptedModalLoop"; }

  /// The user clicks the control (focus, then its click).
  ScriptedModalLoop& Click(std::string control);
  /// The user moves the focus to the control (e.g. with the mouse, without clicking it).
  ScriptedModalLoop& Focus(std::string control);
  /// The user types the symbol (name) part of a block entry.
  ScriptedModalLoop& TypeText(std::string control, std::string text);
  /// The user types the number part of a block entry (as typed: "12", "", "99x").
  ScriptedModalLoop& TypeNumber(std::string control, std::string digits);
  /// The user presses a key (with modifiers 1 Shift, 2 Ctrl, 4 Alt) on the focused control.
  ScriptedModalLoop& PressKey(int32_t virtualKey, int16_t shift = 0);
  /// The user types a send-keys text.
  ScriptedModalLoop& SendKeys(std::string keys);
  /// The user clicks the form's close box.
  ScriptedModalLoop& CloseBox();
  /// The user presses Alt+F4.
  ScriptedModalLoop& AltF4();
  /// Any step of a test (look at or change the form while it is shown).
  ScriptedModalLoop& Do(std::string description, std::function<void(Form&)> step);

  /// Actions not yet run.
  size_t Remaining() const { return actions_.size(); }
  /// One line per action run: "<form caption>: <action>", with "(ignored)" when it did nothing.
  const std::vector<std::string>& Log() const { return log_; }

  void Run(Form& form) override;

 private:
  struct Action {
    std::string description;
    /// Runs the action; false when it did nothing (hidden or disabled control).
    std::function<bool(Form&)> run;
  };
  ScriptedModalLoop& Add(std::string description, std::function<bool(Form&)> run);

  std::deque<Action> actions_;
  std::vector<std::string> log_;
};

}  // namespace platform::ui
