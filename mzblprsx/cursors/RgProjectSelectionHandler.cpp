#include "mzblprsx/cursors/RgProjectSelectionHandler.h"

#include <string>
#include <vector>

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

RgProjectSelectionHandler::RgProjectSelectionHandler() {
  Guard(*this, "Class_Initialize", [&] {
    // A free-standing list of references of the model component: the items stay in their trees.
    selectedItems_ = platform::CreateObjectAs<RgProjectItems>(clsid::kProjectItems);
  });
}

RgProjectSelectionHandler::~RgProjectSelectionHandler() {
  try {
    Guard(*this, "Class_Terminate", [&] {
      documentItem_.Reset();
      focusItem_.Reset();
      shiftSelectionItem_.Reset();
      foundItem_.Reset();
      selectedItems_.Reset();
    });
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor has no caller to tell
  }
}

Ref<RgProjectItem> RgProjectSelectionHandler::DocumentItem() {
  Ref<RgProjectItem> result;
  Guard(*this, "Property Get DocumentItem", [&] { result = documentItem_; });
  return result;
}

void RgProjectSelectionHandler::SetDocumentItem(const Ref<RgProjectItem>& item) {
  // The owner may let go of the handler from inside an event it raises; each procedure that
  // raises one keeps the handler alive until it returns.
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "Property Set DocumentItem", [&] {
    if (platform::SameObject(item, documentItem_)) return;
    documentItem_ = item;
    documentItemChange_.Emit(item);
  });
}

bool RgProjectSelectionHandler::Focus() {
  bool result = false;
  Guard(*this, "Property Get Focus", [&] { result = focus_; });
  return result;
}

void RgProjectSelectionHandler::SetFocus(bool focus) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "Property Let Focus", [&] {
    if (focus == focus_) return;
    focus_ = focus;
    if (focus) {
      showSelection_.Emit();
    } else {
      hideSelection_.Emit();
    }
  });
}

Ref<RgProjectItem> RgProjectSelectionHandler::FocusItem() {
  Ref<RgProjectItem> result;
  Guard(*this, "Property Get FocusItem", [&] { result = focusItem_; });
  return result;
}

void RgProjectSelectionHandler::SetFocusItem(const Ref<RgProjectItem>& item) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "Property Set FocusItem", [&] {
    const bool changed = !platform::SameObject(item, focusItem_);
    focusItem_ = item;
    if (changed) focusItemChange_.Emit(item);
  });
}

Ref<RgProjectItem> RgProjectSelectionHandler::FoundItem() {
  Ref<RgProjectItem> result;
  Guard(*this, "Property Get FoundItem", [&] { result = foundItem_; });
  return result;
}

Ref<RgProjectItem> RgProjectSelectionHandler::ShiftSelectionItem() {
  Ref<RgProjectItem> result;
  Guard(*this, "Property Get ShiftSelectionItem", [&] { result = shiftSelectionItem_; });
  return result;
}

void RgProjectSelectionHandler::SetShiftSelectionItem(const Ref<RgProjectItem>& item) {
  Guard(*this, "Property Set ShiftSelectionItem", [&] { shiftSelectionItem_ = item; });
}

Ref<RgProjectItems> RgProjectSelectionHandler::SelectedItems() {
  Ref<RgProjectItems> result;
  Guard(*this, "Property Get SelectedItems", [&] { result = selectedItems_; });
  return result;
}

void RgProjectSelectionHandler::SelectionChangeComplete() {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "SelectionChangeComplete", [&] { selectionChange_.Emit(); });
}

bool RgProjectSelectionHandler::Find(int32_t searchType, const Variant& searchValue) {
  bool result = false;
  Guard(*this, "Find", [&] {
    foundItem_.Reset();
    const int32_t count = selectedItems_->Count();
    // The search value is read once, in the form the kind compares: a value of the wrong kind
    // is a type mismatch of this search, not of each item.
    Ref<platform::Object> object;
    std::string className;
    switch (searchType) {
      case find_by::kItem:
      case find_by::kObject:
        object = searchValue.ToObject();
        break;
      case find_by::kHandlerClass:
        className = searchValue.ToString();
        break;
      default:
        return;
    }
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<RgProjectItem> item = selectedItems_->Item(i);
      bool match = false;
      switch (searchType) {
        case find_by::kItem:
          match = platform::SameObject(item, object);
          break;
        case find_by::kHandlerClass: {
          // An item without a handler has no class name to match.
          const Ref<platform::Object> handler = item->HandlerObject();
          match = handler && handler->TypeName() == className;
          break;
        }
        default:  // find_by::kObject
          match = platform::SameObject(item->Handler()->Object(), object);
          break;
      }
      if (match) {
        foundItem_ = item;
        result = true;
        return;
      }
    }
  });
  return result;
}

void RgProjectSelectionHandler::SelectRange(const Ref<RgProjectItem>& item) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "SelectRange", [&] {
    if (!shiftSelectionItem_ || !item) return;
    // The anchor is held here: an event handler may set another one meanwhile.
    const Ref<RgProjectItem> anchor = shiftSelectionItem_;
    selectedItems_->Clear();
    if (platform::SameObject(item, anchor)) {
      selectedItems_->Add(item, nullptr, nullptr);
    } else {
      addRangeSelection_.Emit(anchor, item);
    }
    selectionChange_.Emit();
  });
}

void RgProjectSelectionHandler::HideInsertionBar() {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "HideInsertionBar", [&] { hideInsertionBar_.Emit(); });
}

void RgProjectSelectionHandler::ShowInsertionBar(const Ref<RgProjectItem>& item,
                                                 int32_t barPosition) {
  const auto keepAlive = weak_from_this().lock();
  Guard(*this, "ShowInsertionBar", [&] { showInsertionBar_.Emit(item, barPosition); });
}

void RgProjectSelectionHandler::ReplaceSelectedItems(const Ref<RgProjectItems>& items) {
  Guard(*this, "ReplaceSelectedItems", [&] {
    if (!items) return;
    // Read before clearing: the caller may hand in the selection itself, which must then stay
    // as it is rather than end up empty.
    const int32_t count = items->Count();
    std::vector<Ref<RgProjectItem>> replacement;
    replacement.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (int32_t i = 1; i <= count; ++i) replacement.push_back(items->Item(i));
    selectedItems_->Clear();
    for (const Ref<RgProjectItem>& item : replacement) selectedItems_->Add(item, nullptr, nullptr);
  });
}

}  // namespace mzblprsx
