#include "platform/ui/MessageTip.h"

#include "platform/Error.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform::ui {

void MessageTip::AttachTip(int32_t hwnd) {
  auto& ui = UiState::Current();
  if (hwnd != 0 && !ui.FromHandle(hwnd)) {
    throw Error(errc::kInvalidCall, "The message tip cannot attach to window " +
                                        std::to_string(hwnd) + ": no such window");
  }
  hwnd_ = hwnd;
  if (auto self = weak_from_this().lock()) {
    ui.NoteTip(std::shared_ptr<MessageTip>(self, this));
  }
}

void MessageTip::SetTipText(int16_t kind, std::string text) {
  if (kind != kInputError && kind != kInformation) {
    throw Error(errc::kInvalidCall, "Unknown message tip kind " + std::to_string(kind));
  }
  kind_ = kind;
  text_ = std::move(text);
}

bool MessageTip::IsVisible() const {
  if (!shown_ || hwnd_ == 0) return false;
  const auto window = UiState::Current().FromHandle(hwnd_);
  return window && window->IsShown();
}

std::string MessageTip::Render() const {
  return (kind_ == kInputError ? "Error: " : "Information: ") + text_;
}

}  // namespace platform::ui
