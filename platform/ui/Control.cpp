#include "platform/ui/Control.h"

#include "platform/ui/Form.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiState.h"

namespace platform::ui {

Form* Control::ParentForm() const {
  return dynamic_cast<Form*>(const_cast<Window*>(TopLevel()));
}

bool Control::SetFocus() {
  if (!IsFocusable()) return false;
  Ui().SetFocus(HWnd());
  return HasFocus();
}

bool Control::MouseClick() {
  if (!IsShown() || !IsUsable()) return false;
  const auto keepAlive = weak_from_this().lock();
  if (CanFocus()) SetFocus();
  // A GotFocus handler may have hidden or disabled us (or closed the form).
  if (!IsShown() || !IsUsable()) return true;
  OnMouseClick();
  return true;
}

int32_t Control::WindowProc(const Message& message) {
  switch (message.message) {
    case WM_SETFOCUS:
      gotFocus_.Emit();
      return 0;
    case WM_KILLFOCUS:
      lostFocus_.Emit();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      if (!IsShown() || !IsUsable()) return 0;
      auto key = static_cast<int16_t>(message.wParam);
      const int16_t shift = Ui().ShiftState();
      if (message.message == WM_KEYDOWN) {
        keyDown_.Emit(key, shift);
        if (key != 0) OnKeyDown(key, shift);
      } else {
        keyUp_.Emit(key, shift);
        if (key != 0) OnKeyUp(key, shift);
      }
      return 0;
    }
    default:
      return Window::WindowProc(message);
  }
}

void Control::OnKeyDown(int16_t keyCode, int16_t shift) {
  if (keyCode != VK_TAB) return;
  if (Form* form = ParentForm()) form->FocusNextControl(this, (shift & kShiftMask) == 0);
}

}  // namespace platform::ui
