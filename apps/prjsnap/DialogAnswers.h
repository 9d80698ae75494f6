// The answers that `--answers` (or a line typed at the terminal) gives the overwrite dialog.
//
//   auto answers = DialogAnswers::Parse("rename:12:Motor2:ok,overwrite:all,cancel");
//
// Grammar (words without regard to case; answers separated by ","):
//   ANSWER := "cancel" | "close" | "escape"
//           | ("overwrite" | "ignore") [":" BUTTON]
//           | "rename" [":" NUMBER] [":" NAME] [":" BUTTON]
//   BUTTON := "ok" | "all"                        (default: ok)
//   NUMBER := 1 to 5 digits, or empty to keep the proposed number
//   NAME   := the new symbol of a block or the new name of a category; may be empty (clears
//             the symbol); "\," "\:" and "\\" stand for "," ":" and "\"
// "rename:NAME" takes an all-digit NAME as a number; write "rename::123" for such a name.
//
// Trap: parsing only checks the words; whether the dialog accepts the values (a free number, a
// new name) is the dialog's decision, and it stays open when it does not.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prjsnap {

struct DialogAnswer {
  enum class Choice { kRename, kOverwrite, kIgnore, kCancel, kClose, kEscape };
  enum class Button { kOk, kAll };

  Choice choice = Choice::kCancel;
  std::optional<std::string> number;  ///< digits typed into the new entry's number
  std::optional<std::string> name;    ///< text typed into the new entry's symbol (name)
  Button button = Button::kOk;
  std::string text;  ///< the answer as written, for the log

  /// True for the answers that end the dialog without a choice.
  bool Cancels() const {
    return choice == Choice::kCancel || choice == Choice::kClose || choice == Choice::kEscape;
  }
};

class DialogAnswers {
 public:
  /// The answers of a list; "" gives none. Error 5 (platform::Error) naming the bad answer and
  /// what is wrong with it.
  static std::vector<DialogAnswer> Parse(std::string_view list);
  /// One answer (a line typed at the terminal); error 5 as above.
  static DialogAnswer ParseOne(std::string_view answer);
};

}  // namespace prjsnap
