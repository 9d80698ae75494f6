// The project explorer control of the dialogs: a tree of items (each with its type text), the
// selection it shows, its focus item, and the mouse and key events of the user. It knows nothing
// about what the items are: whoever fills it decides what is shown and what a press means.
//
//   auto explorer = form->AddControl<ExplorerControl>("rgpexExplorer");
//   explorer->Clear();
//   explorer->AddItem(item, "RgBlockOffline");
//   explorer->ShowSelection({item});
//   explorer->SetFocusItem(item);
//   explorer->MouseDownEvent().Connect([&](int16_t button, int16_t shift, int32_t x, int32_t y) {
//     Ref<Object> hit = explorer->HitTest(x, y);   // the item under the pointer, or nothing
//   });
//
// Rows are kRowHeight pixels high, one item per row in the order added, the first visible row
// at the top (TopIndex). The control scrolls to keep its focus item visible. A user's press,
// release and double click (PressRow, ReleaseRow, DoubleClickRow: what a modal loop plays) are
// turned into the events with the pixel position of the row's middle, so that HitTest finds
// the row again; a press below the last row hits nothing.
//
// Trap: the control does not select anything by itself; the selection shown is only what
// ShowSelection last said.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Ref.h"
#include "platform/Signal.h"
#include "platform/ui/Control.h"

namespace platform::ui {

class ExplorerControl : public Control {
 public:
  /// Mouse buttons as the events report them.
  static constexpr int16_t kLeftButton = 1;
  static constexpr int16_t kRightButton = 2;
  /// The height of a row, in pixels.
  static constexpr int32_t kRowHeight = 16;

  std::string_view TypeName() const override { return "ExplorerControl"; }

  // Items
  void Clear();
  /// Appends a row for the item with its type text.
  void AddItem(Ref<Object> item, std::string type);
  int32_t ItemCount() const { return static_cast<int32_t>(rows_.size()); }
  /// The item of a 1-based row; nothing outside the rows.
  Ref<Object> ItemAt(int32_t row) const;
  /// The type text of a 1-based row; "" outside the rows.
  const std::string& TypeAt(int32_t row) const;
  /// The 1-based row of the item (the same object); 0 when it has none.
  int32_t RowOf(const Ref<Object>& item) const;

  // What the control shows
  /// The items drawn as selected, replacing the previous ones.
  void ShowSelection(std::vector<Ref<Object>> items);
  bool IsShownSelected(const Ref<Object>& item) const;
  const std::vector<Ref<Object>>& ShownSelection() const { return shownSelection_; }
  /// The item with the focus rectangle; scrolls it into view.
  void SetFocusItem(Ref<Object> item);
  const Ref<Object>& FocusItem() const { return focusItem_; }
  /// Draws the item again; counts the redraws (what a caller can observe of it).
  void RedrawItem(const Ref<Object>& item);
  int32_t RedrawCount() const { return redraws_; }
  /// The 0-based index of the first visible row, and how many rows fit the control's height.
  int32_t TopIndex() const { return topIndex_; }
  int32_t VisibleRows() const;

  // Properties
  const std::string& ParameterFile() const { return parameterFile_; }
  void SetParameterFile(std::string path) { parameterFile_ = std::move(path); }
  /// 1 puts the symbolic name before the absolute block name.
  int32_t CaptionOrder() const { return captionOrder_; }
  void SetCaptionOrder(int32_t order) { captionOrder_ = order; }
  int32_t HelpContextID() const { return helpContextId_; }
  void SetHelpContextID(int32_t id) { helpContextId_ = id; }
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

  /// The item under a pixel position of the control's client area; nothing on empty space.
  Ref<Object> HitTest(int32_t x, int32_t y) const;

  // What the user does (modal loops play these); each is ignored (false) while the control is
  // hidden or disabled. The press focuses the control first. Row 0 or a row past the last is
  // empty space below the items.
  bool PressRow(int32_t row, int16_t button = kLeftButton, int16_t shift = 0);
  bool ReleaseRow(int32_t row, int16_t button = kLeftButton, int16_t shift = 0);
  /// Press, release and the double click on the same row.
  bool DoubleClickRow(int32_t row, int16_t shift = 0);

  /// "<explorer: N items, M selected>".
  std::string Render() const override;

  /// MouseDown(button, shift, x, y) and MouseUp(button, shift, x, y), in pixels.
  Signal<int16_t, int16_t, int32_t, int32_t>& MouseDownEvent() { return mouseDown_; }
  Signal<int16_t, int16_t, int32_t, int32_t>& MouseUpEvent() { return mouseUp_; }
  Signal<>& DblClickEvent() { return dblClick_; }

 private:
  struct Row {
    Ref<Object> item;
    std::string type;
  };
  /// The pixel position (y) of a 1-based row's middle, for the events of PressRow and the rest.
  int32_t RowMiddle(int32_t row) const;
  /// The pixel position (x) of the control's middle.
  int32_t ColumnMiddle() const;
  /// Scrolls so that a 1-based row is visible; nothing for a row outside the items.
  void ScrollIntoView(int32_t row);

  std::vector<Row> rows_;
  std::vector<Ref<Object>> shownSelection_;
  Ref<Object> focusItem_;
  int32_t topIndex_ = 0;
  int32_t redraws_ = 0;
  std::string parameterFile_;
  int32_t captionOrder_ = 0;
  int32_t helpContextId_ = 0;
  std::string text_;
  Signal<int16_t, int16_t, int32_t, int32_t> mouseDown_;
  Signal<int16_t, int16_t, int32_t, int32_t> mouseUp_;
  Signal<> dblClick_;
};

}  // namespace platform::ui
