// The modal loop of prjsnap: draws the overwrite dialog as text and acts on its controls with
// the answers of `--answers`, then with lines typed at the terminal. The selection dialogs
// (download, upload, block list) go to an ExplorerDialogPlayer with the steps of `--select`.
//
//   auto loop = platform::MakeObject<TerminalModalLoop>(answers, isatty(0) ? &std::cin : nullptr,
//                                                      std::cout);
//   platform::ui::UiState::Current().SetModalLoop(loop);   // on the application's thread
//
// An answer works like the user's hand: it clicks the choice, types the new number and name,
// clicks OK or All. The dialog decides; when it refuses the input (a taken number, a blank
// name) it stays open with its tip, is drawn again and takes the next answer.
//
// Trap: with no answer left and no terminal to ask, the dialog is closed with its close box
// (the user's cancel), never waited on.
#pragma once

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <vector>

#include "DialogAnswers.h"
#include "ExplorerDialogPlayer.h"
#include "SelectScript.h"
#include "platform/ui/IModalLoop.h"

namespace prjsnap {

class TerminalModalLoop : public platform::ui::IModalLoop {
 public:
  /// `terminal`: where answers are read once the given ones are used up; nullptr when there is
  /// none. `out` receives the drawn dialog, the answers taken and what they did.
  /// `steps`: what the selection dialogs are given.
  TerminalModalLoop(std::vector<DialogAnswer> answers, std::istream* terminal, std::ostream& out,
                    std::vector<SelectStep> steps = {});
  std::string_view TypeName() const override { return "TerminalModalLoop"; }

  void Run(platform::ui::Form& form) override;

  /// Dialogs shown so far.
  int32_t Shown() const { return shown_; }
  /// Dialogs that ended with Cancel, the close box or Escape.
  int32_t Cancelled() const { return cancelled_; }
  /// Given answers not used (yet).
  size_t Remaining() const { return answers_.size(); }
  /// The player of the selection dialogs (what its steps did, what went wrong).
  const ExplorerDialogPlayer& Selection() const { return selection_; }

 private:
  /// The next given answer, else one read at the terminal; nothing when neither is left.
  std::optional<DialogAnswer> Next();
  /// Acts on the form as the answer says.
  void Apply(platform::ui::Form& form, const DialogAnswer& answer);

  std::deque<DialogAnswer> answers_;
  std::istream* terminal_;
  std::ostream& out_;
  ExplorerDialogPlayer selection_;
  int32_t shown_ = 0;
  int32_t cancelled_ = 0;
};

}  // namespace prjsnap
