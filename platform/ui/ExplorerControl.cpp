#include "platform/ui/ExplorerControl.h"

#include <algorithm>
#include <utility>

#include "platform/ui/Messages.h"
#include "platform/ui/UiState.h"

namespace platform::ui {

namespace {

const std::string kNoType;

/// Holds the modifiers of a mouse action down while its events run, so that a handler asking
/// the key state sees what the event's shift argument says; releases only what it pressed.
class HeldModifiers {
 public:
  HeldModifiers(UiState& ui, int16_t shift) : ui_(ui) {
    Hold(VK_SHIFT, (shift & kShiftMask) != 0);
    Hold(VK_CONTROL, (shift & kCtrlMask) != 0);
    Hold(VK_MENU, (shift & kAltMask) != 0);
  }
  ~HeldModifiers() {
    for (const int32_t key : held_) ui_.SetKeyDown(key, false);
  }
  HeldModifiers(const HeldModifiers&) = delete;
  HeldModifiers& operator=(const HeldModifiers&) = delete;

 private:
  void Hold(int32_t key, bool wanted) {
    if (!wanted || ui_.KeyState(key) < 0) return;
    ui_.SetKeyDown(key, true);
    held_.push_back(key);
  }

  UiState& ui_;
  std::vector<int32_t> held_;
};

}  // namespace

void ExplorerControl::Clear() {
  rows_.clear();
  shownSelection_.clear();
  focusItem_.Reset();
  topIndex_ = 0;
}

void ExplorerControl::AddItem(Ref<Object> item, std::string type) {
  rows_.push_back({std::move(item), std::move(type)});
}

Ref<Object> ExplorerControl::ItemAt(int32_t row) const {
  if (row < 1 || row > ItemCount()) return {};
  return rows_[static_cast<size_t>(row - 1)].item;
}

const std::string& ExplorerControl::TypeAt(int32_t row) const {
  if (row < 1 || row > ItemCount()) return kNoType;
  return rows_[static_cast<size_t>(row - 1)].type;
}

int32_t ExplorerControl::RowOf(const Ref<Object>& item) const {
  if (!item) return 0;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (SameObject(rows_[i].item, item)) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

void ExplorerControl::ShowSelection(std::vector<Ref<Object>> items) {
  shownSelection_ = std::move(items);
}

bool ExplorerControl::IsShownSelected(const Ref<Object>& item) const {
  return item && std::any_of(shownSelection_.begin(), shownSelection_.end(),
                             [&](const Ref<Object>& shown) { return SameObject(shown, item); });
}

void ExplorerControl::SetFocusItem(Ref<Object> item) {
  focusItem_ = std::move(item);
  ScrollIntoView(RowOf(focusItem_));
}

void ExplorerControl::RedrawItem(const Ref<Object>& /*item*/) {
  ++redraws_;
}

int32_t ExplorerControl::VisibleRows() const {
  const int32_t heightPixels = Height() / std::max(1, Ui().TwipsPerPixelY());
  return std::max(1, heightPixels / kRowHeight);
}

void ExplorerControl::ScrollIntoView(int32_t row) {
  if (row < 1 || row > ItemCount()) return;
  const int32_t index = row - 1;
  if (index < topIndex_) {
    topIndex_ = index;
  } else if (index >= topIndex_ + VisibleRows()) {
    topIndex_ = index - VisibleRows() + 1;
  }
}

Ref<Object> ExplorerControl::HitTest(int32_t x, int32_t y) const {
  if (x < 0 || y < 0) return {};
  const int32_t widthPixels = Width() / std::max(1, Ui().TwipsPerPixelX());
  const int32_t heightPixels = Height() / std::max(1, Ui().TwipsPerPixelY());
  // A control that was never sized has no edge to leave.
  if ((widthPixels > 0 && x >= widthPixels) || (heightPixels > 0 && y >= heightPixels)) return {};
  return ItemAt(topIndex_ + y / kRowHeight + 1);
}

int32_t ExplorerControl::RowMiddle(int32_t row) const {
  // Empty space lies right below the last row.
  const int32_t target = (row < 1 || row > ItemCount()) ? ItemCount() + 1 : row;
  return (target - 1 - topIndex_) * kRowHeight + kRowHeight / 2;
}

int32_t ExplorerControl::ColumnMiddle() const {
  return Width() / std::max(1, Ui().TwipsPerPixelX()) / 2;
}

bool ExplorerControl::PressRow(int32_t row, int16_t button, int16_t shift) {
  if (!IsShown() || !IsUsable()) return false;
  const auto keepAlive = weak_from_this().lock();
  SetFocus();
  // A GotFocus handler may have hidden or disabled us (or closed the form).
  if (!IsShown() || !IsUsable()) return true;
  // The user scrolls to a row before pressing it.
  ScrollIntoView(row);
  const HeldModifiers held(Ui(), shift);
  mouseDown_.Emit(button, shift, ColumnMiddle(), RowMiddle(row));
  return true;
}

bool ExplorerControl::ReleaseRow(int32_t row, int16_t button, int16_t shift) {
  if (!IsShown() || !IsUsable()) return false;
  const auto keepAlive = weak_from_this().lock();
  ScrollIntoView(row);
  const HeldModifiers held(Ui(), shift);
  mouseUp_.Emit(button, shift, ColumnMiddle(), RowMiddle(row));
  return true;
}

bool ExplorerControl::DoubleClickRow(int32_t row, int16_t shift) {
  const auto keepAlive = weak_from_this().lock();
  if (!PressRow(row, kLeftButton, shift)) return false;
  if (!ReleaseRow(row, kLeftButton, shift)) return true;
  if (!IsShown() || !IsUsable()) return true;
  dblClick_.Emit();
  return true;
}

std::string ExplorerControl::Render() const {
  return "<explorer: " + std::to_string(ItemCount()) + " items, " +
         std::to_string(shownSelection_.size()) + " selected>";
}

}  // namespace platform::ui
