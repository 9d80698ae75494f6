// The framework's ordered collection of items under string keys (1-based).
//
//   KeyedCollection<Ref<RgProjectData>> c;
//   c.Add(data, "LOC 1");
//   c.Add(other, "LOC 2", /*before=*/"LOC 1");
//   c.Item("loc 1");      // keys compare without regard to case
//   c.IndexOf("LOC 1");   // 2
//
// Keys are optional per item; a duplicate key raises 457, a missing key or position 5 / 9.
// Key membership is O(1); positions of keys are recomputed lazily after an insertion or removal
// in the middle, so appends and lookups stay cheap on large collections.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "platform/Error.h"
#include "platform/Text.h"

namespace platform {

template <class T>
class KeyedCollection {
 public:
  /// A neighbour for Add: a 1-based position or a key.
  using Anchor = std::variant<std::monostate, int32_t, std::string>;
  struct Entry {
    T item;
    std::string key;
    std::string folded;
  };

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

  /// Adds the item under the key (empty: no key), before or after the anchor; appends when
  /// neither is given. Both given, or an anchor that does not exist, is error 5.
  void Add(T item, std::string_view key = {}, const Anchor& before = {}, const Anchor& after = {}) {
    if (!std::holds_alternative<std::monostate>(before) &&
        !std::holds_alternative<std::monostate>(after)) {
      throw Error(errc::kInvalidCall);
    }
    std::string folded = key.empty() ? std::string() : text::FoldCase(key);
    if (!folded.empty() && positions_.count(folded) != 0) throw Error(errc::kDuplicateKey);
    size_t at = entries_.size();
    if (!std::holds_alternative<std::monostate>(before)) at = Resolve(before);
    if (!std::holds_alternative<std::monostate>(after)) at = Resolve(after) + 1;
    const bool append = at == entries_.size();
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at),
                    Entry{std::move(item), std::string(key), folded});
    if (!folded.empty()) positions_[folded] = at;
    if (!append) positionsValid_ = false;
  }

  /// The item at a 1-based position; error 9 outside 1..Count.
  const T& Item(int32_t index) const { return entries_[CheckIndex(index)].item; }
  T& Item(int32_t index) { return entries_[CheckIndex(index)].item; }
  /// The item under a key; error 5 when there is none.
  const T& Item(std::string_view key) const { return entries_[PositionOf(key)].item; }
  T& Item(std::string_view key) { return entries_[PositionOf(key)].item; }

  bool Exists(std::string_view key) const {
    return !key.empty() && positions_.count(text::FoldCase(key)) != 0;
  }
  /// The 1-based position of the key, 0 when it is not there.
  int32_t IndexOf(std::string_view key) const {
    if (!Exists(key)) return 0;
    return static_cast<int32_t>(PositionOf(key)) + 1;
  }
  /// The key of the item at a position (empty when it has none).
  const std::string& KeyAt(int32_t index) const { return entries_[CheckIndex(index)].key; }

  void Remove(int32_t index) { RemoveAt(CheckIndex(index)); }
  void Remove(std::string_view key) { RemoveAt(PositionOf(key)); }
  void Clear() {
    entries_.clear();
    positions_.clear();
    positionsValid_ = true;
  }

  /// Enumeration in order, yielding the items.
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = const T*;
    using reference = const T&;
    explicit const_iterator(typename std::vector<Entry>::const_iterator it) : it_(it) {}
    const T& operator*() const { return it_->item; }
    const T* operator->() const { return &it_->item; }
    const_iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator==(const const_iterator& o) const { return it_ == o.it_; }

   private:
    typename std::vector<Entry>::const_iterator it_;
  };
  const_iterator begin() const { return const_iterator(entries_.begin()); }
  const_iterator end() const { return const_iterator(entries_.end()); }

 private:
  size_t CheckIndex(int32_t index) const {
    if (index < 1 || index > Count()) throw Error(errc::kSubscript);
    return static_cast<size_t>(index - 1);
  }
  size_t PositionOf(std::string_view key) const {
    if (key.empty()) throw Error(errc::kInvalidCall);
    const auto it = positions_.find(text::FoldCase(key));
    if (it == positions_.end()) throw Error(errc::kInvalidCall);
    if (!positionsValid_) Reindex();
    return positions_.at(it->first);
  }
  size_t Resolve(const Anchor& anchor) const {
    if (const auto* i = std::get_if<int32_t>(&anchor)) return CheckIndex(*i);
    return PositionOf(std::get<std::string>(anchor));
  }
  void RemoveAt(size_t at) {
    if (!entries_[at].folded.empty()) positions_.erase(entries_[at].folded);
    const bool last = at + 1 == entries_.size();
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    if (!last) positionsValid_ = false;
  }
  void Reindex() const {
    for (size_t i = 0; i < entries_.size(); ++i) {
      if (!entries_[i].folded.empty()) positions_[entries_[i].folded] = i;
    }
    positionsValid_ = true;
  }

  std::vector<Entry> entries_;
  mutable std::unordered_map<std::string, size_t> positions_;
  mutable bool positionsValid_ = true;
};

}  // namespace platform
