// A searchable list of items: the whole model's (ProjectModel::ItemList) or an item's
// (ProjectItem::ChildList).
//
//   auto list = model->ItemList();
//   if (list->Find(2, Variant("RgPrjHandlerGhostBlock"))) ghost = list->FoundItem();
//
// Search types: 1 the item itself (the value holds the item), 2 the class name of the item's
// handler (text, exact), 4 the framework object the item was created for (same object); any
// other type, or a value of the wrong kind, finds nothing. When several items match, the first
// in tree pre-order is found. The searches use the model's indexes: O(1) on average.
// Scope: the model's list is every item in tree pre-order. An item's list counts and walks
// (Count, Previous, Next) its direct children in sibling order, but Find searches its whole
// subtree, so that a program's list finds a block below one of its categories.
//
// Trap: FoundItem is kept weakly: it is nothing once the found item is no longer held anywhere.
#pragma once

#include <cstdint>
#include <memory>

#include "mzblprsx/interfaces/RgProjectItemList.h"

namespace host {

class ProjectItem;

class ItemList final : public mzblprsx::RgProjectItemList {
 public:
  /// `scope` is the item whose list this is (the hidden root for a model's list).
  explicit ItemList(std::weak_ptr<ProjectItem> scope);
  std::string_view TypeName() const override { return "RgProjectItemList"; }

  /// True when found; FoundItem then answers the item. A failed search keeps the last find.
  bool Find(int32_t searchType, const platform::Variant& value) override;
  platform::Ref<mzblprsx::RgProjectItem> FoundItem() override;
  int32_t Count() override;
  /// Nothing at the start of the list and for an item that is not in the list.
  platform::Ref<mzblprsx::RgProjectItem> Previous(
      const platform::Ref<mzblprsx::RgProjectItem>& item) override;
  /// Nothing at the end of the list and for an item that is not in the list.
  platform::Ref<mzblprsx::RgProjectItem> Next(
      const platform::Ref<mzblprsx::RgProjectItem>& item) override;

 private:
  /// The item as a member of this list, or nullptr.
  ProjectItem* Member(const platform::Ref<mzblprsx::RgProjectItem>& item) const;

  std::weak_ptr<ProjectItem> scope_;  // not owned: the item or model owns this list
  std::weak_ptr<ProjectItem> found_;
};

}  // namespace host
