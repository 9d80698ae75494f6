// What the user does in a dialog's explorer control, turned into the dialog's selection: the
// part that the download/upload dialog and the block list dialog share. It fills the control from
// the dialog cursor, owns the selection handler behind it, and handles the mouse (press, release;
// left, right, Shift, Ctrl; a pressed category stands for its blocks), the keys (Space, Up, Down,
// Page Up, Page Down, with and without Shift and Ctrl), the range selection and the focus item.
//
//   auto selection = platform::MakeObject<ExplorerDialogSelection>();
//   selection->Attach(snapIn, title, model, RgProjectExplorerDialogCursorModeDownload,
//                     [&] { EnableButtons(); }, [&] { Load(); });
//   selection->Form()->rgcmdLoad()->SetVisible(true);   // the owner sets up its buttons
//   selection->P_SetProjectExplorerItems();             // the cursor's items, the first selected
//   Ref<RgProjectItems> chosen = selection->P_ShowModal(snapIn);   // placed, shown, unloaded
//   selection->Detach();
//
// A page (Page Up, Page Down) is the control's VisibleRows, bounded by the first and the last
// item. Enter in the control calls the owner's `enter` (Load, Open).
//
// Trap: the selection handler's events reach the owner only through `selectionChanged`, which
// runs after the control shows the new selection; Detach (which unloads the form) before the
// owner goes away.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace platform::ui {
class ExplorerControl;
}  // namespace platform::ui

namespace mzblprsx {

class RgProjectCursorExplorerDialog;
class RgProjectItem;
class RgProjectItems;
class RgProjectModel;
class RgProjectSelectionHandler;
class RgProjectSnapin;
class frmProjectExplorerDialog;

class ExplorerDialogSelection final : public Object {
 public:
  static constexpr std::string_view kTypeName = "ExplorerDialogSelection";

  ExplorerDialogSelection();
  ~ExplorerDialogSelection() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// Loads a new form with the title, creates the dialog cursor in the mode over the model
  /// (nothing gives an empty cursor) and the selection handler, and connects to the form's
  /// explorer control and to the handler.
  void Attach(const Ref<RgProjectSnapin>& snapIn, const std::string& title,
              const Ref<RgProjectModel>& model, int32_t cursorMode,
              std::function<void()> selectionChanged, std::function<void()> enter);
  /// Disconnects, unloads the form, detaches the cursor and lets go of everything.
  void Detach();

  const Ref<frmProjectExplorerDialog>& Form() const { return form_; }
  /// Places the form at its stored position, shows it modally and unloads it; the selection
  /// at that moment.
  Ref<RgProjectItems> P_ShowModal(const Ref<RgProjectSnapin>& snapIn);

  const Ref<RgProjectCursorExplorerDialog>& Cursor() const { return cursor_; }
  const Ref<RgProjectSelectionHandler>& SelectionHandler() const { return moSelectionHandler_; }
  /// The live collection of selected items; nothing when not attached.
  Ref<RgProjectItems> SelectedItems();
  /// The item under the last mouse press (kept after the release); nothing on empty space.
  const Ref<RgProjectItem>& LastPressedItem() const { return lastPressedItem_; }

  /// Clears the control and adds every cursor item, in order, with its "TYPE"; when there are
  /// items the first one is selected and focused.
  void P_SetProjectExplorerItems();
  /// The selection becomes the item alone (SelectionChange follows).
  void P_SelectOnly(const Ref<RgProjectItem>& item);
  /// True when a selected item's handler has one of the class names.
  bool P_SelectionHasHandler(std::initializer_list<std::string_view> handlerClasses);
  /// Moves the keyboard selection to the item: alone without Shift and Ctrl, a range with Shift,
  /// unchanged with Ctrl alone; the item becomes the focus item (or is drawn again when it is).
  void P_DoKeyUpDownSelection(const Ref<RgProjectItem>& item, int16_t shift);
  /// True when the item's handler is a category handler.
  static bool IsCategory(const Ref<RgProjectItem>& item);

 private:
  Ref<RgProjectItem> P_HitTest(int32_t x, int32_t y);
  /// The cursor item `offset` places from the focus item, bounded by the first and the last;
  /// the first item when nothing has the focus.
  Ref<RgProjectItem> P_ItemFromFocus(int32_t offset, bool bounded);
  /// Adds the item unless it is selected.
  void P_AddOnce(const Ref<RgProjectItem>& item);
  /// Removes the item when it is selected, else adds it.
  void P_Toggle(const Ref<RgProjectItem>& item);

  void rgpexControl_GotFocus();
  void rgpexControl_LostFocus();
  void rgpexControl_KeyDown(int16_t& keyCode, int16_t shift);
  void rgpexControl_KeyUp(int16_t& keyCode, int16_t shift);
  void rgpexControl_MouseDown(int16_t button, int16_t shift, int32_t x, int32_t y);
  void rgpexControl_MouseUp(int16_t button, int16_t shift, int32_t x, int32_t y);
  void moSelectionHandler_AddRangeSelection(const Ref<RgProjectItem>& from,
                                            const Ref<RgProjectItem>& to);
  void moSelectionHandler_FocusItemChange(const Ref<RgProjectItem>& item);
  void moSelectionHandler_SelectionChange();

  InstanceTrace trace_{kTypeName};
  Ref<frmProjectExplorerDialog> form_;
  Ref<RgProjectCursorExplorerDialog> cursor_;
  Ref<platform::ui::ExplorerControl> rgpexControl_;
  Ref<RgProjectSelectionHandler> moSelectionHandler_;
  std::function<void()> selectionChanged_;
  std::function<void()> enter_;
  /// The item under the press, and whether it was selected then; forgotten at the release.
  Ref<RgProjectItem> pressedItem_;
  bool pressedWasSelected_ = false;
  Ref<RgProjectItem> lastPressedItem_;
  std::vector<platform::ScopedConnection> sinks_;
};

}  // namespace mzblprsx
