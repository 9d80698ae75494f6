// A block category of an offline program: an identifier, a name, and its own ordered list of the
// program's blocks (the order in which the explorer shows them).
//
//   auto motors = platform::MakeObject<Category>(2, "Motors");
//   program->AddCategory(motors);
//   motors->InsertMember(program->FindBlock(BlockInfo::kFb, 10));   // appended
//
// The object identifier is the identifier in decimal ("2"), the form in which the program's
// default category and its stored category order name a category. The library reads it through
// IRgCategory; a rename notifies 256 on the program (NotificationHub), member changes notify
// nothing (they follow the tree, see CategorySync).
//
// Trap: a block is listed by at most one category; inserting it here takes it out of the
// category that listed it before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/project/ProjectObject.h"
#include "host/project/XmlExtras.h"
#include "mzblprsx/interfaces/IRgCategory.h"

namespace host {

class Block;
class Program;

class Category : public ProjectObject, public virtual mzblprsx::IRgCategory {
 public:
  static constexpr size_t kEnd = static_cast<size_t>(-1);

  /// Error 5 for an identifier below 1.
  Category(int32_t id, std::string name);

  std::string_view TypeName() const override { return "Category"; }

  // IRgCategory
  using ProjectObject::Name;
  std::string Name() override { return ProjectObject::Name(); }
  /// Renames after the category service's checks: error 5 for an empty (blank) name, 457 when
  /// another category of the program has the name without regard to case.
  void Rename(const std::string& name) override;
  /// The member blocks' names ("FB10"), in the category's order.
  std::vector<std::string> BlockIDs() override;

  /// The framework delete: the program drops the category (its blocks stay in the program,
  /// listed by no category). Deleting a category that its program already dropped does nothing,
  /// since the library deletes a category through its handler and then once more directly.
  void Delete() override;

  int32_t Id() const { return id_; }
  /// The blocks in the category's order.
  const std::vector<platform::Ref<Block>>& Members() const { return members_; }
  /// What the file said about a member's element that this host does not understand.
  XmlExtras& MemberExtras(size_t index) { return memberExtras_.at(index); }
  const XmlExtras& MemberExtras(size_t index) const { return memberExtras_.at(index); }
  /// Lists the block at a 0-based position (kEnd or beyond the end: appended), taking it out of
  /// any category (this one included) that listed it; the position counts in the list without
  /// the block. Error 5 unless the category and the block are in the same program.
  void InsertMember(const platform::Ref<Block>& block, size_t position = kEnd,
                    XmlExtras extras = {});
  /// Lists the block directly after `after` (nullptr or a block not listed here: at the front),
  /// changing nothing when it is already there. Error 5 as InsertMember.
  void InsertMemberAfter(const platform::Ref<Block>& block, const Block* after);
  /// False when the block is not listed here.
  bool RemoveMember(const Block& block);
  /// Unlists every listed block of the set in one pass; returns how many.
  size_t RemoveMembers(const std::unordered_set<const Block*>& blocks);
  /// The 0-based position of the block; -1 when not listed here. Amortised O(1).
  int64_t IndexOfMember(const Block& block) const;
  /// Unlists every block.
  void ClearMembers();

  /// The program that holds the category; nothing when in none.
  platform::Ref<Program> OwnerProgram() const;

 protected:
  /// Notifies 256 on the program.
  void OnRenamed() override;

 private:
  friend class Program;  // marks the category dropped

  void EraseAt(size_t index);
  void Reindex() const;

  int32_t id_;
  bool dropped_ = false;  // was in a program that let it go
  std::vector<platform::Ref<Block>> members_;
  std::vector<XmlExtras> memberExtras_;
  // Positions of the members; appending keeps them right, any other change makes them stale
  // until the next lookup, so a tree build that appends stays linear.
  mutable std::unordered_map<const Block*, size_t> positions_;
  mutable bool positionsValid_ = true;
  // The position last found: a tree that follows the list asks next for the member there.
  mutable size_t lastFound_ = 0;
};

}  // namespace host
