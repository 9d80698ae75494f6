// A command button: Caption, Enabled, hWnd, a Click event and the default-button look.
//
//   SendMessage(ok->HWnd(), WM_KEYDOWN, VK_RETURN, 0);   // presses it
//   SendMessage(ok->HWnd(), WM_KEYUP, VK_RETURN, 0);     // releases it: Click
//   SendMessage(ok->HWnd(), BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);   // drawn as the default
//
// A key press clicks the button on release: Enter or Space down arms it, the same key up clicks
// it. That is how a caller simulates a click through the button's window, keyboard or not.
//
// Trap: the default look is only what BM_SETSTYLE last said; the button does not decide by itself
// which button is the default (the form's code does).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Signal.h"
#include "platform/ui/Control.h"

namespace platform::ui {

class CommandButton : public Control {
 public:
  std::string_view TypeName() const override { return "CommandButton"; }

  /// The help topic number of the button (what F1 on it would show).
  int32_t HelpContextID() const { return helpContextId_; }
  void SetHelpContextID(int32_t id) { helpContextId_ = id; }

  /// True when the last BM_SETSTYLE made it the default push button.
  bool IsDefaultStyle() const { return style_ == 1; }

  /// "[Caption]", "[Caption]*" for the default, with " (disabled)" when it cannot be pressed.
  std::string Render() const override;

  Signal<>& Click() { return click_; }

 protected:
  int32_t WindowProc(const Message& message) override;
  void OnKeyDown(int16_t keyCode, int16_t shift) override;
  void OnKeyUp(int16_t keyCode, int16_t shift) override;
  void OnMouseClick() override { click_.Emit(); }

 private:
  int32_t style_ = 0;
  int16_t armedKey_ = 0;
  int32_t helpContextId_ = 0;
  Signal<> click_;
};

}  // namespace platform::ui
