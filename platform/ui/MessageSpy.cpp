#include "platform/ui/MessageSpy.h"

#include "platform/Error.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform::ui {

void MessageSpy::SetHWnd(int32_t hwnd) {
  if (hwnd == hwnd_ && (hwnd == 0 || hook_.Connected())) return;
  Ref<Window> window;
  if (hwnd != 0) {
    window = UiState::Current().FromHandle(hwnd);
    if (!window) {
      throw Error(errc::kInvalidCall, "The message spy cannot watch window " +
                                          std::to_string(hwnd) + ": no such window");
    }
  }
  hook_.Disconnect();
  hwnd_ = hwnd;
  if (!window) return;
  hook_ = window->AddMessageHook([this](const Message& m, bool& handled) {
    if (!messages_.contains(m.message)) return;
    wndProc_.Emit(m.message, m.wParam, m.lParam, handled);
  });
}

void MessageSpy::AddMessage(int32_t message, bool watch) {
  if (watch) {
    messages_.insert(message);
  } else {
    messages_.erase(message);
  }
}

}  // namespace platform::ui
