// Draws a form as plain text for the terminal: caption, then the controls in rows as they lie on
// the form (top to bottom, left to right), frames with their contents indented, then any message
// tip shown beside the form.
//
//   std::cout << FormRenderer::Render(*form);
//
//   === Block exists ===
//   (o) Rename
//   New:  [FB 11 | Motor2]
//   [OK]*  [All] (disabled)  [Cancel]
//   [tip] Error: The number is taken.
//
// Each control draws itself (Control::Render); the renderer only lays the lines out. Hidden
// controls (and everything in a hidden frame) are left out.
#pragma once

#include <string>

namespace platform::ui {

class Form;

class FormRenderer {
 public:
  /// The form as text, one line per row of controls, each line ending in '\n'.
  static std::string Render(const Form& form);
};

}  // namespace platform::ui
