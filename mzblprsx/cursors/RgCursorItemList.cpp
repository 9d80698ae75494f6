#include "mzblprsx/cursors/RgCursorItemList.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "mzblprsx/interfaces/RgProjectItem.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

constexpr std::string_view kKeyPrefix = "OBJ ";

[[noreturn]] void NotListed() {
  throw platform::Error(platform::errc::kInvalidCall, "The item is not in the cursor's list");
}

}  // namespace

// --- IdentityIndex ----------------------------------------------------------------------------

size_t RgCursorItemList::IdentityIndex::Home(const void* identity) const {
  // Fibonacci hashing of the address; the low bits of an address carry little.
  const uint64_t bits = reinterpret_cast<uintptr_t>(identity) * 0x9E3779B97F4A7C15ull;
  return static_cast<size_t>(bits >> 32) & (slots_.size() - 1);
}

uint32_t RgCursorItemList::IdentityIndex::Find(const void* identity) const {
  if (slots_.empty()) return kNil;
  for (size_t i = Home(identity);; i = (i + 1) & (slots_.size() - 1)) {
    if (slots_[i].identity == identity) return slots_[i].node;
    if (!slots_[i].identity) return kNil;
  }
}

bool RgCursorItemList::IdentityIndex::Insert(const void* identity, uint32_t node) {
  uint32_t* slot = Claim(identity);
  if (slot) *slot = node;
  return slot != nullptr;
}

uint32_t* RgCursorItemList::IdentityIndex::Claim(const void* identity) {
  if ((size_ + 1) * 2 > slots_.size()) Reserve(size_ + 1);
  size_t i = Home(identity);
  for (; slots_[i].identity; i = (i + 1) & (slots_.size() - 1)) {
    if (slots_[i].identity == identity) return nullptr;
  }
  slots_[i] = Slot{identity, kNil};
  ++size_;
  return &slots_[i].node;
}

void RgCursorItemList::IdentityIndex::Erase(const void* identity) {
  if (slots_.empty()) return;
  const size_t mask = slots_.size() - 1;
  size_t hole = Home(identity);
  for (; slots_[hole].identity != identity; hole = (hole + 1) & mask) {
    if (!slots_[hole].identity) return;
  }
  // Backward shift: move up every later entry of the cluster whose home does not lie in the
  // stretch between the hole and itself, so that no search stops early at the hole.
  for (size_t next = (hole + 1) & mask; slots_[next].identity; next = (next + 1) & mask) {
    const size_t home = Home(slots_[next].identity);
    const bool stays = hole <= next ? hole < home && home <= next : hole < home || home <= next;
    if (stays) continue;
    slots_[hole] = slots_[next];
    hole = next;
  }
  slots_[hole] = Slot{};
  --size_;
}

void RgCursorItemList::IdentityIndex::Clear() {
  if (size_ != 0) std::fill(slots_.begin(), slots_.end(), Slot{});
  size_ = 0;
}

void RgCursorItemList::IdentityIndex::Reserve(size_t count) {
  size_t capacity = 16;
  while (capacity < count * 2) capacity *= 2;
  if (capacity <= slots_.size()) return;
  std::vector<Slot> old(capacity);
  old.swap(slots_);
  size_ = 0;
  for (const Slot& slot : old) {
    if (slot.identity) Insert(slot.identity, slot.node);
  }
}

// --- The list -----------------------------------------------------------------------------------

std::string RgCursorItemList::KeyOf(const Ref<RgProjectItem>& item) {
  const void* identity = platform::Identity(item);
  if (!identity) return {};
  return std::string(kKeyPrefix) + std::to_string(reinterpret_cast<uintptr_t>(identity));
}

uint32_t RgCursorItemList::NextPriority() {
  // xorshift64*: cheap, and the same sequence every run.
  random_ ^= random_ >> 12;
  random_ ^= random_ << 25;
  random_ ^= random_ >> 27;
  return static_cast<uint32_t>((random_ * 0x2545F4914F6CDD1Dull) >> 32);
}

uint32_t RgCursorItemList::NewNode(Ref<RgProjectItem> item) {
  uint32_t node = 0;
  if (free_.empty()) {
    node = static_cast<uint32_t>(nodes_.size());
    nodes_.emplace_back();
  } else {
    node = free_.back();
    free_.pop_back();
  }
  Node& n = nodes_[node];
  n = Node{};
  n.item = std::move(item);
  n.priority = NextPriority();
  return node;
}

void RgCursorItemList::FreeNode(uint32_t node) {
  nodes_[node].item.Reset();
  free_.push_back(node);
}

void RgCursorItemList::Pull(uint32_t node) {
  Node& n = nodes_[node];
  n.size = 1 + Size(n.left) + Size(n.right);
  if (n.left != kNil) nodes_[n.left].parent = node;
  if (n.right != kNil) nodes_[n.right].parent = node;
}

uint32_t RgCursorItemList::Merge(uint32_t a, uint32_t b) {
  if (a == kNil) return b;
  if (b == kNil) return a;
  if (nodes_[a].priority > nodes_[b].priority) {
    nodes_[a].right = Merge(nodes_[a].right, b);
    Pull(a);
    return a;
  }
  nodes_[b].left = Merge(a, nodes_[b].left);
  Pull(b);
  return b;
}

void RgCursorItemList::Split(uint32_t tree, uint32_t count, uint32_t& first, uint32_t& rest) {
  if (tree == kNil) {
    first = rest = kNil;
    return;
  }
  const uint32_t leftSize = Size(nodes_[tree].left);
  if (count <= leftSize) {
    uint32_t tail = kNil;
    Split(nodes_[tree].left, count, first, tail);
    nodes_[tree].left = tail;
    Pull(tree);
    rest = tree;
  } else {
    uint32_t head = kNil;
    Split(nodes_[tree].right, count - leftSize - 1, head, rest);
    nodes_[tree].right = head;
    Pull(tree);
    first = tree;
  }
  if (first != kNil) nodes_[first].parent = kNil;
  if (rest != kNil) nodes_[rest].parent = kNil;
}

uint32_t RgCursorItemList::Build(const std::vector<uint32_t>& order) {
  // The Cartesian tree of the priorities: a stack holds the right spine built so far.
  std::vector<uint32_t>& spine = spine_;
  spine.clear();
  for (const uint32_t node : order) {
    uint32_t last = kNil;
    while (!spine.empty() && nodes_[spine.back()].priority < nodes_[node].priority) {
      last = spine.back();
      spine.pop_back();
    }
    nodes_[node].left = last;
    nodes_[node].right = kNil;
    if (!spine.empty()) nodes_[spine.back()].right = node;
    spine.push_back(node);
  }
  if (spine.empty()) return kNil;
  const uint32_t root = spine.front();
  // Sizes and parents bottom-up: a pre-order walk read backwards visits children first. The
  // spine is done with: it serves as the walk's stack.
  std::vector<uint32_t>& preOrder = scratch_;
  preOrder.clear();
  std::vector<uint32_t>& pending = spine;
  pending.assign(1, root);
  while (!pending.empty()) {
    const uint32_t node = pending.back();
    pending.pop_back();
    preOrder.push_back(node);
    if (nodes_[node].left != kNil) pending.push_back(nodes_[node].left);
    if (nodes_[node].right != kNil) pending.push_back(nodes_[node].right);
  }
  for (auto it = preOrder.rbegin(); it != preOrder.rend(); ++it) Pull(*it);
  nodes_[root].parent = kNil;
  return root;
}

void RgCursorItemList::Flush() {
  if (pending_.empty()) return;
  if (sequenceValid_) {
    // A list filled front to back stays a sequence; the tree is derived when needed.
    if (positionsValid_) {
      positions_.resize(nodes_.size());
      for (size_t i = 0; i < pending_.size(); ++i) {
        positions_[pending_[i]] = static_cast<uint32_t>(sequence_.size() + i);
      }
    }
    sequence_.insert(sequence_.end(), pending_.begin(), pending_.end());
    treeValid_ = false;
  } else {
    const uint32_t tail = Build(pending_);
    root_ = Merge(root_, tail);
    nodes_[root_].parent = kNil;
  }
  pending_.clear();
}

void RgCursorItemList::NeedTree() {
  if (treeValid_) return;
  root_ = Build(sequence_);
  treeValid_ = true;
}

const std::vector<uint32_t>& RgCursorItemList::InOrder() {
  Flush();
  if (sequenceValid_) return sequence_;
  std::vector<uint32_t>& out = sequence_;
  out.clear();
  out.reserve(index_.Size());
  std::vector<uint32_t>& path = spine_;
  path.clear();
  uint32_t node = root_;
  while (node != kNil || !path.empty()) {
    for (; node != kNil; node = nodes_[node].left) path.push_back(node);
    node = path.back();
    path.pop_back();
    out.push_back(node);
    node = nodes_[node].right;
  }
  sequenceValid_ = true;
  return out;
}

uint32_t RgCursorItemList::NodeOf(const Ref<RgProjectItem>& item) const {
  const void* identity = platform::Identity(item);
  return identity ? index_.Find(identity) : kNil;
}

uint32_t RgCursorItemList::PositionOf(uint32_t node) {
  if (sequenceValid_) {
    if (!positionsValid_) {
      positions_.resize(nodes_.size());
      for (size_t i = 0; i < sequence_.size(); ++i) {
        positions_[sequence_[i]] = static_cast<uint32_t>(i);
      }
      positionsValid_ = true;
    }
    return positions_[node] + 1;
  }
  return TreePositionOf(node);
}

uint32_t RgCursorItemList::TreePositionOf(uint32_t node) const {
  uint32_t position = Size(nodes_[node].left) + 1;
  for (uint32_t child = node, parent = nodes_[node].parent; parent != kNil;
       child = parent, parent = nodes_[parent].parent) {
    if (nodes_[parent].right == child) position += Size(nodes_[parent].left) + 1;
  }
  return position;
}

uint32_t RgCursorItemList::NodeAt(uint32_t position) const {
  uint32_t node = root_;
  while (node != kNil) {
    const uint32_t leftSize = Size(nodes_[node].left);
    if (position <= leftSize) {
      node = nodes_[node].left;
    } else if (position == leftSize + 1) {
      return node;
    } else {
      position -= leftSize + 1;
      node = nodes_[node].right;
    }
  }
  return kNil;
}

void RgCursorItemList::Reserve(size_t count) {
  index_.Reserve(count);
  nodes_.reserve(count);
}

void RgCursorItemList::Append(Ref<RgProjectItem> item) {
  const void* identity = platform::Identity(item);
  if (!identity) throw platform::Error(platform::errc::kObjectNotSet);
  uint32_t* slot = index_.Claim(identity);
  if (!slot) throw platform::Error(platform::errc::kDuplicateKey);
  *slot = NewNode(std::move(item));
  pending_.push_back(*slot);
}

int32_t RgCursorItemList::InsertAfter(Ref<RgProjectItem> item, const Ref<RgProjectItem>& anchor) {
  const void* identity = platform::Identity(item);
  if (!identity) throw platform::Error(platform::errc::kObjectNotSet);
  if (NodeOf(item) != kNil) throw platform::Error(platform::errc::kDuplicateKey);
  Flush();
  uint32_t anchorNode = kNil;
  if (anchor) {
    anchorNode = NodeOf(anchor);
    if (anchorNode == kNil) NotListed();
  }
  NeedTree();
  const uint32_t at = anchorNode == kNil ? 0 : TreePositionOf(anchorNode);
  const uint32_t node = NewNode(std::move(item));
  index_.Insert(identity, node);
  uint32_t head = kNil;
  uint32_t tail = kNil;
  Split(root_, at, head, tail);
  root_ = Merge(Merge(head, node), tail);
  sequenceValid_ = positionsValid_ = false;
  nodes_[root_].parent = kNil;
  return static_cast<int32_t>(at + 1);
}

void RgCursorItemList::Assign(const std::vector<Ref<RgProjectItem>>& items) {
  IdentityIndex index;
  index.Reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const void* identity = platform::Identity(items[i]);
    if (!identity) throw platform::Error(platform::errc::kObjectNotSet);
    if (!index.Insert(identity, static_cast<uint32_t>(i))) {
      throw platform::Error(platform::errc::kDuplicateKey);
    }
  }
  Clear();  // so that the nodes are numbered 0, 1, ... as in `index`
  index_ = std::move(index);
  nodes_.reserve(items.size());
  pending_.reserve(items.size());
  for (const auto& item : items) pending_.push_back(NewNode(item));
}

void RgCursorItemList::Reorder(const std::vector<uint32_t>& order) {
  const std::vector<uint32_t>& current = InOrder();
  std::vector<bool> taken(current.size());
  std::vector<uint32_t>& sequence = scratch_;
  sequence.clear();
  sequence.reserve(current.size());
  for (const uint32_t position : order) {
    if (position >= current.size() || taken[position]) break;
    taken[position] = true;
    sequence.push_back(current[position]);
  }
  if (sequence.size() != current.size() || order.size() != current.size()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "A new order must name every position of the list once");
  }
  // The old sequence's room serves the next new order.
  sequence_.swap(sequence);
  treeValid_ = positionsValid_ = false;
}

void RgCursorItemList::Remove(const Ref<RgProjectItem>& item) {
  const uint32_t node = NodeOf(item);
  if (node == kNil) NotListed();
  Flush();
  NeedTree();
  const uint32_t at = TreePositionOf(node);
  uint32_t head = kNil;
  uint32_t rest = kNil;
  uint32_t middle = kNil;
  uint32_t tail = kNil;
  Split(root_, at - 1, head, rest);
  Split(rest, 1, middle, tail);
  root_ = Merge(head, tail);
  if (root_ != kNil) nodes_[root_].parent = kNil;
  sequenceValid_ = positionsValid_ = false;
  index_.Erase(platform::Identity(item));
  FreeNode(middle);
}

void RgCursorItemList::Clear() {
  nodes_.clear();
  free_.clear();
  pending_.clear();
  sequence_.clear();
  sequenceValid_ = true;
  root_ = kNil;
  treeValid_ = true;
  positionsValid_ = false;
  index_.Clear();
}

void RgCursorItemList::TakeItems(std::vector<Ref<RgProjectItem>>& into) {
  into.clear();
  into.reserve(index_.Size());
  for (Node& node : nodes_) {
    if (node.item) into.push_back(std::move(node.item));
  }
  Clear();
}

bool RgCursorItemList::Contains(const Ref<RgProjectItem>& item) const {
  return NodeOf(item) != kNil;
}

int32_t RgCursorItemList::IndexOf(const Ref<RgProjectItem>& item) {
  const uint32_t node = NodeOf(item);
  if (node == kNil) return 0;
  Flush();
  return static_cast<int32_t>(PositionOf(node));
}

Ref<RgProjectItem> RgCursorItemList::Item(int32_t position) {
  if (position < 1 || position > Count()) {
    throw platform::Error(platform::errc::kSubscript, "Position " + std::to_string(position) +
                                                          " is outside the list of " +
                                                          std::to_string(Count()) + " items");
  }
  Flush();
  const auto at = static_cast<uint32_t>(position);
  return nodes_[sequenceValid_ ? sequence_[at - 1] : NodeAt(at)].item;
}

Ref<RgProjectItem> RgCursorItemList::ItemByKey(std::string_view key) {
  // The key is the address of a listed item: read it back and look it up.
  const auto notFound = [&]() -> Ref<RgProjectItem> {
    throw platform::Error(platform::errc::kInvalidCall,
                          "No item of the cursor has the key \"" + std::string(key) + "\"");
  };
  if (key.size() <= kKeyPrefix.size() ||
      !platform::text::EqualsNoCase(key.substr(0, kKeyPrefix.size()), kKeyPrefix)) {
    return notFound();
  }
  const std::string_view digits = key.substr(kKeyPrefix.size());
  uintptr_t address = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), address);
  if (error != std::errc() || end != digits.data() + digits.size()) return notFound();
  const uint32_t node = index_.Find(reinterpret_cast<const void*>(address));
  if (node == kNil) return notFound();
  return nodes_[node].item;
}

Ref<RgProjectItem> RgCursorItemList::Item(const Variant& index) {
  switch (index.Type()) {
    case platform::VarType::String:
      return ItemByKey(index.ToString());
    case platform::VarType::Null:
    case platform::VarType::Object:
    case platform::VarType::Array:
      throw platform::Error(
          platform::errc::kTypeMismatch,
          "A cursor item is chosen by a position or a key, not by " + index.TypeName());
    default:
      return Item(index.ToInt32());
  }
}

std::vector<Ref<RgProjectItem>> RgCursorItemList::Items() {
  std::vector<Ref<RgProjectItem>> out;
  out.reserve(index_.Size());
  for (const uint32_t node : InOrder()) out.push_back(nodes_[node].item);
  return out;
}

}  // namespace mzblprsx
