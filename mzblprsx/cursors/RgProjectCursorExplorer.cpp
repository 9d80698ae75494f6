#include "mzblprsx/cursors/RgProjectCursorExplorer.h"

#include <string>

#include "mzblprsx/cursors/RgCursorItemList.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"

namespace mzblprsx {
namespace {
const std::string kTypeKey = "TYPE";  // built once: the filter reads it for every item
}  // namespace

Variant RgProjectCursorExplorer::Count() {
  Variant result;
  Guard(*this, "Property Get Count", [&] { result = Variant(list_->Count()); });
  return result;
}

void RgProjectCursorExplorer::Attach(Ref<RgProjectModel> model) {
  Guard(*this, "Attach", [&] {
    if (!model) {
      Detach();
      return;
    }
    P_SetModel(std::move(model));
    // Always an emptied list: loading a second model into the first one's list would mix two
    // trees.
    P_NewList();
    P_SetCursorOptions();
    P_SearchItems(model_->Items());
    if (model_->AutoRefresh()) TotalRefresh().Emit();
  });
}

void RgProjectCursorExplorer::Refresh() {
  Guard(*this, "Refresh", [&] {
    const Ref<RgProjectItems> roots = model_->Items();
    P_NewList();
    P_SetCursorOptions();
    P_SearchItems(roots);
    TotalRefresh().Emit();
  });
}

bool RgProjectCursorExplorer::P_ValidateItem(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItem", [&] {
    if (!item) return;
    const std::string type = item->DataValue(kTypeKey).ToString();
    // The default category itself is not shown, its blocks are.
    if (item_kind::IsDefaultCategoryType(type)) return;
    if (type == "RgFilesOnMMC" || type == "RgMMCFile") return;
    result = item_kind::IsBlockType(type) ? P_ValidateBlock(item) : true;
  });
  return result;
}

void RgProjectCursorExplorer::P_ItemAdded(const Ref<RgProjectItem>& item) {
  if (!P_ValidateItem(item)) return;
  // Walk back through the tree (pre-order) to the nearest item this list shows. An item that
  // the filter would accept but that is not listed (a system block shown since the last
  // Refresh) is passed over: the new item must follow an item of the list.
  const Ref<RgProjectItemList> tree = model_->ItemList();
  Ref<RgProjectItem> previous = tree->Previous(item);
  while (previous && !list_->Contains(previous)) previous = tree->Previous(previous);
  const int32_t position = list_->InsertAfter(item, previous);
  ItemAdd().Emit(item, position);
}

}  // namespace mzblprsx
