#include "host/project/Block.h"

#include <utility>

#include "host/project/Category.h"
#include "host/project/NotificationHub.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "host/project/SymbolTable.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/CachedQuery.h"
#include "platform/Error.h"

namespace host {

namespace {

[[noreturn]] void Invalid(std::string text) {
  throw platform::Error(platform::errc::kInvalidCall, std::move(text));
}

/// True when the value differed and was stored.
template <class T>
bool Assign(T& field, T value) {
  if (field == value) return false;
  field = std::move(value);
  return true;
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
  if (Assign(header_, std::move(header))) Changed();
}
void Block::SetAuthor(const std::string& author) {
  if (Assign(author_, author)) Changed();
}

void Block::SetLanguage(int32_t language) {
  if (language != 0 && BlockInfo::LanguageName(language).empty()) {
    Invalid("unknown language code " + std::to_string(language));
  }
  if (Assign(language_, language)) Changed();
}

void Block::SetSize(int32_t size) {
  if (size < 0) Invalid("size " + std::to_string(size) + " is negative");
  if (Assign(size_, size)) Changed();
}

std::string Block::LastModifiedText() {
  // Read for every block of every tree the library builds; writing the digits directly costs
  // a fraction of formatting them.
  const int year = lastModified_.Year();
  if (year < 0 || year > 9999) return lastModified_.ToString();  // not four digits: the rare form
  constexpr int64_t kSecondsPerDay = 86400;
  int64_t time = lastModified_.Seconds() % kSecondsPerDay;
  if (time < 0) time += kSecondsPerDay;
  std::string text(19, ' ');
  const auto put2 = [&text](size_t at, int64_t value) {
    text[at] = static_cast<char>('0' + value / 10);
    text[at + 1] = static_cast<char>('0' + value % 10);
  };
  put2(0, year / 100);
  put2(2, year % 100);
  text[4] = '-';
  put2(5, lastModified_.Month());
  text[7] = '-';
  put2(8, lastModified_.Day());
  put2(11, time / 3600);
  text[13] = ':';
  put2(14, time / 60 % 60);
  text[16] = ':';
  put2(17, time % 60);
  return text;
}

void Block::SetLastModified(platform::DateTime when) {
  if (Assign(lastModified_, when)) Changed();
}
void Block::SetProtected(bool value) {
  if (Assign(protected_, value)) Changed();
}
void Block::SetSystem(bool value) {
  if (Assign(system_, value)) Changed();
}
void Block::SetBody(std::string body) {
  if (Assign(body_, std::move(body))) Changed();
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
  Changed();
}

void Block::Changed() {
  Touch();
  NotifyBatched(online_ ? NotificationHub::kPlcBlockChanged : NotificationHub::kBlockChanged);
}

int32_t Block::CompareState() {
  const auto program = OwnerProgram();
  const auto other = program ? program->Counterpart() : nullptr;
  const auto twin = other ? other->FindBlock(type_, number_) : nullptr;
  if (!twin) return kNoCounterpart;
  return ComparesEqual(*twin) ? kEqual : kDifferent;
}

bool Block::ComparesEqual(const Block& other) const {
  const auto sameOwner = [](const std::optional<BlockInfo::BlockName>& a,
                            const std::optional<BlockInfo::BlockName>& b) {
    return a.has_value() == b.has_value() && (!a || (a->type == b->type && a->number == b->number));
  };
  return type_ == other.type_ && number_ == other.number_ && language_ == other.language_ &&
         protected_ == other.protected_ && system_ == other.system_ &&
         sameOwner(instanceOf_, other.instanceOf_) && body_ == other.body_;
}

void Block::TakeContentOf(const Block& content) {
  if (&content == this) return;
  SetInstanceOf(content.InstanceOf());  // first: the one datum that may be refused
  SetHeader(content.Header());
  SetAuthor(content.Author());
  SetLanguage(content.Language());
  SetSize(content.Size());
  SetLastModified(content.LastModified());
  SetProtected(content.Protected());
  SetSystem(content.System());
  SetBody(content.Body());
  if (Extras() != content.Extras()) {
    Extras() = content.Extras();
    Changed();
  }
}

int32_t Block::SymbolState() {
  return ProjectSymbols() ? symbolState_ : (symbolState_ | kSymbolReadOnly);
}

bool Block::InstanceOf(int32_t& blockType, int32_t& number) {
  if (!instanceOf_) return false;
  blockType = instanceOf_->type;
  number = instanceOf_->number;
  return true;
}

std::string Block::Symbol() {
  const auto symbols = ProjectSymbols();
  return symbols ? symbols->NameOf(Name()) : std::string();
}

void Block::SetSymbol(const std::string& symbol) {
  const auto symbols = ProjectSymbols();
  if (!symbols) {
    Invalid("the symbol of block " + Name() + " cannot be set: " +
            (online_          ? std::string("the PLC keeps no symbols")
             : OwnerProgram() ? std::string("the project has no symbol table")
                              : std::string("the block is in no project")));
  }
  if (symbol.empty()) {
    symbols->RemoveSymbol(Name());
    return;
  }
  symbols->SetSymbol(Name(), symbol);
}

platform::Ref<SymbolTable> Block::ProjectSymbols() const {
  if (online_) return {};
  // Read for every block of a tree being built: the queries are answered per class.
  const auto program = OwnerProgram();
  const auto project = program ? platform::CachedQuery<OfflineProject>(program->Parent()) : nullptr;
  return project ? project->Symbols() : nullptr;
}

platform::Ref<Program> Block::OwnerProgram() const {
  return platform::CachedQuery<Program>(Parent());
}

platform::Ref<Category> Block::OwnerCategory() const {
  return platform::Ref<Category>(category_.lock());
}

}  // namespace host
