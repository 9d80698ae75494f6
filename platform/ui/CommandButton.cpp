#include "platform/ui/CommandButton.h"

#include "platform/ui/Messages.h"

namespace platform::ui {

std::string CommandButton::Render() const {
  std::string text = "[" + Caption() + "]";
  if (IsDefaultStyle()) text += "*";
  if (!IsUsable()) text += " (disabled)";
  return text;
}

int32_t CommandButton::WindowProc(const Message& message) {
  if (message.message == BM_SETSTYLE) {
    style_ = message.wParam & 0x0F;
    return 0;
  }
  return Control::WindowProc(message);
}

void CommandButton::OnKeyDown(int16_t keyCode, int16_t shift) {
  if (keyCode == VK_RETURN || keyCode == VK_SPACE) {
    armedKey_ = keyCode;
    return;
  }
  Control::OnKeyDown(keyCode, shift);
}

void CommandButton::OnKeyUp(int16_t keyCode, int16_t /*shift*/) {
  if (armedKey_ == 0 || keyCode != armedKey_) return;
  armedKey_ = 0;
  click_.Emit();
}

}  // namespace platform::ui
