#include "platform/ui/Window.h"

#include <algorithm>

#include "platform/ui/UiState.h"

namespace platform::ui {

struct Window::HookSlot : detail::SlotState {
  MessageHook hook;
  void Release() override { hook = nullptr; }
};

Window::Window() : ui_(UiState::CurrentShared()) {
  handle_ = ui_->Register(this);
}

Window::~Window() {
  // No focus messages now: our derived parts, which would answer them, are already gone.
  ui_->DropFocusWithin(*this, /*notify=*/false);
  // Children may outlive us when someone else still holds them: they become top-level.
  for (const auto& child : children_) child->parent_ = nullptr;
  ui_->Unregister(handle_);
}

Window* Window::TopLevel() {
  Window* w = this;
  while (w->parent_) w = w->parent_;
  return w;
}

const Window* Window::TopLevel() const {
  const Window* w = this;
  while (w->parent_) w = w->parent_;
  return w;
}

void Window::SetVisible(bool visible) {
  visible_ = visible;
  if (!visible) ui_->DropFocusWithin(*this);
}

void Window::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) ui_->DropFocusWithin(*this);
}

bool Window::IsShown() const {
  for (const Window* w = this; w; w = w->parent_) {
    if (!w->visible_) return false;
  }
  return true;
}

bool Window::IsUsable() const {
  for (const Window* w = this; w; w = w->parent_) {
    if (!w->enabled_) return false;
  }
  return true;
}

void Window::Move(int32_t left, int32_t top) {
  left_ = left;
  top_ = top;
}

void Window::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

bool Window::HasFocus() const {
  return ui_->Focus() == handle_;
}

bool Window::ContainsFocus() const {
  const auto focus = ui_->FromHandle(ui_->Focus());
  for (const Window* w = focus.Get(); w; w = w->parent_) {
    if (w == this) return true;
  }
  return false;
}

int32_t Window::SendMessage(int32_t message, int32_t wParam, int32_t lParam) {
  // Handlers may release the last outside reference to us (a form unloaded by a click).
  const auto keepAlive = weak_from_this().lock();
  const Message m{message, wParam, lParam};
  const auto snapshot = hooks_;
  bool handled = false;
  for (auto it = snapshot.rbegin(); it != snapshot.rend() && !handled; ++it) {
    if ((*it)->connected) (*it)->Run([&] { (*it)->hook(m, handled); });
  }
  if (handled) return 0;
  return WindowProc(m);
}

Connection Window::AddMessageHook(MessageHook hook) {
  std::erase_if(hooks_, [](const auto& s) { return !s->connected; });
  auto slot = std::make_shared<HookSlot>();
  slot->hook = std::move(hook);
  hooks_.push_back(slot);
  return Connection(slot);
}

int32_t Window::WindowProc(const Message&) {
  return 0;
}

void Window::Adopt(const Ref<Window>& child) {
  if (!child || child.Get() == this) return;
  if (Window* old = child->parent_) {
    std::erase_if(old->children_, [&](const Ref<Window>& c) { return c.Get() == child.Get(); });
  }
  child->parent_ = this;
  children_.push_back(child);
}

}  // namespace platform::ui
