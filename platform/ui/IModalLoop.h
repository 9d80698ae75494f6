// What a modal form hands control to while it is shown: the application's message loop.
//
//   UiState::Current().SetModalLoop(MakeObject<ScriptedModalLoop>());   // tests
//   form->Show(true);                                                    // calls Run(*form)
//
// The application supplies the loop: tests script it, the command line answers on a terminal or
// from a file. Run delivers the user's actions to the form and returns once the form is hidden.
//
// Trap: Run must not return while the form is still shown (Show reports that as an error), and
// must fail rather than wait when it has no more input.
#pragma once

#include "platform/Object.h"

namespace platform::ui {

class Form;

class IModalLoop : public virtual Object {
 public:
  /// Delivers the user's actions to the form until it is hidden; may be entered again for a
  /// form shown modally from one of this form's handlers.
  virtual void Run(Form& form) = 0;
};

}  // namespace platform::ui
