#include "platform/ui/WindowApi.h"

#include "platform/ui/Keyboard.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform::ui {

int32_t GetFocus() {
  return UiState::Current().Focus();
}

int32_t SetFocus(int32_t hwnd) {
  return UiState::Current().SetFocus(hwnd);
}

int32_t SendMessage(int32_t hwnd, int32_t message, int32_t wParam, int32_t lParam) {
  const auto window = UiState::Current().FromHandle(hwnd);
  return window ? window->SendMessage(message, wParam, lParam) : 0;
}

int32_t SetWindowLong(int32_t hwnd, int32_t index, int32_t value) {
  auto& ui = UiState::Current();
  const auto window = ui.FromHandle(hwnd);
  if (!window || index != GWL_HWNDPARENT) return 0;
  const int32_t previous = window->Owner();
  // An owner that is no window (or the window itself) would make a loop or a dangling owner.
  if (value != 0 && (value == hwnd || !ui.FromHandle(value))) return 0;
  window->SetOwner(value);
  return previous;
}

int32_t GetWindowLong(int32_t hwnd, int32_t index) {
  const auto window = UiState::Current().FromHandle(hwnd);
  if (!window || index != GWL_HWNDPARENT) return 0;
  return window->Owner();
}

bool IsWindow(int32_t hwnd) {
  return static_cast<bool>(UiState::Current().FromHandle(hwnd));
}

int16_t GetKeyState(int32_t virtualKey) {
  return UiState::Current().KeyState(virtualKey);
}

void SendKeys(std::string_view keys, bool wait) {
  Keyboard::SendKeys(keys, wait);
}

void DoEvents() {
  Keyboard::DoEvents();
}

}  // namespace platform::ui
