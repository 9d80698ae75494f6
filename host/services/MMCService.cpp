#include "host/services/MMCService.h"

#include <unordered_set>
#include <utility>
#include <vector>

#include "host/project/MMCFile.h"
#include "host/project/MemoryCard.h"
#include "host/project/NotificationHub.h"
#include "host/project/PlcProject.h"
#include "host/services/OnlineService.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "platform/DateTime.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace {

/// The identifier every PLC's card has (MemoryCard).
constexpr std::string_view kCardId = "MMC";

[[noreturn]] void Refuse(const std::string& why) {
  throw platform::Error(platform::errc::kInvalidCall, why);
}

/// Characters, not bytes: a continuation byte of UTF-8 starts no character.
size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
  return count;
}

/// The name in single quotes and the rest after it, appended in place (GCC 12 at -O3 warns
/// falsely about `"'" + std::string(name)`).
std::string Quoted(std::string_view name, std::string_view rest) {
  std::string text;
  text.reserve(name.size() + rest.size() + 2);
  text += '\'';
  text.append(name);
  text += '\'';
  text.append(rest);
  return text;
}

}  // namespace

MMCService::MMCService(platform::Ref<OnlineService> online) : online_(std::move(online)) {}

std::string MMCService::ClassID() {
  return std::string(mzblprsx::clsid::kMemoryCard);
}

std::string MMCService::ObjectID() {
  return std::string(kCardId);
}

std::string MMCService::DisplayName() {
  const auto card = Card();
  return card ? card->Name() : std::string();
}

void MMCService::Delete() {
  Refuse("The file list of a memory card cannot be deleted; delete its files instead");
}

std::string MMCService::LastModifiedText() {
  const auto card = Card();
  return card ? card->ModifiedText() : platform::DateTime().ToString();
}

int32_t MMCService::Size() {
  const auto card = Card();
  return card ? card->Size() : 0;
}

platform::Ref<MemoryCard> MMCService::Card() const {
  if (!online_) return {};
  const auto plc = online_->GetContainer("").As<PlcProject>();
  return plc ? plc->MemoryCard() : nullptr;
}

std::string MMCService::NameProblem(std::string_view name) {
  if (name.empty()) return "a file on the card needs a name";
  if (name == "." || name == "..") return Quoted(name, " names no file");
  if (CharacterCount(name) > kMaxNameLength) {
    return Quoted(name, " is longer than " + std::to_string(kMaxNameLength) + " characters");
  }
  for (const char c : name) {
    if (c == '/' || c == '\\') {
      return Quoted(name,
                    " holds a path separator ('" + std::string(1, c) + "'); a card has no folders");
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20U || byte == 0x7FU) {
      return "the name holds a control character (code " + std::to_string(byte) + ")";
    }
  }
  if (name.front() == ' ' || name.back() == ' ') {
    return Quoted(name, " begins or ends with a blank");
  }
  return {};
}

platform::Ref<MMCFile> MMCService::FileOfCard(const platform::Ref<mzblprsx::IRgObject>& object,
                                              const char* operation) const {
  const auto card = Card();
  if (!card) Refuse(std::string(operation) + ": no PLC with a memory card is connected");
  auto file = object.As<MMCFile>();
  if (!file || !SameObject(file->Card(), card)) {
    const std::string what = object ? Quoted(object->DisplayName(), "") : std::string("nothing");
    Refuse(std::string(operation) + ": " + what + " is no file of the card '" + card->Name() + "'");
  }
  return file;
}

bool MMCService::RenameFile(platform::Ref<mzblprsx::IRgObject> file, const std::string& newName) {
  const auto target = FileOfCard(file, "Rename");
  const std::string problem = NameProblem(newName);
  if (!problem.empty()) Refuse(Quoted(target->Name(), " cannot be renamed: " + problem));
  const auto holder = target->Card()->FindFile(newName);
  if (holder && !SameObject(holder, target)) {
    Refuse(Quoted(target->Name(), " cannot be renamed: the card already holds a file ") +
           Quoted(holder->Name(), ""));
  }
  target->SetName(newName);
  return true;
}

void MMCService::DeleteFiles(platform::Ref<mzblprsx::IRgObjectArray> files) {
  if (!files) Refuse("Delete: no list of files was given");
  std::vector<platform::Ref<MMCFile>> doomed;
  std::unordered_set<const MMCFile*> listed;
  for (int32_t i = 1; i <= files->Count(); ++i) {
    auto file = FileOfCard(files->Item(i), "Delete");
    if (listed.insert(file.Get()).second) doomed.push_back(std::move(file));
  }
  if (doomed.empty()) return;
  const auto card = Card();
  NotificationBatch batch(*card);  // one notification 2 for every file
  for (const auto& file : doomed) card->RemoveFile(*file);
}

}  // namespace host
