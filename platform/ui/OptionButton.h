// An option button: one of a group of exclusive choices (the option buttons of one container).
//
//   opt->SetValue(true);     // clears the others of its container and raises Click
//   opt->MouseClick();       // the user's click: focus (GotFocus), then select and Click
//
// Click is raised when the user clicks the button (selected or not), and when code changes Value
// from False to True; clearing Value raises nothing. Space selects the focused button; the arrow
// keys move the focus and the selection to the next usable button of the group.
//
// Trap: exclusivity follows the container, not the tab order: buttons on the form itself and
// buttons in a frame are two groups.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Signal.h"
#include "platform/ui/Control.h"

namespace platform::ui {

class OptionButton : public Control {
 public:
  std::string_view TypeName() const override { return "OptionButton"; }

  /// True when this choice is selected.
  bool Value() const { return value_; }
  void SetValue(bool value);

  /// "(o) Caption" or "( ) Caption", with " (disabled)" when the user cannot choose it.
  std::string Render() const override;

  Signal<>& Click() { return click_; }

 protected:
  void OnMouseClick() override;
  void OnKeyDown(int16_t keyCode, int16_t shift) override;

 private:
  /// The option buttons of the same container, this one included, in creation order.
  std::vector<OptionButton*> Group() const;
  void Select(bool raiseClick);

  bool value_ = false;
  Signal<> click_;
};

}  // namespace platform::ui
