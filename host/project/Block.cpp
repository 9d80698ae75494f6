#include "host/project/Block.h"

#include <utility>

#include "host/project/Category.h"
#include "host/project/Program.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"

namespace host {

namespace {

[[noreturn]] void Invalid(std::string text) {
  throw platform::Error(platform::errc::kInvalidCall, std::move(text));
}

template <class T>
void Assign(T& field, T value, ProjectObject& owner) {
  if (field == value) return;
  field = std::move(value);
  owner.Touch();
}

}  // namespace

Block::Block(bool online, int32_t type, int32_t number)
    : ProjectDocument(online ? mzblprsx::clsid::kBlockOnline : mzblprsx::clsid::kBlockOffline, {},
                      {}),
      online_(online),
      type_(type),
      number_(number) {
  if (BlockInfo::TypeText(type).empty()) Invalid("unknown block type " + std::to_string(type));
  if (!BlockInfo::ValidNumber(type, number)) {
    Invalid("number " + std::to_string(number) + " is out of range 1.." +
            std::to_string(BlockInfo::MaxNumber(type)) + " for " +
            std::string(BlockInfo::TypeText(type)));
  }
}

void Block::SetName(std::string /*name*/) {
  Invalid("the name of block " + Name() + " is its type and number; renumber it instead");
}

void Block::SetHeader(std::string header) {
  Assign(header_, std::move(header), *this);
}
void Block::SetAuthor(std::string author) {
  Assign(author_, std::move(author), *this);
}

void Block::SetLanguage(int32_t language) {
  if (language != 0 && BlockInfo::LanguageName(language).empty()) {
    Invalid("unknown language code " + std::to_string(language));
  }
  Assign(language_, language, *this);
}

void Block::SetSize(int32_t size) {
  if (size < 0) Invalid("size " + std::to_string(size) + " is negative");
  Assign(size_, size, *this);
}

void Block::SetLastModified(platform::DateTime when) {
  Assign(lastModified_, when, *this);
}
void Block::SetProtected(bool value) {
  Assign(protected_, value, *this);
}
void Block::SetSystem(bool value) {
  Assign(system_, value, *this);
}
void Block::SetBody(std::string body) {
  Assign(body_, std::move(body), *this);
}

void Block::SetInstanceOf(std::optional<BlockInfo::BlockName> owner) {
  if (owner) {
    if (type_ != BlockInfo::kDb) Invalid("only a DB can be an instance data block");
    if (owner->type != BlockInfo::kFb && owner->type != BlockInfo::kSfb &&
        owner->type != BlockInfo::kUdt) {
      Invalid("an instance data block belongs to an FB, SFB or UDT");
    }
    if (!BlockInfo::ValidNumber(owner->type, owner->number)) {
      Invalid("number " + std::to_string(owner->number) + " is out of range 1.." +
              std::to_string(BlockInfo::MaxNumber(owner->type)) + " for " +
              std::string(BlockInfo::TypeText(owner->type)));
    }
  }
  const bool same =
      owner.has_value() == instanceOf_.has_value() &&
      (!owner || (owner->type == instanceOf_->type && owner->number == instanceOf_->number));
  if (same) return;
  instanceOf_ = owner;
  Touch();
}

platform::Ref<Program> Block::OwnerProgram() const {
  return Parent().As<Program>();
}

platform::Ref<Category> Block::OwnerCategory() const {
  return platform::Ref<Category>(category_.lock());
}

}  // namespace host
