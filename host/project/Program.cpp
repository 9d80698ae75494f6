#include "host/project/Program.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "host/project/Block.h"
#include "host/project/BlockInfo.h"
#include "host/project/Category.h"
#include "host/project/NotificationHub.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/SymbolTable.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace {

[[noreturn]] void Invalid(std::string text) {
  throw platform::Error(platform::errc::kInvalidCall, std::move(text));
}

}  // namespace

Program::Program(bool online, std::string name)
    : ProjectDocument(online ? mzblprsx::clsid::kProgramOnline : mzblprsx::clsid::kProgramOffline,
                      "PROGRAM", std::move(name)),
      online_(online) {}

std::vector<uint8_t> Program::DataBlock(const std::string& name) {
  if (name == mzblprsx::kCategoryOrderBlock) {
    return online_ ? std::vector<uint8_t>() : CategoryOrderBytes();
  }
  const auto it = dataBlocks_.find(name);
  return it == dataBlocks_.end() ? std::vector<uint8_t>() : it->second;
}

void Program::SetDataBlock(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (name == mzblprsx::kCategoryOrderBlock) {
    SetCategoryOrderBytes(bytes);
    return;
  }
  if (name.empty()) Invalid("a data block needs a name");
  auto& stored = dataBlocks_[name];
  if (stored == bytes) return;
  stored = bytes;
  Touch();
}

platform::Ref<mzblprsx::IRgObject> Program::ContainerObject() {
  return platform::Self<mzblprsx::IRgObject>(this);
}

platform::Ref<mzblprsx::IRgProgramDocuments> Program::Documents() {
  return platform::Self<mzblprsx::IRgProgramDocuments>(this);
}

platform::Ref<mzblprsx::IRgDocument> Program::Item(const std::string& documentTypeKey,
                                                   const std::string& name) {
  if (online_ || !platform::text::EqualsNoCase(documentTypeKey, mzblprsx::clsid::kBlockOffline)) {
    return {};
  }
  return FindBlockById(name);
}

std::vector<platform::Ref<Block>> Program::Blocks() const {
  return {blocks_.begin(), blocks_.end()};
}

platform::Ref<Block> Program::FindBlock(int32_t type, int32_t number) const {
  const auto it = blockIndex_.find(KeyOf(type, number));
  return it == blockIndex_.end() ? platform::Ref<Block>() : *it->second;
}

platform::Ref<Block> Program::FindBlockById(std::string_view objectId) const {
  const auto name = BlockInfo::ParseName(objectId);
  return name ? FindBlock(name->type, name->number) : platform::Ref<Block>();
}

void Program::AddBlock(const platform::Ref<Block>& block) {
  if (block->Online() != online_) {
    Invalid(std::string(online_ ? "an offline" : "an online") + " block cannot be added to " +
            (online_ ? "the PLC's program" : "a project's program"));
  }
  if (block->Parent()) Invalid("block " + block->Name() + " is already in a program");
  const int64_t key = KeyOf(block->Type(), block->Number());
  if (blockIndex_.count(key) != 0) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "the program already holds " + block->Name());
  }
  blocks_.push_back(block);
  blockIndex_.emplace(key, std::prev(blocks_.end()));
  block->SetParent(platform::Self<ProjectObject>(this));
  Touch();
  if (const auto hub = ProjectHub()) hub->RaiseBatched(NotificationHub::kCreated, *block);
}

bool Program::RemoveBlock(Block& block) {
  const auto it = blockIndex_.find(KeyOf(block.Type(), block.Number()));
  if (it == blockIndex_.end() || it->second->Get() != &block) return false;
  const auto keep = *it->second;  // the list may hold the last reference
  if (auto category = block.OwnerCategory()) category->RemoveMember(block);
  blocks_.erase(it->second);
  blockIndex_.erase(it);
  block.SetParent(nullptr);
  Touch();
  if (const auto hub = ProjectHub()) hub->RaiseBatched(NotificationHub::kDeleted, block, this);
  return true;
}

size_t Program::RemoveBlocks(const std::vector<platform::Ref<Block>>& blocks) {
  std::unordered_set<const Block*> gone;
  std::unordered_set<Category*> listing;
  for (const auto& block : blocks) {
    if (!block) continue;
    const auto it = blockIndex_.find(KeyOf(block->Type(), block->Number()));
    if (it == blockIndex_.end() || it->second->Get() != block.Get()) continue;
    if (!gone.insert(block.Get()).second) continue;
    if (auto category = block->OwnerCategory()) listing.insert(category.Get());
  }
  if (gone.empty()) return 0;
  const auto hub = ProjectHub();
  NotificationBatch batch(hub);
  // One pass per category and one over the program, instead of one search per block.
  for (auto* category : listing) category->RemoveMembers(gone);
  for (auto it = blocks_.begin(); it != blocks_.end();) {
    if (gone.count(it->Get()) == 0) {
      ++it;
      continue;
    }
    const auto keep = *it;  // the list may hold the last reference
    blockIndex_.erase(KeyOf(keep->Type(), keep->Number()));
    it = blocks_.erase(it);
    keep->SetParent(nullptr);
    if (hub) hub->RaiseBatched(NotificationHub::kDeleted, *keep, this);
  }
  Touch();
  return gone.size();
}

void Program::RenumberBlock(Block& block, int32_t number) {
  const auto it = blockIndex_.find(KeyOf(block.Type(), block.Number()));
  if (it == blockIndex_.end() || it->second->Get() != &block) {
    Invalid("block " + block.Name() + " is not in this program");
  }
  if (number == block.Number()) return;
  if (!BlockInfo::ValidNumber(block.Type(), number)) {
    Invalid("number " + std::to_string(number) + " is out of range 1.." +
            std::to_string(BlockInfo::MaxNumber(block.Type())) + " for " +
            std::string(block.TypeText()));
  }
  const int64_t key = KeyOf(block.Type(), number);
  if (blockIndex_.count(key) != 0) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "the program already holds " + BlockInfo::MakeName(block.Type(), number));
  }
  const std::string oldName = block.Name();
  const auto position = it->second;
  blockIndex_.erase(it);
  blockIndex_.emplace(key, position);
  block.number_ = number;
  Touch();
  NotificationBatch batch(*this);
  if (const auto hub = ProjectHub()) hub->RaiseBatched(NotificationHub::kRenumbered, block);
  // The symbol names the block, not the address it had.
  if (const auto project = Parent().As<OfflineProject>(); project && !online_) {
    if (const auto symbols = project->Symbols()) symbols->MoveSymbol(oldName, block.Name());
  }
}

platform::Ref<Block> Program::LoadBlock(const Block& content) {
  if (auto existing = FindBlock(content.Type(), content.Number())) {
    NotificationBatch batch(*this);  // one notification for all the data that changed
    existing->TakeContentOf(content);
    return existing;
  }
  auto block = platform::MakeObject<Block>(online_, content.Type(), content.Number());
  block->TakeContentOf(content);  // before it is here: a refused content leaves no block behind
  AddBlock(block);
  return block;
}

std::vector<platform::Ref<Block>> Program::LoadBlocks(
    const std::vector<platform::Ref<Block>>& contents) {
  NotificationBatch batch(*this);
  std::vector<platform::Ref<Block>> loaded;
  loaded.reserve(contents.size());
  for (const auto& content : contents) {
    if (content) loaded.push_back(LoadBlock(*content));
  }
  return loaded;
}

platform::Ref<Program> Program::Counterpart() const {
  const auto root = platform::CachedQuery<ProjectRoot>(Parent());
  const auto other = root ? root->Counterpart() : nullptr;
  if (!other) return {};
  if (const auto plc = platform::CachedQuery<PlcProject>(other)) return plc->Program();
  if (const auto project = platform::CachedQuery<OfflineProject>(other)) return project->Program();
  return {};
}

platform::Ref<Category> Program::FindCategory(int32_t id) const {
  const auto it = categoryIndex_.find(id);
  return it == categoryIndex_.end() ? platform::Ref<Category>() : it->second;
}

platform::Ref<Category> Program::FindCategoryById(std::string_view objectId) const {
  if (!IsCategoryIdText(objectId)) return {};
  return FindCategory(static_cast<int32_t>(std::stoll(std::string(objectId))));
}

void Program::AddCategory(const platform::Ref<Category>& category) {
  RequireOffline("categories");
  if (category->Parent()) Invalid("category '" + category->Name() + "' is already in a program");
  if (categoryIndex_.count(category->Id()) != 0) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "the program already has a category " + std::to_string(category->Id()));
  }
  categories_.push_back(category);
  categoryIndex_.emplace(category->Id(), category);
  category->SetParent(platform::Self<ProjectObject>(this));
  category->dropped_ = false;
  Touch();
  CategoriesChanged();
}

bool Program::RemoveCategory(Category& category) {
  const auto it = categoryIndex_.find(category.Id());
  if (it == categoryIndex_.end() || it->second.Get() != &category) return false;
  const auto keep = it->second;
  category.ClearMembers();
  categoryIndex_.erase(it);
  std::erase_if(categories_, [&](const auto& c) { return c.Get() == &category; });
  category.SetParent(nullptr);
  category.dropped_ = true;
  Touch();
  CategoriesChanged();
  return true;
}

int32_t Program::NextCategoryId() const {
  int32_t highest = 0;
  for (const auto& category : categories_) highest = std::max(highest, category->Id());
  return highest + 1;
}

void Program::SetDefaultCategoryId(int32_t id) {
  RequireOffline("a default category");
  if (id < 0) Invalid("default category identifier " + std::to_string(id) + " is negative");
  if (id == defaultCategoryId_) return;
  defaultCategoryId_ = id;
  Touch();
  CategoriesChanged();
}

platform::Ref<Category> Program::FindCategoryByName(std::string_view name,
                                                    const Category* except) const {
  const auto it = std::find_if(categories_.begin(), categories_.end(), [&](const auto& c) {
    return c.Get() != except && platform::text::EqualsNoCase(c->Name(), name);
  });
  return it == categories_.end() ? platform::Ref<Category>() : *it;
}

int32_t Program::CheckCategoryName(std::string_view name, const Category* except) const {
  if (platform::text::Trim(name).empty()) return kNameMissing;
  return FindCategoryByName(name, except) ? kNameExists : kNameOk;
}

void Program::CategoriesChanged() {
  NotifyBatched(NotificationHub::kStructureChanged);
}

void Program::SetCategoryOrder(std::vector<std::string> ids) {
  RequireOffline("a category order");
  std::unordered_set<std::string_view> seen;
  for (const auto& id : ids) {
    if (!IsCategoryIdText(id)) Invalid("'" + id + "' is not a category identifier");
    if (!seen.insert(id).second) Invalid("category " + id + " is named twice in the order");
  }
  if (ids == categoryOrder_) return;
  categoryOrder_ = std::move(ids);
  Touch();
}

void Program::SetCategoryOrderBytes(std::span<const uint8_t> bytes) {
  auto ids = DecodeCategoryOrder(bytes);
  std::erase_if(ids, [](const std::string& id) { return id.empty(); });
  SetCategoryOrder(std::move(ids));
}

std::vector<uint8_t> Program::EncodeCategoryOrder(const std::vector<std::string>& ids) {
  std::string text;
  for (const auto& id : ids) {
    text += "C\t";
    text += id;
    text.push_back('\0');
  }
  return platform::text::ToUtf16LE(text);
}

std::vector<std::string> Program::DecodeCategoryOrder(std::span<const uint8_t> bytes) {
  const std::string text = platform::text::FromUtf16LE(bytes);
  std::vector<std::string> ids;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\0', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view record(text.data() + start, end - start);
    const size_t tab = record.find('\t');
    if (!record.empty() && tab != std::string_view::npos &&
        platform::text::EqualsNoCase(record.substr(0, tab), "C")) {
      std::string_view second = record.substr(tab + 1);
      second = second.substr(0, second.find('\t'));
      ids.emplace_back(second);
    }
    start = end + 1;
  }
  return ids;
}

bool Program::IsCategoryIdText(std::string_view text) {
  if (text.empty() || text.size() > 10 || text[0] == '0') return false;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value <= INT32_MAX;
}

void Program::RemoveChild(ProjectObject& child) {
  bool removed = false;
  if (auto* block = dynamic_cast<Block*>(&child)) removed = RemoveBlock(*block);
  if (auto* category = dynamic_cast<Category*>(&child)) removed = RemoveCategory(*category);
  if (!removed) ProjectObject::RemoveChild(child);
}

void Program::RequireOffline(std::string_view what) const {
  if (online_) Invalid("the PLC's program has no " + std::string(what));
}

}  // namespace host
