#include "platform/ui/UiState.h"

#include <algorithm>
#include <atomic>

#include "platform/ui/MessageTip.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

namespace platform::ui {

namespace {
// Process-wide, so that handles of two threads never coincide; even numbers as the platform's.
std::atomic<int32_t> nextHandle{0x00010010};
}  // namespace

UiState& UiState::Current() {
  return *CurrentShared();
}

std::shared_ptr<UiState> UiState::CurrentShared() {
  thread_local std::shared_ptr<UiState> state = std::make_shared<UiState>();
  return state;
}

int32_t UiState::Register(Window* window) {
  const int32_t hwnd = nextHandle.fetch_add(2);
  windows_[hwnd] = window;
  return hwnd;
}

void UiState::Unregister(int32_t hwnd) {
  windows_.erase(hwnd);
  if (active_ == hwnd) active_ = 0;
}

Ref<Window> UiState::FromHandle(int32_t hwnd) const {
  const auto it = windows_.find(hwnd);
  if (it == windows_.end()) return {};
  auto alive = it->second->weak_from_this().lock();
  if (!alive) return {};
  return Ref<Window>(std::shared_ptr<Window>(alive, it->second));
}

int32_t UiState::SetFocus(int32_t hwnd) {
  const int32_t previous = focus_;
  Ref<Window> target;
  if (hwnd != 0) {
    target = FromHandle(hwnd);
    if (!target || !target->IsShown() || !target->IsUsable()) return 0;
    Window* top = target->TopLevel();
    if (top->HWnd() != active_) Activate(*top);
    // An Activate handler may have moved the focus itself; the caller's wish still wins.
  }
  if (focus_ == hwnd) return previous;
  const int32_t old = focus_;
  focus_ = hwnd;
  if (auto oldWindow = FromHandle(old)) oldWindow->SendMessage(WM_KILLFOCUS, hwnd, 0);
  if (target && focus_ == hwnd) target->SendMessage(WM_SETFOCUS, old, 0);
  return previous;
}

void UiState::Activate(Window& topLevel) {
  if (active_ == topLevel.HWnd()) return;
  if (auto old = FromHandle(active_)) {
    active_ = 0;
    old->OnDeactivate();
  }
  active_ = topLevel.HWnd();
  topLevel.OnActivate();
}

void UiState::Deactivate(Window& topLevel) {
  if (active_ != topLevel.HWnd()) return;
  active_ = 0;
  topLevel.OnDeactivate();
}

void UiState::DropFocusWithin(const Window& window, bool notify) {
  if (focus_ == 0) return;
  if (focus_ == window.HWnd() || window.ContainsFocus()) {
    const int32_t old = focus_;
    focus_ = 0;
    if (!notify) return;
    if (auto w = FromHandle(old)) w->SendMessage(WM_KILLFOCUS, 0, 0);
  }
}

int16_t UiState::KeyState(int32_t virtualKey) const {
  const bool down = std::find(keysDown_.begin(), keysDown_.end(), virtualKey) != keysDown_.end();
  return down ? static_cast<int16_t>(-128) : static_cast<int16_t>(0);
}

void UiState::SetKeyDown(int32_t virtualKey, bool down) {
  std::erase(keysDown_, virtualKey);
  if (down) keysDown_.push_back(virtualKey);
}

int16_t UiState::ShiftState() const {
  int16_t shift = 0;
  if (KeyState(VK_SHIFT) < 0) shift |= kShiftMask;
  if (KeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
  if (KeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

void UiState::SetScreen(int32_t widthPixels, int32_t heightPixels, int32_t twipsPerPixel) {
  screenWidth_ = std::max(1, widthPixels);
  screenHeight_ = std::max(1, heightPixels);
  twipsPerPixel_ = std::max(1, twipsPerPixel);
}

std::vector<Ref<MessageTip>> UiState::TipsOf(int32_t hwnd) const {
  std::vector<Ref<MessageTip>> tips;
  for (const auto& weak : tips_) {
    if (auto tip = weak.lock(); tip && hwnd != 0 && tip->AttachedWindow() == hwnd) {
      tips.emplace_back(tip);
    }
  }
  return tips;
}

void UiState::NoteTip(const std::shared_ptr<MessageTip>& tip) {
  std::erase_if(tips_, [](const auto& w) { return w.expired(); });
  for (const auto& weak : tips_) {
    if (weak.lock() == tip) return;
  }
  tips_.push_back(tip);
}

}  // namespace platform::ui
