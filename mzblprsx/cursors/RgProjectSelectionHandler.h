// The selection model behind the explorer control of a dialog (download/upload, block list):
// the control writes the user's selection into it, the handler keeps it and turns every change
// into an event for the owning dialog. It never touches the control or the model.
//
//   auto selection = platform::MakeObject<RgProjectSelectionHandler>();
//   platform::ScopedConnection c = selection->SelectionChange().Connect([&] { ... });
//   selection->SelectedItems()->Add(item, nullptr, nullptr);   // the live collection
//   selection->SelectionChangeComplete();                        // raises SelectionChange
//
// Setters that store the same object again raise nothing (FocusItem, DocumentItem, Focus).
// Events are raised synchronously: a handler runs before the setter returns.
//
// Trap: SelectRange does not know the order of the view's items; for two different items it
// clears the selection and leaves the range to the AddRangeSelection handler.
#pragma once

#include <cstdint>
#include <string_view>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItem;
class RgProjectItems;

/// Where an insertion bar is drawn relative to its item.
enum RgEnumInsertionBarPosition : int32_t {
  RgInsertionBarPositionTop = 0,
  RgInsertionBarPositionBottom = 1,
};

class RgProjectSelectionHandler final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectSelectionHandler";

  /// Starts with no items (a new, empty RgProjectItems collection) and focus False.
  RgProjectSelectionHandler();
  ~RgProjectSelectionHandler() override;
  std::string_view TypeName() const override { return kTypeName; }

  // _RgProjectSelectionHandler
  Ref<RgProjectItem> DocumentItem();
  /// Another object is stored and raises DocumentItemChange; the same object does nothing.
  void SetDocumentItem(const Ref<RgProjectItem>& item);
  bool Focus();
  /// A new value raises ShowSelection (True) or HideSelection (False); the same value nothing.
  void SetFocus(bool focus);
  Ref<RgProjectItem> FocusItem();
  /// Another object raises FocusItemChange; the same object is stored again without an event.
  void SetFocusItem(const Ref<RgProjectItem>& item);
  /// The item the last Find found; nothing after a Find that failed.
  Ref<RgProjectItem> FoundItem();
  /// The anchor of a Shift range selection; setting it raises nothing.
  Ref<RgProjectItem> ShiftSelectionItem();
  void SetShiftSelectionItem(const Ref<RgProjectItem>& item);
  /// The live collection of selected items (callers change it directly).
  Ref<RgProjectItems> SelectedItems();
  /// Raises SelectionChange: the end of a batch of changes to SelectedItems.
  void SelectionChangeComplete();
  /// Searches the selected items, in order: kind 1 the item itself, 2 the class name of its
  /// handler object (case-sensitive), 4 its handler's framework object. Other kinds find
  /// nothing. The first match becomes FoundItem.
  bool Find(int32_t searchType, const Variant& searchValue);
  /// Selects from the anchor to the item: only the anchor when both are the same item, else an
  /// AddRangeSelection(anchor, item) for the owner to fill in; then SelectionChange. Nothing
  /// without an anchor or an item.
  void SelectRange(const Ref<RgProjectItem>& item);
  /// Raises HideInsertionBar.
  void HideInsertionBar();
  /// Raises ShowInsertionBar with the arguments unchanged.
  void ShowInsertionBar(const Ref<RgProjectItem>& item, int32_t barPosition);
  /// Replaces the selected items by those of `items`, in their order, without an event; nothing
  /// for no collection.
  void ReplaceSelectedItems(const Ref<RgProjectItems>& items);

  // __RgProjectSelectionHandler, in dispatch order 1 to 8
  platform::Signal<Ref<RgProjectItem>>& DocumentItemChange() { return documentItemChange_; }
  platform::Signal<Ref<RgProjectItem>>& FocusItemChange() { return focusItemChange_; }
  platform::Signal<>& SelectionChange() { return selectionChange_; }
  platform::Signal<>& HideSelection() { return hideSelection_; }
  platform::Signal<>& ShowSelection() { return showSelection_; }
  platform::Signal<>& HideInsertionBarEvent() { return hideInsertionBar_; }
  platform::Signal<Ref<RgProjectItem>, int32_t>& ShowInsertionBarEvent() {
    return showInsertionBar_;
  }
  platform::Signal<Ref<RgProjectItem>, Ref<RgProjectItem>>& AddRangeSelection() {
    return addRangeSelection_;
  }

 private:
  InstanceTrace trace_{kTypeName};
  Ref<RgProjectItems> selectedItems_;
  Ref<RgProjectItem> documentItem_;
  bool focus_ = false;
  Ref<RgProjectItem> focusItem_;
  Ref<RgProjectItem> shiftSelectionItem_;
  Ref<RgProjectItem> foundItem_;
  platform::Signal<Ref<RgProjectItem>> documentItemChange_;
  platform::Signal<Ref<RgProjectItem>> focusItemChange_;
  platform::Signal<> selectionChange_;
  platform::Signal<> hideSelection_;
  platform::Signal<> showSelection_;
  platform::Signal<> hideInsertionBar_;
  platform::Signal<Ref<RgProjectItem>, int32_t> showInsertionBar_;
  platform::Signal<Ref<RgProjectItem>, Ref<RgProjectItem>> addRangeSelection_;
};

}  // namespace mzblprsx
