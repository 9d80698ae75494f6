// A free-standing, ordered list of project item references (the model component's creatable
// "mzblpexx.RgProjectItems"): what a selection, the items a transfer carries and the items an
// insert created are kept in. It holds references only; the items stay in their trees.
//
//   auto list = platform::CreateObjectAs<mzblprsx::RgProjectItems>("mzblpexx.RgProjectItems");
//   list->Add(blockItem, nullptr, nullptr);   // appended
//   list->IndexOf(blockItem);                 // 1; 0 for an item that is not listed
//
// IndexOf is a hash look-up (an insert collects thousands of items and asks for each whether it
// holds it already); positions are re-indexed lazily after an insertion in the middle or a
// removal, so appending stays O(1).
// Trap: the list creates no items (AddNew is error 5), and it may hold an item twice; IndexOf
// then answers the first position.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "mzblprsx/interfaces/RgProjectItems.h"

namespace host {

class ItemReferenceList final : public mzblprsx::RgProjectItems {
 public:
  using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;

  std::string_view TypeName() const override { return "RgProjectItems"; }

  int32_t Count() override { return static_cast<int32_t>(items_.size()); }
  /// Error 9 outside 1..Count.
  ItemRef Item(int32_t index) override;
  /// Nothing when the list is empty.
  ItemRef First() override;
  ItemRef Last() override;
  /// The first position of the item; 0 when it is not listed (or is nothing).
  int32_t IndexOf(const ItemRef& item) override;
  /// Always error 5: a list of references creates no items.
  ItemRef AddNew(platform::Ref<platform::Object> object, ItemRef before, ItemRef after) override;
  /// Lists the item directly after `after` when given, else directly before `before`, else at
  /// the end. Error 91 for nothing, 5 for a neighbour that is not listed.
  void Add(ItemRef item, ItemRef before, ItemRef after) override;
  /// Unlists the item (its first position). Error 5 when it is not listed.
  void Remove(ItemRef item) override;
  void Clear() override;

 private:
  static const void* Key(const ItemRef& item) { return platform::Identity(item); }
  /// Rebuilds the first-position index after a change other than appending.
  void Reindex();
  /// The 0-based position of the neighbour; error 5 when it is not listed.
  size_t PositionOf(const ItemRef& neighbour, const char* role);

  std::vector<ItemRef> items_;
  std::unordered_map<const void*, size_t> firstPosition_;
  bool indexValid_ = true;
};

}  // namespace host
