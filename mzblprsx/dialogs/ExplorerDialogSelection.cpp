#include "mzblprsx/dialogs/ExplorerDialogSelection.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/cursors/RgProjectCursorExplorerDialog.h"
#include "mzblprsx/cursors/RgProjectSelectionHandler.h"
#include "mzblprsx/dialogs/DialogPosition.h"
#include "mzblprsx/dialogs/frmProjectExplorerDialog.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ui/ExplorerControl.h"
#include "platform/ui/Messages.h"

namespace mzblprsx {
namespace ui = platform::ui;

namespace {

constexpr std::string_view kCategoryHandler = "RgPrjHandlerCategory";
/// The search kind of the selection handler's Find by the class name of an item's handler.
constexpr int32_t kFindByHandlerClass = 2;

bool HasShift(int16_t shift) {
  return (shift & ui::kShiftMask) != 0;
}
bool HasCtrl(int16_t shift) {
  return (shift & ui::kCtrlMask) != 0;
}

}  // namespace

ExplorerDialogSelection::ExplorerDialogSelection() = default;

ExplorerDialogSelection::~ExplorerDialogSelection() = default;

void ExplorerDialogSelection::Attach(const Ref<RgProjectSnapin>& snapIn, const std::string& title,
                                     const Ref<RgProjectModel>& model, int32_t cursorMode,
                                     std::function<void()> selectionChanged,
                                     std::function<void()> enter) {
  Guard(*this, "Attach", [&] {
    Detach();
    form_ = platform::MakeObject<frmProjectExplorerDialog>();
    form_->SetSnapIn(snapIn);
    form_->Load();
    form_->SetCaption(title);
    rgpexControl_ = form_->rgpexExplorer();
    const Ref<ui::ExplorerControl>& explorer = rgpexControl_;
    cursor_ = platform::MakeObject<RgProjectCursorExplorerDialog>();
    cursor_->SetCursorMode(cursorMode);
    cursor_->Attach(model);
    selectionChanged_ = std::move(selectionChanged);
    enter_ = std::move(enter);
    moSelectionHandler_ = platform::MakeObject<RgProjectSelectionHandler>();
    // The owner releases this object only after Detach, so `this` outlives every handler.
    sinks_.emplace_back(explorer->GotFocus().Connect([this] { rgpexControl_GotFocus(); }));
    sinks_.emplace_back(explorer->LostFocus().Connect([this] { rgpexControl_LostFocus(); }));
    sinks_.emplace_back(explorer->KeyDown().Connect(
        [this](int16_t& key, int16_t shift) { rgpexControl_KeyDown(key, shift); }));
    sinks_.emplace_back(explorer->KeyUp().Connect(
        [this](int16_t& key, int16_t shift) { rgpexControl_KeyUp(key, shift); }));
    sinks_.emplace_back(explorer->MouseDownEvent().Connect(
        [this](int16_t button, int16_t shift, int32_t x, int32_t y) {
          rgpexControl_MouseDown(button, shift, x, y);
        }));
    sinks_.emplace_back(explorer->MouseUpEvent().Connect(
        [this](int16_t button, int16_t shift, int32_t x, int32_t y) {
          rgpexControl_MouseUp(button, shift, x, y);
        }));
    sinks_.emplace_back(moSelectionHandler_->AddRangeSelection().Connect(
        [this](const Ref<RgProjectItem>& from, const Ref<RgProjectItem>& to) {
          moSelectionHandler_AddRangeSelection(from, to);
        }));
    sinks_.emplace_back(moSelectionHandler_->FocusItemChange().Connect(
        [this](const Ref<RgProjectItem>& item) { moSelectionHandler_FocusItemChange(item); }));
    sinks_.emplace_back(moSelectionHandler_->SelectionChange().Connect(
        [this] { moSelectionHandler_SelectionChange(); }));
  });
}

void ExplorerDialogSelection::Detach() {
  sinks_.clear();
  selectionChanged_ = nullptr;
  enter_ = nullptr;
  pressedItem_.Reset();
  lastPressedItem_.Reset();
  moSelectionHandler_.Reset();
  rgpexControl_.Reset();
  // The form and the cursor report their own failures; letting go is all that is left to do.
  try {
    if (form_) form_->Unload();
  } catch (...) {  // NOLINT(bugprone-empty-catch): reported by the form
  }
  form_.Reset();
  try {
    if (cursor_) cursor_->Detach();
  } catch (...) {  // NOLINT(bugprone-empty-catch): reported by the cursor
  }
  cursor_.Reset();
}

Ref<RgProjectItems> ExplorerDialogSelection::P_ShowModal(const Ref<RgProjectSnapin>& snapIn) {
  Ref<RgProjectItems> result;
  Guard(*this, "P_ShowModal", [&] {
    form_->RestoreDialogPosition();
    DialogPosition::ShowModal(*form_, snapIn->Application());
    form_->Unload();
    result = moSelectionHandler_->SelectedItems();
  });
  return result;
}

Ref<RgProjectItems> ExplorerDialogSelection::SelectedItems() {
  Ref<RgProjectItems> result;
  Guard(*this, "SelectedItems", [&] {
    if (moSelectionHandler_) result = moSelectionHandler_->SelectedItems();
  });
  return result;
}

bool ExplorerDialogSelection::IsCategory(const Ref<RgProjectItem>& item) {
  if (!item) return false;
  const Ref<Object> handler = item->HandlerObject();
  return handler && handler->TypeName() == kCategoryHandler;
}

void ExplorerDialogSelection::P_SetProjectExplorerItems() {
  Guard(*this, "P_SetProjectExplorerItems", [&] {
    rgpexControl_->Clear();
    const std::vector<Ref<RgProjectItem>> items = cursor_->NewEnum();
    for (const Ref<RgProjectItem>& item : items) {
      rgpexControl_->AddItem(item, item->DataValue("TYPE").ToString());
    }
    if (items.empty()) return;
    // Selected as a click would select it, so that a Shift range can start from it at once.
    P_SelectOnly(items.front());
    moSelectionHandler_->SetShiftSelectionItem(items.front());
    moSelectionHandler_->SetFocusItem(items.front());
  });
}

void ExplorerDialogSelection::P_SelectOnly(const Ref<RgProjectItem>& item) {
  Guard(*this, "P_SelectOnly", [&] {
    const Ref<RgProjectItems> selected = moSelectionHandler_->SelectedItems();
    selected->Clear();
    selected->Add(item, nullptr, nullptr);
    moSelectionHandler_->SelectionChangeComplete();
  });
}

bool ExplorerDialogSelection::P_SelectionHasHandler(
    std::initializer_list<std::string_view> handlerClasses) {
  bool result = false;
  Guard(*this, "P_SelectionHasHandler", [&] {
    result = std::any_of(handlerClasses.begin(), handlerClasses.end(), [&](std::string_view name) {
      return moSelectionHandler_->Find(kFindByHandlerClass, Variant(std::string(name)));
    });
  });
  return result;
}

void ExplorerDialogSelection::P_DoKeyUpDownSelection(const Ref<RgProjectItem>& item,
                                                     int16_t shift) {
  Guard(*this, "P_DoKeyUpDownSelection", [&] {
    if (!item) return;
    if (HasShift(shift)) {
      moSelectionHandler_->SelectRange(item);
    } else if (!HasCtrl(shift)) {
      P_SelectOnly(item);
      moSelectionHandler_->SetShiftSelectionItem(item);
    }
    if (platform::SameObject(item, moSelectionHandler_->FocusItem())) {
      rgpexControl_->RedrawItem(item);
    } else {
      moSelectionHandler_->SetFocusItem(item);
    }
  });
}

Ref<RgProjectItem> ExplorerDialogSelection::P_HitTest(int32_t x, int32_t y) {
  return rgpexControl_->HitTest(x, y).As<RgProjectItem>();
}

Ref<RgProjectItem> ExplorerDialogSelection::P_ItemFromFocus(int32_t offset, bool bounded) {
  Ref<RgProjectItem> result;
  Guard(*this, "P_ItemFromFocus", [&] {
    const int32_t count = cursor_->Count().ToInt32();
    if (count < 1) return;
    const Ref<RgProjectItem> focus = moSelectionHandler_->FocusItem();
    const int32_t index = focus ? cursor_->Index(focus) : 0;
    if (index < 1) {
      result = cursor_->Item(Variant(int32_t{1}));
      return;
    }
    int32_t target = index + offset;
    if (bounded) target = std::clamp(target, 1, count);
    if (target < 1 || target > count || target == index) return;
    result = cursor_->Item(Variant(target));
  });
  return result;
}

void ExplorerDialogSelection::P_AddOnce(const Ref<RgProjectItem>& item) {
  const Ref<RgProjectItems> selected = moSelectionHandler_->SelectedItems();
  if (selected->IndexOf(item) == 0) selected->Add(item, nullptr, nullptr);
}

void ExplorerDialogSelection::P_Toggle(const Ref<RgProjectItem>& item) {
  const Ref<RgProjectItems> selected = moSelectionHandler_->SelectedItems();
  if (selected->IndexOf(item) != 0) {
    selected->Remove(item);
  } else {
    selected->Add(item, nullptr, nullptr);
  }
}

void ExplorerDialogSelection::rgpexControl_GotFocus() {
  Guard(*this, "rgpexControl_GotFocus", [&] { moSelectionHandler_->SetFocus(true); });
}

void ExplorerDialogSelection::rgpexControl_LostFocus() {
  Guard(*this, "rgpexControl_LostFocus", [&] { moSelectionHandler_->SetFocus(false); });
}

void ExplorerDialogSelection::rgpexControl_KeyDown(int16_t& keyCode, int16_t shift) {
  Guard(*this, "rgpexControl_KeyDown", [&] {
    switch (keyCode) {
      case ui::VK_RETURN:
        if (enter_) enter_();
        break;
      case ui::VK_SPACE: {
        const Ref<RgProjectItem> focus = moSelectionHandler_->FocusItem();
        if (!focus) break;
        if (HasShift(shift)) {
          moSelectionHandler_->SelectRange(focus);
        } else {
          P_Toggle(focus);
          moSelectionHandler_->SelectionChangeComplete();
          moSelectionHandler_->SetShiftSelectionItem(focus);
        }
        break;
      }
      case ui::VK_DOWN:
      case ui::VK_UP:
        P_DoKeyUpDownSelection(P_ItemFromFocus(keyCode == ui::VK_DOWN ? 1 : -1, false), shift);
        break;
      default:
        break;
    }
  });
}

void ExplorerDialogSelection::rgpexControl_KeyUp(int16_t& keyCode, int16_t shift) {
  Guard(*this, "rgpexControl_KeyUp", [&] {
    if (keyCode != ui::VK_NEXT && keyCode != ui::VK_PRIOR) return;
    const int32_t page = rgpexControl_->VisibleRows();
    P_DoKeyUpDownSelection(P_ItemFromFocus(keyCode == ui::VK_NEXT ? page : -page, true), shift);
  });
}

void ExplorerDialogSelection::rgpexControl_MouseDown(int16_t button, int16_t shift, int32_t x,
                                                     int32_t y) {
  Guard(*this, "rgpexControl_MouseDown", [&] {
    const Ref<RgProjectItem> item = P_HitTest(x, y);
    const Ref<RgProjectItems> selected = moSelectionHandler_->SelectedItems();
    pressedItem_ = item;
    lastPressedItem_ = item;
    pressedWasSelected_ = item && selected->IndexOf(item) != 0;
    if (!item) return;
    if (button == ui::ExplorerControl::kRightButton) {
      if (!pressedWasSelected_ && !HasCtrl(shift)) {
        selected->Clear();
        selected->Add(item, nullptr, nullptr);
      }
      moSelectionHandler_->SetShiftSelectionItem(item);
      moSelectionHandler_->SetFocusItem(item);
    } else if (button == ui::ExplorerControl::kLeftButton) {
      if (HasShift(shift)) {
        moSelectionHandler_->SelectRange(item);
      } else if (!HasCtrl(shift)) {
        if (!pressedWasSelected_) {
          selected->Clear();
          selected->Add(item, nullptr, nullptr);
        }
        moSelectionHandler_->SetShiftSelectionItem(item);
      }
      moSelectionHandler_->SetFocusItem(item);
    }
    // A category cannot be loaded or opened: pressing it stands for its blocks.
    if (IsCategory(item)) {
      if (selected->IndexOf(item) != 0) selected->Remove(item);
      const Ref<RgProjectItems> children = item->Items();
      for (int32_t i = 1, n = children ? children->Count() : 0; i <= n; ++i) {
        P_AddOnce(children->Item(i));
      }
    }
    moSelectionHandler_->SelectionChangeComplete();
  });
}

void ExplorerDialogSelection::rgpexControl_MouseUp(int16_t button, int16_t shift, int32_t x,
                                                   int32_t y) {
  Guard(*this, "rgpexControl_MouseUp", [&] {
    // Forgotten whatever happens below.
    const Ref<RgProjectItem> pressed = std::exchange(pressedItem_, {});
    if (button != ui::ExplorerControl::kLeftButton) return;
    const Ref<RgProjectItem> item = P_HitTest(x, y);
    const Ref<RgProjectItems> selected = moSelectionHandler_->SelectedItems();
    if (!item) {
      selected->Clear();
      moSelectionHandler_->SelectionChangeComplete();
      return;
    }
    if (platform::SameObject(item, pressed) && HasCtrl(shift)) {
      P_Toggle(pressed);
      moSelectionHandler_->SelectionChangeComplete();
      moSelectionHandler_->SetShiftSelectionItem(pressed);
      moSelectionHandler_->SetFocusItem(pressed);
    } else if (pressedWasSelected_) {
      selected->Clear();
      selected->Add(item, nullptr, nullptr);
      moSelectionHandler_->SelectionChangeComplete();
    }
  });
}

void ExplorerDialogSelection::moSelectionHandler_AddRangeSelection(const Ref<RgProjectItem>& from,
                                                                   const Ref<RgProjectItem>& to) {
  Guard(*this, "moSelectionHandler_AddRangeSelection", [&] {
    const int32_t first = cursor_->Index(from);
    const int32_t last = cursor_->Index(to);
    if (first < 1 || last < 1) return;
    const Ref<RgProjectItems> selected = moSelectionHandler_->SelectedItems();
    const int32_t step = first <= last ? 1 : -1;
    for (int32_t i = first;; i += step) {
      selected->Add(cursor_->Item(Variant(i)), nullptr, nullptr);
      if (i == last) break;
    }
  });
}

void ExplorerDialogSelection::moSelectionHandler_FocusItemChange(const Ref<RgProjectItem>& item) {
  Guard(*this, "moSelectionHandler_FocusItemChange", [&] { rgpexControl_->SetFocusItem(item); });
}

void ExplorerDialogSelection::moSelectionHandler_SelectionChange() {
  Guard(*this, "moSelectionHandler_SelectionChange", [&] {
    const Ref<RgProjectItems> selected = moSelectionHandler_->SelectedItems();
    std::vector<Ref<Object>> shown;
    for (int32_t i = 1, n = selected->Count(); i <= n; ++i) shown.push_back(selected->Item(i));
    rgpexControl_->ShowSelection(std::move(shown));
    if (selectionChanged_) selectionChanged_();
  });
}

}  // namespace mzblprsx
