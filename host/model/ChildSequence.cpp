#include "host/model/ChildSequence.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "host/model/ProjectItem.h"

namespace host {

struct ChildSequence::Block {
  std::vector<std::shared_ptr<ProjectItem>> items;
  size_t first = 0;    // position of items[0]; right while index < known_
  uint32_t index = 0;  // place among the blocks

  size_t End() const { return first + items.size(); }
  /// Writes the places of the items from `from` on (the items that changed blocks).
  void Renumber(size_t from) {
    for (size_t slot = from; slot < items.size(); ++slot) {
      items[slot]->place_ = Place{this, static_cast<uint32_t>(slot)};
    }
  }
};

ChildSequence::ChildSequence(uint32_t blockCapacity) : capacity_(std::max(blockCapacity, 4U)) {}

ChildSequence::~ChildSequence() = default;

const std::shared_ptr<ProjectItem>& ChildSequence::At(size_t position) const {
  if (blocks_.size() == 1) return blocks_.front()->items[position];
  const Block& block = *blocks_[BlockAt(position)];
  return block.items[position - block.first];
}

const std::shared_ptr<ProjectItem>& ChildSequence::Front() const {
  return blocks_.front()->items.front();
}

const std::shared_ptr<ProjectItem>& ChildSequence::Back() const {
  return blocks_.back()->items.back();
}

size_t ChildSequence::SlotOf(const ProjectItem& child) {
  const Block& block = *child.place_.block;
  const auto& items = block.items;
  const size_t guess = std::min<size_t>(child.place_.slot, items.size() - 1);
  if (items[guess].get() == &child) return guess;
  // Insertions before the child moved it up, removals down, by as many as happened since its
  // slot was last written: look outwards from there.
  for (size_t distance = 1; distance < items.size(); ++distance) {
    size_t slot = guess + distance;
    if (slot >= items.size() || items[slot].get() != &child) {
      if (distance > guess || items[guess - distance].get() != &child) continue;
      slot = guess - distance;
    }
    child.place_.slot = static_cast<uint32_t>(slot);
    return slot;
  }
  return guess;  // not reached: a child's block holds it
}

size_t ChildSequence::PositionOf(const ProjectItem& child) const {
  const Block& block = *child.place_.block;
  if (block.index >= known_) KnowThrough(block.index);
  return block.first + SlotOf(child);
}

ProjectItem* ChildSequence::After(const ProjectItem& child) const {
  const Block& block = *child.place_.block;
  const size_t slot = SlotOf(child) + 1;
  ProjectItem* next = nullptr;
  if (slot < block.items.size()) {
    next = block.items[slot].get();
    // A walk asks the sibling next: its slot is known now, so the step after it is O(1) too.
    next->place_.slot = static_cast<uint32_t>(slot);
  } else if (block.index + 1 < blocks_.size()) {
    next = blocks_[block.index + 1]->items.front().get();
    next->place_.slot = 0;
  }
  return next;
}

ProjectItem* ChildSequence::Before(const ProjectItem& child) const {
  const Block& block = *child.place_.block;
  const size_t slot = SlotOf(child);
  ProjectItem* previous = nullptr;
  if (slot > 0) {
    previous = block.items[slot - 1].get();
    previous->place_.slot = static_cast<uint32_t>(slot - 1);
  } else if (block.index > 0) {
    const Block& before = *blocks_[block.index - 1];
    previous = before.items.back().get();
    previous->place_.slot = static_cast<uint32_t>(before.items.size() - 1);
  }
  return previous;
}

uint32_t ChildSequence::BlockAt(size_t position) const {
  const auto holds = [&](uint32_t index) {
    return index < known_ && blocks_[index]->first <= position && position < blocks_[index]->End();
  };
  // A walk by position, forwards or backwards, stays in one block or moves to the next.
  if (holds(hint_)) return hint_;
  if (holds(hint_ + 1)) return ++hint_;
  if (hint_ > 0 && holds(hint_ - 1)) return --hint_;
  if (known_ == 0 || blocks_[known_ - 1]->End() <= position) {
    // Beyond the known blocks: recount up to the one that holds the position.
    if (known_ == 0) KnowThrough(0);
    while (blocks_[known_ - 1]->End() <= position) KnowThrough(known_);
    return hint_ = known_ - 1;
  }
  const auto known = blocks_.begin() + known_;
  const auto after = std::upper_bound(
      blocks_.begin(), known, position,
      [](size_t at, const std::unique_ptr<Block>& block) { return at < block->first; });
  return hint_ = static_cast<uint32_t>(std::distance(blocks_.begin(), after) - 1);
}

void ChildSequence::KnowThrough(uint32_t index) const {
  size_t first = known_ == 0 ? 0 : blocks_[known_ - 1]->End();
  for (; known_ <= index; ++known_) {
    Block& block = *blocks_[known_];
    block.first = first;
    first += block.items.size();
  }
}

void ChildSequence::Forget(uint32_t fromIndex) const {
  known_ = std::min(known_, fromIndex);
}

void ChildSequence::InsertBlock(uint32_t index, std::unique_ptr<Block> block) {
  blocks_.insert(blocks_.begin() + index, std::move(block));
  for (uint32_t i = index; i < blocks_.size(); ++i) blocks_[i]->index = i;
  Forget(index);
}

void ChildSequence::EraseBlock(uint32_t index) {
  blocks_.erase(blocks_.begin() + index);
  for (uint32_t i = index; i < blocks_.size(); ++i) blocks_[i]->index = i;
  Forget(index);
}

void ChildSequence::Insert(size_t position, std::shared_ptr<ProjectItem> child) {
  uint32_t index = 0;
  size_t slot = 0;
  if (position == size_) {
    // Appending fills the last block and then starts a full-sized one, so that a long list
    // built in order neither splits nor moves entries.
    if (blocks_.empty() || blocks_.back()->items.size() >= capacity_) {
      auto block = std::make_unique<Block>();
      if (!blocks_.empty()) block->items.reserve(capacity_);
      InsertBlock(static_cast<uint32_t>(blocks_.size()), std::move(block));
    }
    index = static_cast<uint32_t>(blocks_.size() - 1);
    slot = blocks_.back()->items.size();
  } else {
    index = BlockAt(position);
    slot = position - blocks_[index]->first;
    if (blocks_[index]->items.size() >= capacity_) {
      Split(index);
      const size_t lower = blocks_[index]->items.size();
      if (slot > lower) {
        slot -= lower;
        ++index;
      }
    }
  }
  Block& block = *blocks_[index];
  child->place_ = Place{&block, static_cast<uint32_t>(slot)};
  block.items.insert(block.items.begin() + static_cast<std::ptrdiff_t>(slot), std::move(child));
  ++size_;
  Forget(index + 1);
}

std::shared_ptr<ProjectItem> ChildSequence::Erase(ProjectItem& child) {
  Block& block = *child.place_.block;
  const size_t slot = SlotOf(child);
  const uint32_t index = block.index;
  child.place_ = Place{};
  auto taken = std::move(block.items[slot]);
  block.items.erase(block.items.begin() + static_cast<std::ptrdiff_t>(slot));
  --size_;
  if (block.items.empty()) {
    EraseBlock(index);
  } else {
    Forget(index + 1);
    MergeIfLow(index);
  }
  return taken;
}

void ChildSequence::Split(uint32_t index) {
  Block& lower = *blocks_[index];
  auto upper = std::make_unique<Block>();
  upper->items.reserve(capacity_);
  const auto half = lower.items.begin() + static_cast<std::ptrdiff_t>(lower.items.size() / 2);
  std::move(half, lower.items.end(), std::back_inserter(upper->items));
  lower.items.erase(half, lower.items.end());
  upper->Renumber(0);
  InsertBlock(index + 1, std::move(upper));
}

void ChildSequence::MergeIfLow(uint32_t index) {
  const size_t size = blocks_[index]->items.size();
  if (size >= capacity_ / 4) return;
  const auto fits = [&](uint32_t other) {
    return size + blocks_[other]->items.size() <= capacity_ / 2;
  };
  if (index + 1 < blocks_.size() && fits(index + 1)) {
    MergeNext(index);
  } else if (index > 0 && fits(index - 1)) {
    MergeNext(index - 1);
  }
}

void ChildSequence::MergeNext(uint32_t index) {
  Block& into = *blocks_[index];
  Block& from = *blocks_[index + 1];
  const size_t start = into.items.size();
  std::move(from.items.begin(), from.items.end(), std::back_inserter(into.items));
  into.Renumber(start);
  EraseBlock(index + 1);
}

}  // namespace host
