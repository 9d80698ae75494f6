// Plays `--select` steps (then lines typed at the terminal) on the selection dialogs that show a
// project tree in an explorer control: download, upload and the block list. It draws the dialog
// as text (the tree with a mark per selected row, the focus row, the buttons) and acts on it as a
// user's hand would: clicks on rows with the modifiers held, keys on the explorer, the buttons.
//
//   ExplorerDialogPlayer player(SelectScript::Parse("none,+FB10,load"), terminal, std::cout);
//   player.Run(form);   // from the modal loop, while the dialog is shown
//
// The dialog decides what a step does; the player only presses. The tree is drawn when the
// dialog opens and before every line asked at the terminal, not after every scripted step, so
// that a script over a large program does not print the tree once per step.
//
// Trap: a step that names a row the dialog does not show cancels the dialog (close box) and is
// kept as Failure(); with no step left and no terminal the dialog is closed the same way.
#pragma once

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "SelectScript.h"

namespace platform::ui {
class ExplorerControl;
class Form;
}  // namespace platform::ui

namespace prjsnap {

class ExplorerDialogPlayer {
 public:
  /// `terminal`: where steps are read once the given ones are used up; nullptr when there is
  /// none. `out` receives the drawn dialog and the steps taken.
  ExplorerDialogPlayer(std::vector<SelectStep> steps, std::istream* terminal, std::ostream& out);

  /// True for a form this player answers (it has the explorer control "rgpexExplorer").
  static bool Answers(platform::ui::Form& form);
  /// Plays steps on the shown form until it is hidden.
  void Run(platform::ui::Form& form);
  /// The dialog as text: caption, one line per row, the buttons that are shown.
  static std::string Draw(platform::ui::Form& form);

  /// What went wrong with a step ("no row 'FB99' in the dialog"); "" when nothing did.
  const std::string& Failure() const { return failure_; }
  /// Dialogs that ended with Cancel, Escape or the close box.
  int32_t Cancelled() const { return cancelled_; }
  /// Given steps not used (yet).
  size_t Remaining() const { return steps_.size(); }

 private:
  /// The next given step, else the steps of a line read at the terminal; nothing when neither
  /// is left.
  std::optional<SelectStep> Next(platform::ui::Form& form);
  /// Acts on the form as the step says; false when the step names no row of the dialog.
  bool Apply(platform::ui::Form& form, platform::ui::ExplorerControl& explorer,
             const SelectStep& step);
  void Close(platform::ui::Form& form);

  std::deque<SelectStep> steps_;
  std::istream* terminal_;
  std::ostream& out_;
  std::string failure_;
  int32_t cancelled_ = 0;
};

}  // namespace prjsnap
