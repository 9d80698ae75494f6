#include "mzblprsx/cursors/RgCursorItemList.h"

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

uint32_t RgCursorItemList::NewNode(Ref<RgProjectItem> item, const void* identity) {
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
  index_.emplace(identity, node);
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
  std::vector<uint32_t> spine;
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
  // Sizes and parents bottom-up: a pre-order walk read backwards visits children first.
  std::vector<uint32_t> preOrder;
  preOrder.reserve(order.size());
  std::vector<uint32_t> pending{root};
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
  const uint32_t tail = Build(pending_);
  pending_.clear();
  root_ = Merge(root_, tail);
  nodes_[root_].parent = kNil;
}

uint32_t RgCursorItemList::NodeOf(const Ref<RgProjectItem>& item) const {
  const void* identity = platform::Identity(item);
  if (!identity) return kNil;
  const auto it = index_.find(identity);
  return it == index_.end() ? kNil : it->second;
}

uint32_t RgCursorItemList::PositionOf(uint32_t node) const {
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

void RgCursorItemList::Append(Ref<RgProjectItem> item) {
  const void* identity = platform::Identity(item);
  if (!identity) throw platform::Error(platform::errc::kObjectNotSet);
  if (index_.count(identity) != 0) throw platform::Error(platform::errc::kDuplicateKey);
  pending_.push_back(NewNode(std::move(item), identity));
}

int32_t RgCursorItemList::InsertAfter(Ref<RgProjectItem> item, const Ref<RgProjectItem>& anchor) {
  const void* identity = platform::Identity(item);
  if (!identity) throw platform::Error(platform::errc::kObjectNotSet);
  if (index_.count(identity) != 0) throw platform::Error(platform::errc::kDuplicateKey);
  Flush();
  uint32_t at = 0;
  if (anchor) {
    const uint32_t anchorNode = NodeOf(anchor);
    if (anchorNode == kNil) NotListed();
    at = PositionOf(anchorNode);
  }
  const uint32_t node = NewNode(std::move(item), identity);
  uint32_t head = kNil;
  uint32_t tail = kNil;
  Split(root_, at, head, tail);
  root_ = Merge(Merge(head, node), tail);
  nodes_[root_].parent = kNil;
  return static_cast<int32_t>(at + 1);
}

void RgCursorItemList::Assign(const std::vector<Ref<RgProjectItem>>& items) {
  std::unordered_map<const void*, uint32_t> seen;
  seen.reserve(items.size());
  for (const auto& item : items) {
    const void* identity = platform::Identity(item);
    if (!identity) throw platform::Error(platform::errc::kObjectNotSet);
    if (!seen.emplace(identity, 0).second) throw platform::Error(platform::errc::kDuplicateKey);
  }
  Clear();
  nodes_.reserve(items.size());
  index_.reserve(items.size());
  pending_.reserve(items.size());
  for (const auto& item : items) pending_.push_back(NewNode(item, platform::Identity(item)));
}

void RgCursorItemList::Remove(const Ref<RgProjectItem>& item) {
  const uint32_t node = NodeOf(item);
  if (node == kNil) NotListed();
  Flush();
  uint32_t head = kNil;
  uint32_t rest = kNil;
  uint32_t middle = kNil;
  uint32_t tail = kNil;
  Split(root_, PositionOf(node) - 1, head, rest);
  Split(rest, 1, middle, tail);
  root_ = Merge(head, tail);
  if (root_ != kNil) nodes_[root_].parent = kNil;
  index_.erase(platform::Identity(item));
  FreeNode(middle);
}

void RgCursorItemList::Clear() {
  nodes_.clear();
  free_.clear();
  pending_.clear();
  index_.clear();
  root_ = kNil;
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
    throw platform::Error(platform::errc::kSubscript,
                          "Position " + std::to_string(position) + " is outside the list of " +
                              std::to_string(Count()) + " items");
  }
  Flush();
  return nodes_[NodeAt(static_cast<uint32_t>(position))].item;
}

Ref<RgProjectItem> RgCursorItemList::Item(std::string_view key) {
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
  const auto it = index_.find(reinterpret_cast<const void*>(address));
  if (it == index_.end()) return notFound();
  return nodes_[it->second].item;
}

Ref<RgProjectItem> RgCursorItemList::Item(const Variant& index) {
  switch (index.Type()) {
    case platform::VarType::String:
      return Item(std::string_view(index.ToString()));
    case platform::VarType::Null:
    case platform::VarType::Object:
    case platform::VarType::Array:
      throw platform::Error(platform::errc::kTypeMismatch,
                            "A cursor item is chosen by a position or a key, not by " +
                                index.TypeName());
    default:
      return Item(index.ToInt32());
  }
}

std::vector<Ref<RgProjectItem>> RgCursorItemList::Items() {
  Flush();
  std::vector<Ref<RgProjectItem>> out;
  out.reserve(index_.size());
  std::vector<uint32_t> path;
  uint32_t node = root_;
  while (node != kNil || !path.empty()) {
    while (node != kNil) {
      path.push_back(node);
      node = nodes_[node].left;
    }
    node = path.back();
    path.pop_back();
    out.push_back(nodes_[node].item);
    node = nodes_[node].right;
  }
  return out;
}

}  // namespace mzblprsx
