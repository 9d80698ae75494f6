#include "platform/ui/OptionButton.h"

#include <algorithm>

#include "platform/ui/Messages.h"

namespace platform::ui {

std::vector<OptionButton*> OptionButton::Group() const {
  std::vector<OptionButton*> group;
  if (!Parent()) return {const_cast<OptionButton*>(this)};
  for (const auto& child : Parent()->Children()) {
    if (auto* option = dynamic_cast<OptionButton*>(child.Get())) group.push_back(option);
  }
  return group;
}

void OptionButton::Select(bool raiseClick) {
  for (OptionButton* other : Group()) {
    if (other != this) other->value_ = false;
  }
  value_ = true;
  if (raiseClick) click_.Emit();
}

void OptionButton::SetValue(bool value) {
  if (!value) {
    value_ = false;
    return;
  }
  const bool changed = !value_;
  Select(changed);
}

std::string OptionButton::Render() const {
  std::string text = (value_ ? "(o) " : "( ) ") + Caption();
  if (!IsUsable()) text += " (disabled)";
  return text;
}

void OptionButton::OnMouseClick() {
  Select(true);
}

void OptionButton::OnKeyDown(int16_t keyCode, int16_t shift) {
  if (keyCode == VK_SPACE) {
    Select(true);
    return;
  }
  const bool forward = keyCode == VK_DOWN || keyCode == VK_RIGHT;
  const bool backward = keyCode == VK_UP || keyCode == VK_LEFT;
  if (!forward && !backward) {
    Control::OnKeyDown(keyCode, shift);
    return;
  }
  const auto group = Group();
  const auto n = static_cast<ptrdiff_t>(group.size());
  const auto self = std::find(group.begin(), group.end(), this) - group.begin();
  for (ptrdiff_t step = 1; step < n; ++step) {
    OptionButton* next = group[static_cast<size_t>((self + (forward ? step : n - step)) % n)];
    if (!next->IsFocusable()) continue;
    // Moving in a group selects, as the platform's radio buttons do.
    const auto keepAlive = next->weak_from_this().lock();
    next->SetFocus();
    next->Select(true);
    return;
  }
}

}  // namespace platform::ui
