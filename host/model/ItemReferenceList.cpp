#include "host/model/ItemReferenceList.h"

#include <string>

#include "mzblprsx/interfaces/RgProjectItem.h"
#include "platform/Error.h"

namespace host {

ItemReferenceList::ItemRef ItemReferenceList::Item(int32_t index) {
  if (index < 1 || index > Count()) {
    throw platform::Error(platform::errc::kSubscript, "the item list has no item " +
                                                          std::to_string(index) + " (it has " +
                                                          std::to_string(items_.size()) + ")");
  }
  return items_[static_cast<size_t>(index - 1)];
}

ItemReferenceList::ItemRef ItemReferenceList::First() {
  return items_.empty() ? ItemRef() : items_.front();
}

ItemReferenceList::ItemRef ItemReferenceList::Last() {
  return items_.empty() ? ItemRef() : items_.back();
}

int32_t ItemReferenceList::IndexOf(const ItemRef& item) {
  if (!item) return 0;
  Reindex();
  const auto it = firstPosition_.find(Key(item));
  return it == firstPosition_.end() ? 0 : static_cast<int32_t>(it->second + 1);
}

ItemReferenceList::ItemRef ItemReferenceList::AddNew(platform::Ref<platform::Object> /*object*/,
                                                     ItemRef /*before*/, ItemRef /*after*/) {
  throw platform::Error(platform::errc::kInvalidCall,
                        "AddNew: a free-standing item list holds references and creates no "
                        "items; add an existing item with Add");
}

void ItemReferenceList::Add(ItemRef item, ItemRef before, ItemRef after) {
  if (!item) {
    throw platform::Error(platform::errc::kObjectNotSet, "Add: no item was given");
  }
  size_t at = items_.size();
  if (after) {
    at = PositionOf(after, "after") + 1;
  } else if (before) {
    at = PositionOf(before, "before");
  }
  if (at == items_.size()) {
    if (indexValid_) firstPosition_.emplace(Key(item), at);
    items_.push_back(std::move(item));
    return;
  }
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  indexValid_ = false;
}

void ItemReferenceList::Remove(ItemRef item) {
  const int32_t index = IndexOf(item);
  if (index == 0) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "Remove: the item is not in this item list");
  }
  items_.erase(items_.begin() + (index - 1));
  indexValid_ = false;
}

void ItemReferenceList::Clear() {
  items_.clear();
  firstPosition_.clear();
  indexValid_ = true;
}

void ItemReferenceList::Reindex() {
  if (indexValid_) return;
  firstPosition_.clear();
  for (size_t i = 0; i < items_.size(); ++i) firstPosition_.emplace(Key(items_[i]), i);
  indexValid_ = true;
}

size_t ItemReferenceList::PositionOf(const ItemRef& neighbour, const char* role) {
  const int32_t index = IndexOf(neighbour);
  if (index == 0) {
    throw platform::Error(platform::errc::kInvalidCall, std::string("Add: the item to insert ") +
                                                            role + " is not in this item list");
  }
  return static_cast<size_t>(index - 1);
}

}  // namespace host
