// The ordered children of one project item, kept in blocks of at most a few hundred, so that an
// online program that receives its 65,535 blocks one by one in any order, each inserted next to
// its neighbour in block order, costs about the same per block as a tree built by appending.
//
//   ChildSequence children;
//   children.Insert(children.Size(), child);      // appends to the last block
//   const size_t at = children.PositionOf(*child);
//   std::shared_ptr<ProjectItem> taken = children.Erase(*child);
//
// Every child keeps its place in its own Place, which only its sequence writes: its block,
// always right, and its slot there, which insertions and removals before it in the block leave
// as it was (rewriting the slots of the siblings after it would touch each of those items, a
// cache miss each); a child found elsewhere in its block gets its slot written back. Each block
// knows its index among the blocks and its first position; the first positions after a change
// in the middle are recounted lazily, block by block, up to the block asked about. For n
// children in blocks of capacity B:
// - Insert and Erase move at most one block's entries (O(B)); a block that fills up splits,
//   one that empties goes and one that runs low merges with a neighbour (each O(n / B), rare).
//   Appending and erasing the last child are O(1).
// - PositionOf is O(1) while the first positions are known and the child's slot is right, and
//   else looks outwards from the old slot (O(B)); the first question beyond a change recounts
//   the blocks up to its own, each block once until the next change (O(n / B)). At searches the
//   blocks, O(1) in a walk by position (it remembers its block).
// - After and Before step from a child to its sibling and write the sibling's slot, so a walk
//   is O(1) per step without any position.
//
// Trap: a child belongs to at most one sequence; the references At, Front and Back answer are
// valid until the next Insert or Erase.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace host {

class ProjectItem;

class ChildSequence {
 public:
  struct Block;
  /// Where a child stands in its sequence: kept by the child, written by the sequence.
  struct Place {
    Block* block = nullptr;
    uint32_t slot = 0;
  };

  /// At 65,535 children in random order, blocks of 256 and of 512 measure alike; 512 keeps
  /// the recount of first positions short (128 blocks) where a longer move of entries is cheap.
  static constexpr uint32_t kBlockCapacity = 512;

  /// `blockCapacity` (at least 4) is the most children a block holds.
  explicit ChildSequence(uint32_t blockCapacity = kBlockCapacity);
  ~ChildSequence();
  ChildSequence(const ChildSequence&) = delete;
  ChildSequence& operator=(const ChildSequence&) = delete;

  size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  /// The child at a 0-based position below Size().
  const std::shared_ptr<ProjectItem>& At(size_t position) const;
  /// The first and the last child; the sequence must not be empty.
  const std::shared_ptr<ProjectItem>& Front() const;
  const std::shared_ptr<ProjectItem>& Back() const;
  /// The 0-based position of a child of this sequence.
  size_t PositionOf(const ProjectItem& child) const;
  /// The sibling after and before a child of this sequence; nullptr at the ends.
  ProjectItem* After(const ProjectItem& child) const;
  ProjectItem* Before(const ProjectItem& child) const;

  /// Inserts a child that is in no sequence at a position up to Size() (Size() appends).
  void Insert(size_t position, std::shared_ptr<ProjectItem> child);
  /// Takes a child of this sequence out; its place is cleared.
  std::shared_ptr<ProjectItem> Erase(ProjectItem& child);

 private:
  /// A child's slot in its block, written back into its place when it moved.
  static size_t SlotOf(const ProjectItem& child);
  /// The index of the block that holds a position below Size(); its first position is known.
  uint32_t BlockAt(size_t position) const;
  /// Recounts the first positions of the blocks from the first unknown one through `index`.
  void KnowThrough(uint32_t index) const;
  /// Halves a full block; the upper half becomes the block after it.
  void Split(uint32_t index);
  /// Merges a block that ran low into a neighbour when both fit in half a block.
  void MergeIfLow(uint32_t index);
  /// Appends the block after `index` to it and drops that block.
  void MergeNext(uint32_t index);
  void InsertBlock(uint32_t index, std::unique_ptr<Block> block);
  void EraseBlock(uint32_t index);
  void Forget(uint32_t fromIndex) const;

  std::vector<std::unique_ptr<Block>> blocks_;  // none is ever empty
  size_t size_ = 0;
  mutable uint32_t known_ = 0;  // the blocks before this index have right first positions
  mutable uint32_t hint_ = 0;   // the block At answered from last
  uint32_t capacity_;
};

}  // namespace host
