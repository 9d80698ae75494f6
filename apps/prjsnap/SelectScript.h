// The steps that `--select` (or a line typed at the terminal) plays on the selection dialogs of
// download, upload and the block list, as a user's hand would.
//
//   auto steps = SelectScript::Parse("none,+FB10,+FC5,load");
//
// Grammar (words without regard to case; steps separated by ","):
//   STEP := "all" | "none"                        click Select All / Select None
//         | ("+" | "-") NAME                      Ctrl+click the row to select / deselect it
//                                                 (nothing when it already is / is not)
//         | [MOD "+"] "click" ":" NAME            press and release the left button on the row
//         | "right" ":" NAME | "dblclick" ":" NAME
//         | [MOD "+"] KEY                         KEY := "up" | "down" | "pgup" | "pgdn" | "space"
//         | "enter" | "load" | "open" | "properties"
//         | "cancel" | "escape" | "close"          the button, the key, the close box
//   MOD  := "shift" | "ctrl"
//   NAME := a row's name as the dialog shows it ("FB10", "Motors", "Station"), compared without
//           regard to case; "\," "\:" and "\\" stand for "," ":" and "\"
//
// Trap: parsing only checks the words; a name that no row of the dialog has is found out when
// the step runs (the dialog is then cancelled, see ExplorerDialogPlayer).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace prjsnap {

struct SelectStep {
  enum class Kind {
    kSelectAll,
    kSelectNone,
    kAdd,          ///< Ctrl+click when the row is not selected
    kRemove,       ///< Ctrl+click when the row is selected
    kClick,        ///< left press and release, with `shift`
    kRightClick,   ///< right press and release
    kDoubleClick,  ///< a double click on the row
    kKey,          ///< `key` pressed with `shift` on the explorer
    kButton,       ///< click the button named `button`
    kEscape,
    kClose,
  };

  Kind kind = Kind::kClose;
  std::string name;    ///< the row of kAdd, kRemove and the clicks
  int32_t key = 0;     ///< the virtual key of kKey
  int16_t shift = 0;   ///< 1 Shift, 2 Ctrl
  std::string button;  ///< the control of kButton ("rgcmdLoad")
  std::string text;    ///< the step as written, for the log

  /// True for the steps that end a dialog when it takes them (a button, Enter, Escape, the
  /// close box, a double click).
  bool Ends() const;
};

class SelectScript {
 public:
  /// The steps of a list; "" gives none. Error 5 (platform::Error) naming the bad step and what
  /// is wrong with it.
  static std::vector<SelectStep> Parse(std::string_view list);
  /// The steps of one line typed at the terminal (a list too); error 5 as above.
  static std::vector<SelectStep> ParseLine(std::string_view line) { return Parse(line); }
};

}  // namespace prjsnap
