#include "host/project/Category.h"

#include <algorithm>
#include <utility>

#include "host/project/Block.h"
#include "host/project/NotificationHub.h"
#include "host/project/Program.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"

namespace host {

Category::Category(int32_t id, std::string name)
    : ProjectObject(mzblprsx::clsid::kCategory, std::to_string(id), std::move(name)), id_(id) {
  if (id < 1) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "category identifier " + std::to_string(id) + " is below 1");
  }
}

void Category::Rename(const std::string& name) {
  const auto program = OwnerProgram();
  if (!program) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "category '" + Name() + "' cannot be renamed: it is in no program");
  }
  switch (program->CheckCategoryName(name, this)) {
    case Program::kNameMissing:
      throw platform::Error(platform::errc::kInvalidCall,
                            "category '" + Name() + "' cannot be renamed: the new name is empty");
    case Program::kNameExists:
      throw platform::Error(platform::errc::kDuplicateKey,
                            "category '" + Name() + "' cannot be renamed: program '" +
                                program->Name() + "' already has a category '" + name + "'");
    default:
      SetName(name);
  }
}

std::vector<std::string> Category::BlockIDs() {
  std::vector<std::string> ids;
  ids.reserve(members_.size());
  for (const auto& member : members_) ids.push_back(member->Name());
  return ids;
}

void Category::OnRenamed() {
  const auto program = OwnerProgram();
  const auto hub = ProjectHub();
  if (program && hub) hub->RaiseBatched(NotificationHub::kStructureChanged, *program);
}

void Category::Delete() {
  if (dropped_ && !Parent()) return;
  ProjectObject::Delete();
}

void Category::InsertMember(const platform::Ref<Block>& block, size_t position, XmlExtras extras) {
  const auto program = OwnerProgram();
  if (!program || !block || !SameObject(program, block->OwnerProgram())) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "category '" + Name() + "' can only list blocks of its own program");
  }
  if (auto previous = block->OwnerCategory()) previous->RemoveMember(*block);
  position = std::min(position, members_.size());
  const bool append = position == members_.size();
  members_.insert(members_.begin() + static_cast<std::ptrdiff_t>(position), block);
  memberExtras_.insert(memberExtras_.begin() + static_cast<std::ptrdiff_t>(position),
                       std::move(extras));
  if (append && positionsValid_) {
    positions_[block.Get()] = position;
  } else {
    positionsValid_ = false;
  }
  block->category_ = platform::Self(this).Shared();
  Touch();
}

void Category::InsertMemberAfter(const platform::Ref<Block>& block, const Block* after) {
  if (after == block.Get()) return;
  const int64_t afterAt = after ? IndexOfMember(*after) : -1;
  const bool listedHere = block && SameObject(block->OwnerCategory(), platform::Self(this));
  // A tree built in the list's order asks for each member right after the one before it.
  const auto next = static_cast<size_t>(afterAt + 1);
  if (listedHere && next < members_.size() && members_[next].Get() == block.Get()) {
    lastFound_ = next;
    return;  // already in place: the file stays as it was
  }
  const int64_t at = listedHere ? IndexOfMember(*block) : -1;
  if (listedHere && at == afterAt + 1) return;  // already in place: the file stays as it was
  // The position counts in the list without the block, which may stand before `after`.
  const int64_t position = afterAt < 0 ? 0 : (listedHere && at < afterAt ? afterAt : afterAt + 1);
  XmlExtras extras = listedHere ? memberExtras_[static_cast<size_t>(at)] : XmlExtras{};
  InsertMember(block, static_cast<size_t>(position), std::move(extras));
}

bool Category::RemoveMember(const Block& block) {
  const int64_t index = IndexOfMember(block);
  if (index < 0) return false;
  EraseAt(static_cast<size_t>(index));
  Touch();
  return true;
}

size_t Category::RemoveMembers(const std::unordered_set<const Block*>& blocks) {
  size_t kept = 0;
  for (size_t i = 0; i < members_.size(); ++i) {
    if (blocks.count(members_[i].Get()) != 0) {
      members_[i]->category_.reset();
      continue;
    }
    if (kept != i) {
      members_[kept] = std::move(members_[i]);
      memberExtras_[kept] = std::move(memberExtras_[i]);
    }
    ++kept;
  }
  const size_t removed = members_.size() - kept;
  if (removed == 0) return 0;
  members_.resize(kept);
  memberExtras_.resize(kept);
  positions_.clear();
  positionsValid_ = false;
  Touch();
  return removed;
}

int64_t Category::IndexOfMember(const Block& block) const {
  // A block is listed once, so the member at the last found place answers without a look-up.
  if (lastFound_ < members_.size() && members_[lastFound_].Get() == &block) {
    return static_cast<int64_t>(lastFound_);
  }
  if (!positionsValid_) Reindex();
  const auto it = positions_.find(&block);
  if (it == positions_.end()) return -1;
  lastFound_ = it->second;
  return static_cast<int64_t>(it->second);
}

void Category::ClearMembers() {
  if (members_.empty()) return;
  for (const auto& member : members_) member->category_.reset();
  members_.clear();
  memberExtras_.clear();
  positions_.clear();
  positionsValid_ = true;
  Touch();
}

platform::Ref<Program> Category::OwnerProgram() const {
  return Parent().As<Program>();
}

void Category::EraseAt(size_t index) {
  positions_.erase(members_[index].Get());
  if (index + 1 != members_.size()) positionsValid_ = false;
  members_[index]->category_.reset();
  members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(index));
  memberExtras_.erase(memberExtras_.begin() + static_cast<std::ptrdiff_t>(index));
}

void Category::Reindex() const {
  positions_.clear();
  positions_.reserve(members_.size());
  for (size_t i = 0; i < members_.size(); ++i) positions_.emplace(members_[i].Get(), i);
  positionsValid_ = true;
}

}  // namespace host
