#include "host/project/Category.h"

#include <algorithm>
#include <utility>

#include "host/project/Block.h"
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

void Category::InsertMember(const platform::Ref<Block>& block, size_t position, XmlExtras extras) {
  const auto program = OwnerProgram();
  if (!program || !block || !SameObject(program, block->OwnerProgram())) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "category '" + Name() + "' can only list blocks of its own program");
  }
  if (auto previous = block->OwnerCategory()) previous->RemoveMember(*block);
  position = std::min(position, members_.size());
  members_.insert(members_.begin() + static_cast<std::ptrdiff_t>(position), block);
  memberExtras_.insert(memberExtras_.begin() + static_cast<std::ptrdiff_t>(position),
                       std::move(extras));
  block->category_ = platform::Self(this).Shared();
  Touch();
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
  Touch();
  return removed;
}

int64_t Category::IndexOfMember(const Block& block) const {
  const auto it = std::find_if(members_.begin(), members_.end(),
                               [&](const auto& member) { return member.Get() == &block; });
  return it == members_.end() ? -1 : it - members_.begin();
}

void Category::ClearMembers() {
  if (members_.empty()) return;
  for (const auto& member : members_) member->category_.reset();
  members_.clear();
  memberExtras_.clear();
  Touch();
}

platform::Ref<Program> Category::OwnerProgram() const {
  return Parent().As<Program>();
}

void Category::EraseAt(size_t index) {
  members_[index]->category_.reset();
  members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(index));
  memberExtras_.erase(memberExtras_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace host
