// A label: a caption on a form; it never takes the focus.
//
//   auto lbl = form->AddControl<Label>("lblText");
//   lbl->SetCaption("A block with this number exists.");
#pragma once

#include <string>
#include <string_view>

#include "platform/ui/Control.h"

namespace platform::ui {

class Label : public Control {
 public:
  std::string_view TypeName() const override { return "Label"; }
  bool CanFocus() const override { return false; }
  /// The caption as it reads.
  std::string Render() const override { return Caption(); }
};

}  // namespace platform::ui
