// A search index of the items of one model under a key (framework object identity or handler
// class name), answering the first of them in tree pre-order.
//
//   ItemIndex<std::string, std::string_view> byClass(&ProjectItem::classSlot_);  // in the model
//   byClass.Insert("RgPrjHandlerCategory", item);
//   ProjectItem* first = byClass.First("RgPrjHandlerCategory");
//
// Insert and Erase are O(1) plus O(depth) to keep the cached first item; First is O(1) unless
// the cached first item left the index, then one scan of that key's items rebuilds it. A key
// with one item (the usual case for objects) costs no allocation beyond its map node.
// The index holds plain pointers: an item must be erased before it leaves the tree.
//
// Trap: an item whose place in the tree changes must be erased and inserted again (the model
// does it for every item of a moved subtree), or the cached first item may be wrong.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "host/model/ProjectItem.h"

namespace host {

/// Hashes texts and text views alike, so that lookups by view need no copy.
struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

template <class Key, class Lookup = Key,
          class Hash = std::conditional_t<std::is_same_v<Lookup, std::string_view>, TextHash,
                                          std::hash<Key>>>
class ItemIndex {
 public:
  /// `slot` is the item's field that remembers its place in a bucket of this index.
  explicit ItemIndex(size_t ProjectItem::*slot) : slot_(slot) {}
  ItemIndex(const ItemIndex&) = delete;
  ItemIndex& operator=(const ItemIndex&) = delete;

  void Insert(Lookup key, ProjectItem* item) {
    auto it = buckets_.find(key);
    if (it == buckets_.end()) it = buckets_.emplace(Key(key), Bucket()).first;
    Bucket& bucket = it->second;
    item->*slot_ = bucket.Push(item);
    if (bucket.firstKnown && (!bucket.first || ProjectItem::Precedes(*item, *bucket.first))) {
      bucket.first = item;
    }
  }

  void Erase(Lookup key, ProjectItem* item) {
    const auto it = buckets_.find(key);
    if (it == buckets_.end()) return;
    Bucket& bucket = it->second;
    const size_t at = item->*slot_;
    const auto items = bucket.Items();
    if (at >= items.size() || items[at] != item) return;
    if (ProjectItem* moved = bucket.EraseAt(at)) moved->*slot_ = at;
    if (bucket.size == 0) {
      buckets_.erase(it);
      return;
    }
    if (bucket.first == item) {
      bucket.first = nullptr;
      bucket.firstKnown = false;
    }
  }

  /// The items filed under the key, in no particular order (empty when there are none).
  std::span<ProjectItem* const> Items(Lookup key) const {
    const auto it = buckets_.find(key);
    return it == buckets_.end() ? std::span<ProjectItem* const>() : it->second.Items();
  }

  /// The first item under the key in tree pre-order; nullptr when there is none.
  ProjectItem* First(Lookup key) {
    const auto it = buckets_.find(key);
    if (it == buckets_.end()) return nullptr;
    Bucket& bucket = it->second;
    if (!bucket.firstKnown) {
      for (ProjectItem* item : bucket.Items()) {
        if (!bucket.first || ProjectItem::Precedes(*item, *bucket.first)) bucket.first = item;
      }
      bucket.firstKnown = true;
    }
    return bucket.first;
  }

 private:
  /// The items of one key: inline while there is one, in a vector from the second on.
  struct Bucket {
    ProjectItem* single = nullptr;
    std::vector<ProjectItem*> many;
    size_t size = 0;
    ProjectItem* first = nullptr;
    bool firstKnown = true;

    std::span<ProjectItem* const> Items() const {
      return many.empty() ? std::span<ProjectItem* const>(&single, size)
                          : std::span<ProjectItem* const>(many);
    }
    size_t Push(ProjectItem* item) {
      if (size == 0 && many.empty()) {
        single = item;
      } else {
        if (many.empty()) many.push_back(single);
        many.push_back(item);
      }
      return size++;
    }
    /// Swap-removes; answers the item that took the place, or nullptr.
    ProjectItem* EraseAt(size_t at) {
      --size;
      if (many.empty()) return nullptr;
      many[at] = many.back();
      many.pop_back();
      return at < many.size() ? many[at] : nullptr;
    }
  };

  size_t ProjectItem::*slot_;
  std::unordered_map<Key, Bucket, Hash, std::equal_to<>> buckets_;
};

}  // namespace host
