// The keyed item list of the cursors: project items in a view's order, each under the key
// "OBJ " followed by the decimal address of the item object, with membership in O(1) and
// positions, insertions and removals in O(log n).
//
//   auto list = platform::MakeObject<RgCursorItemList>();
//   list->Append(program);                   // position 1
//   list->InsertAfter(block, program);       // directly after program: position 2
//   list->IndexOf(block);                    // 2
//   list->Item(Variant(RgCursorItemList::KeyOf(block)));   // by key text
//
// It stands for the framework's keyed collection, with the same operations, but an insertion in
// the middle of that collection moves every later entry and makes the next position query
// renumber every key, so a storm of item events inserting in the middle (a paste of thousands of
// blocks into one category) costs quadratic time there. Here the order has two forms. A list
// that was filled front to back or put in a new order (a refresh, a sort) is a plain sequence,
// with each item's position in an array built on the first position query: reading it by
// position or asking a position costs O(1). The first insertion or removal in the middle turns
// the order into an implicit treap: a randomly balanced tree whose in-order sequence is the
// list, each node knowing the size of its subtree and its parent, so an item's position is a
// walk from its node up to the root, and an insertion or removal is O(log n); the sequence is
// derived again when the list is next read in order. Keys are found through an open-addressing
// table of addresses: no allocation per item.
//
// The list keeps its memory when it is cleared or refilled: a cursor rebuilds its list after
// every batch of changes, and fresh pages for tens of thousands of items cost more than
// filling them.
//
// Like the framework collection, it raises its errors (5 unknown key, 9 position out of range,
// 457 duplicate key, 13 unusable index) to the calling procedure, which reports them.
//
// Trap: the list holds its items strongly; a listed item lives until it is removed or the list
// is dropped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItem;

class RgCursorItemList final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgCursorItemList";

  RgCursorItemList() = default;
  std::string_view TypeName() const override { return kTypeName; }

  /// The key of an item: "OBJ " and the decimal address of the object; "" for nothing.
  static std::string KeyOf(const Ref<RgProjectItem>& item);

  int32_t Count() const { return static_cast<int32_t>(index_.Size()); }
  /// Prepares room for that many items (an optimisation only).
  void Reserve(size_t count);
  /// Starts loading the index entry that Append, Contains or IndexOf of this item will read, so
  /// that its cache miss overlaps with the caller's work (an optimisation only).
  void Prefetch(const Ref<RgProjectItem>& item) const { index_.Prefetch(platform::Identity(item)); }
  /// Appends the item; error 457 when it is listed already, 91 for nothing.
  void Append(Ref<RgProjectItem> item);
  /// Inserts the item directly after `anchor`, or in front of all when `anchor` is nothing, and
  /// answers its 1-based position; error 5 when `anchor` is not listed, 457 when the item is.
  int32_t InsertAfter(Ref<RgProjectItem> item, const Ref<RgProjectItem>& anchor);
  /// Replaces the whole content with these items in this order; error 457 (and the list stays
  /// as it was) when an item occurs twice.
  void Assign(const std::vector<Ref<RgProjectItem>>& items);
  /// Puts the listed items in a new order: `order[i]` is the 0-based position, in the current
  /// order, of the item that goes to position i + 1. Error 5 unless `order` is a permutation of
  /// the positions.
  void Reorder(const std::vector<uint32_t>& order);
  /// Removes the item; error 5 when it is not listed.
  void Remove(const Ref<RgProjectItem>& item);
  /// Empties the list; its memory stays for the next filling.
  void Clear();
  /// Empties the list and hands its references over into `into` (emptied first), roughly in
  /// the order the items were added; a list about to be rebuilt can so let go of each item
  /// while the rebuild is looking at it anyway.
  void TakeItems(std::vector<Ref<RgProjectItem>>& into);

  /// True when the item is listed; False for nothing.
  bool Contains(const Ref<RgProjectItem>& item) const;
  /// The item's 1-based position; 0 when it is not listed (or nothing).
  int32_t IndexOf(const Ref<RgProjectItem>& item);
  /// The item at a 1-based position; error 9 outside 1..Count.
  Ref<RgProjectItem> Item(int32_t position);
  /// The item under a key text ("OBJ 1234", case does not matter); error 5 when none has it.
  Ref<RgProjectItem> ItemByKey(std::string_view key);
  /// A text is a key, a number (or Boolean) a position; anything else is error 13.
  Ref<RgProjectItem> Item(const Variant& index);
  /// Every item in list order.
  std::vector<Ref<RgProjectItem>> Items();
  /// Calls `visit` with every item in list order, without copying the references; the list
  /// must not change meanwhile.
  template <class Visit>
  void ForEach(Visit&& visit) {
    for (const uint32_t node : InOrder()) visit(nodes_[node].item);
  }

 private:
  static constexpr uint32_t kNil = 0xFFFFFFFFu;
  /// Item identity -> node, by linear probing in a power-of-two table at most half full.
  class IdentityIndex {
   public:
    size_t Size() const { return size_; }
    /// The node of the identity, kNil when absent.
    uint32_t Find(const void* identity) const;
    /// False (and nothing changes) when the identity is present already.
    bool Insert(const void* identity, uint32_t node);
    /// The node field of a new entry for the identity; nullptr when it is present already.
    uint32_t* Claim(const void* identity);
    void Erase(const void* identity);
    /// Empties the table and keeps its room.
    void Clear();
    void Reserve(size_t count);
    void Prefetch(const void* identity) const {
      if (!slots_.empty()) __builtin_prefetch(&slots_[Home(identity)]);
    }

   private:
    struct Slot {
      const void* identity = nullptr;
      uint32_t node = 0;
    };
    size_t Home(const void* identity) const;
    std::vector<Slot> slots_;
    size_t size_ = 0;
  };

  struct Node {
    Ref<RgProjectItem> item;
    uint32_t left = kNil;
    uint32_t right = kNil;
    uint32_t parent = kNil;
    uint32_t size = 1;
    uint32_t priority = 0;
  };

  /// A node for an item whose identity is already in the index.
  uint32_t NewNode(Ref<RgProjectItem> item);
  void FreeNode(uint32_t node);
  uint32_t Size(uint32_t node) const { return node == kNil ? 0 : nodes_[node].size; }
  void Pull(uint32_t node);
  uint32_t Merge(uint32_t a, uint32_t b);
  /// Splits `tree` into its first `count` nodes and the rest.
  void Split(uint32_t tree, uint32_t count, uint32_t& first, uint32_t& rest);
  /// Builds a treap of the nodes in this order in linear time.
  uint32_t Build(const std::vector<uint32_t>& order);
  /// Joins the pending appends to the order.
  void Flush();
  /// Makes the tree describe the order (after Flush).
  void NeedTree();
  /// The nodes in list order (after Flush).
  const std::vector<uint32_t>& InOrder();
  uint32_t NodeOf(const Ref<RgProjectItem>& item) const;
  /// The 1-based position of a listed node (after Flush).
  uint32_t PositionOf(uint32_t node);
  /// The same from the tree (which must be valid).
  uint32_t TreePositionOf(uint32_t node) const;
  uint32_t NodeAt(uint32_t position) const;
  uint32_t NextPriority();

  InstanceTrace trace_{kTypeName};
  std::vector<Node> nodes_;
  std::vector<uint32_t> free_;
  std::vector<uint32_t> pending_;  // appended, not yet joined to the order, in order
  // The order: at least one of the two forms is valid (pending appends aside).
  std::vector<uint32_t> sequence_;  // the nodes in list order, while sequenceValid_
  bool sequenceValid_ = true;
  uint32_t root_ = kNil;  // the treap, while treeValid_
  bool treeValid_ = true;
  std::vector<uint32_t> positions_;  // node -> 0-based position, while positionsValid_
  bool positionsValid_ = false;
  std::vector<uint32_t> scratch_;  // a new sequence being built; Build's stacks
  std::vector<uint32_t> spine_;
  IdentityIndex index_;
  uint64_t random_ = 0x9E3779B97F4A7C15ull;  // fixed seed: same shapes every run
};

}  // namespace mzblprsx
