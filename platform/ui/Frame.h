// A frame: a captioned container of controls. Option buttons are exclusive within their
// container, so a frame forms one group of choices.
//
//   auto fra = form->AddControl<Frame>("fraOptions");
//   auto opt = form->AddControl<OptionButton>("optA", fra.Get());
//
// Trap: hiding or disabling a frame hides or disables everything in it (and drops a focus there).
#pragma once

#include <string>
#include <string_view>

#include "platform/ui/Control.h"

namespace platform::ui {

class Frame : public Control {
 public:
  std::string_view TypeName() const override { return "Frame"; }
  bool CanFocus() const override { return false; }
  /// The caption line; the renderer draws the contents beneath it.
  std::string Render() const override { return Caption().empty() ? "" : "-- " + Caption() + " --"; }
};

}  // namespace platform::ui
