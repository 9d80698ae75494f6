#include "host/services/BlockService.h"

#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "host/project/Block.h"
#include "host/project/BlockInfo.h"
#include "host/project/Category.h"
#include "host/project/NotificationHub.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFileReader.h"
#include "host/project/ProjectRoot.h"
#include "host/project/SymbolTable.h"
#include "host/services/NewBlockRequest.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "platform/DateTime.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace {

[[noreturn]] void Invalid(std::string text) {
  throw platform::Error(platform::errc::kInvalidCall, std::move(text));
}

// The block behind a framework object when it is one of this program's; nothing otherwise.
platform::Ref<Block> BlockOf(const platform::Ref<mzblprsx::IRgObject>& object, Program& program) {
  auto block = object.As<Block>();
  if (!block || block->OwnerProgram().Get() != &program) return {};
  return block;
}

int32_t LowestFreeNumber(const Program& program, int32_t type) {
  for (int32_t number = 1; number <= BlockInfo::MaxNumber(type); ++number) {
    if (!program.FindBlock(type, number)) return number;
  }
  Invalid("program '" + program.Name() + "' has no free number left for a " +
          std::string(BlockInfo::TypeText(type)));
}

// The content of a transfer entry as a block of `online`'s side, not in a program. Error 5 when
// the entry carries something other than a block, the reader's error when the block is damaged.
platform::Ref<Block> BlockOfEntry(mzblprsx::IRgDataObjectItem& item, bool online) {
  const std::string entry = "entry '" + item.ObjectID().ToString() + "'";
  if (!item.HasData()) {
    Invalid("the transfer " + entry + " carries no content: it is only a reference");
  }
  const std::string data = item.Data();
  pugi::xml_document document;
  // Malformed content is left to the reader, which says where it is wrong.
  if (document.load_buffer(data.data(), data.size())) {
    const std::string_view root = document.document_element().name();
    if (root != "block") {
      Invalid("the transfer " + entry + " carries no block but " +
              (root.empty() ? std::string("nothing") : "a <" + std::string(root) + ">"));
    }
  }
  return ProjectFileReader::ReadBlock(data, online, "transfer " + entry);
}

// A block of another type or number with everything else of `content`.
platform::Ref<Block> Renamed(const Block& content, int32_t type, int32_t number) {
  auto block = platform::MakeObject<Block>(content.Online(), type, number);
  try {
    block->TakeContentOf(content);
  } catch (const platform::Error& error) {
    Invalid(content.Name() + " cannot become " + block->Name() + ": " + error.Description());
  }
  return block;
}

}  // namespace

std::vector<platform::Ref<mzblprsx::IRgObject>> BlockService::Blocks() {
  const auto blocks = BoundProgram().Blocks();
  return {blocks.begin(), blocks.end()};
}

bool BlockService::Renumber(platform::Ref<mzblprsx::IRgObject> object, int32_t number) {
  if (!object) {
    throw platform::Error(platform::errc::kObjectNotSet, "Renumber: no block was given");
  }
  Program& program = BoundProgram();
  const auto block = BlockOf(object, program);
  if (!block) return false;
  if (number == block->Number()) return true;
  if (block->Protected() || !BlockInfo::ValidNumber(block->Type(), number) ||
      program.FindBlock(block->Type(), number)) {
    return false;
  }
  program.RenumberBlock(*block, number);
  return true;
}

void BlockService::DeleteBlocks(platform::Ref<mzblprsx::IRgObjectArray> array, int32_t /*flags*/) {
  if (!array) {
    throw platform::Error(platform::errc::kObjectNotSet, "DeleteBlocks: no block list was given");
  }
  Program& program = BoundProgram();
  std::vector<platform::Ref<Block>> blocks;
  // Every entry is checked before anything is deleted: a bad list deletes nothing.
  for (int32_t i = 1; i <= array->Count(); ++i) {
    const auto object = array->Item(i);
    auto block = BlockOf(object, program);
    if (!block) {
      Invalid("DeleteBlocks: entry " + std::to_string(i) + " ('" + object->DisplayName() +
              "') is not a block of program '" + program.Name() + "'");
    }
    blocks.push_back(std::move(block));
  }
  program.RemoveBlocks(blocks);
}

int32_t BlockService::ComparePrograms(platform::Ref<mzblprsx::IRgObjectArray> offlineOnly,
                                      platform::Ref<mzblprsx::IRgObjectArray> onlineOnly) {
  if (!offlineOnly || !onlineOnly) {
    throw platform::Error(platform::errc::kObjectNotSet,
                          "ComparePrograms: no list was given for the blocks of one side");
  }
  Program& own = BoundProgram();
  const auto root = own.Parent().As<ProjectRoot>();
  if (!root || !root->Counterpart()) {
    Invalid("program '" + own.Name() + "' cannot be compared: " +
            (own.Online() ? "no project is open for this PLC" : "no PLC is connected"));
  }
  const auto other = own.Counterpart();  // nothing: the other side has no program
  const Program* offline = own.Online() ? other.Get() : &own;
  const Program* online = own.Online() ? &own : other.Get();

  int32_t differing = 0;
  if (offline) {
    for (const auto& block : offline->Blocks()) {
      const auto twin = online ? online->FindBlock(block->Type(), block->Number()) : nullptr;
      if (!twin) {
        offlineOnly->Add(block);
      } else if (!block->ComparesEqual(*twin)) {
        ++differing;
      }
    }
  }
  if (online) {
    for (const auto& block : online->Blocks()) {
      if (!offline || !offline->FindBlock(block->Type(), block->Number())) onlineOnly->Add(block);
    }
  }
  return differing;
}

platform::Ref<Program> BlockService::SourceProgram() {
  return Context().As<Program>();
}

platform::Ref<mzblprsx::IRgObject> BlockService::CreateFromData(
    platform::Ref<mzblprsx::IRgDataObjectItem> item, bool replace, int32_t type, int32_t number) {
  if (!item) {
    throw platform::Error(platform::errc::kObjectNotSet, "CreateFromData: no transfer entry");
  }
  Program& program = BoundProgram();
  auto block = BlockOfEntry(*item, program.Online());
  if (type == 0) type = block->Type();
  if (number == 0) number = block->Number();
  if (BlockInfo::TypeText(type).empty()) {
    Invalid("a block of unknown type " + std::to_string(type) + " cannot be created");
  }
  if (!BlockInfo::ValidNumber(type, number)) {
    Invalid("number " + std::to_string(number) + " is out of range 1.." +
            std::to_string(BlockInfo::MaxNumber(type)) + " for " +
            std::string(BlockInfo::TypeText(type)));
  }
  if (type != block->Type() || number != block->Number()) block = Renamed(*block, type, number);

  const auto existing = program.FindBlock(type, number);
  if (existing && !replace) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "program '" + program.Name() + "' already holds " + block->Name());
  }
  NotificationBatch batch(program);
  platform::Ref<Category> category;
  size_t position = Category::kEnd;
  if (existing) {
    // The replacement takes the old block's place in its category, so that a project changed
    // without a tree on it keeps its categories.
    category = existing->OwnerCategory();
    if (category) position = static_cast<size_t>(category->IndexOfMember(*existing));
    program.RemoveBlock(*existing);
  }
  program.AddBlock(block);
  if (category) category->InsertMember(block, position);
  return block;
}

platform::Ref<Block> BlockService::CreateBlock(const NewBlockRequest& request) {
  Program& program = BoundProgram();
  if (BlockInfo::TypeText(request.type).empty()) {
    Invalid("a block of unknown type " + std::to_string(request.type) + " cannot be created");
  }
  const int32_t number =
      request.number == 0 ? LowestFreeNumber(program, request.type) : request.number;
  if (program.FindBlock(request.type, number)) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "program '" + program.Name() + "' already holds " +
                              BlockInfo::MakeName(request.type, number));
  }
  auto block = platform::MakeObject<Block>(program.Online(), request.type, number);
  block->SetHeader(request.header);
  block->SetAuthor(request.author);
  block->SetLanguage(request.language);
  block->SetLastModified(platform::DateTime::Now());
  if (!request.symbol.empty()) {
    // Checked before the block exists, so that a refused symbol leaves the program unchanged.
    const auto project = program.Parent().As<OfflineProject>();
    const auto symbols = project && !program.Online() ? project->Symbols() : nullptr;
    if (!symbols) {
      Invalid("the new block " + block->Name() + " cannot get the symbol '" + request.symbol +
              "': there is no symbol table");
    }
    const std::string owner = symbols->AddressOf(request.symbol);
    if (!owner.empty() && !platform::text::EqualsNoCase(owner, block->Name())) {
      throw platform::Error(platform::errc::kDuplicateKey,
                            "the symbol '" + request.symbol + "' already names " + owner);
    }
  }
  NotificationBatch batch(program);
  program.AddBlock(block);
  if (!request.symbol.empty()) block->SetSymbol(request.symbol);
  return block;
}

Program& BlockService::BoundProgram() {
  const auto program = Context().As<Program>();
  if (!program) Invalid("the block service is bound to no program");
  return *program;
}

}  // namespace host
