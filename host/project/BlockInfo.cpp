#include "host/project/BlockInfo.h"

#include <array>
#include <string>
#include <string_view>

#include "host/project/IProgramSource.h"
#include "host/project/Program.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "platform/CachedQuery.h"
#include "platform/Error.h"

namespace host {

namespace {

struct TypeRow {
  int32_t code;
  std::string_view name;
  int32_t sortIndex;
  int32_t maxNumber;
  std::string_view displayText;
};

// In listing order, so that a name lookup tries "SFB" and "SFC" as whole names, never a prefix.
constexpr std::array<TypeRow, 9> kTypes{{
    {BlockInfo::kOb, "OB", 1, 255, "Organization block"},
    {BlockInfo::kFb, "FB", 2, 65535, "Function block"},
    {BlockInfo::kFc, "FC", 3, 65535, "Function"},
    {BlockInfo::kDb, "DB", 4, 65535, "Data block"},
    {BlockInfo::kUdt, "UDT", 5, 65535, "Data type"},
    {BlockInfo::kSfb, "SFB", 6, 65535, "System function block"},
    {BlockInfo::kSfc, "SFC", 7, 65535, "System function"},
    {BlockInfo::kSdb, "SDB", 8, 65535, "System data"},
    {BlockInfo::kVat, "VAT", 9, 65535, "Variable table"},
}};

constexpr std::array<std::string_view, 7> kLanguages{"", "LAD", "FBD", "STL", "SCL", "GRAPH", "DB"};

const TypeRow* RowOf(int32_t code) {
  for (const auto& row : kTypes) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

platform::Ref<Program> ProgramOf(const platform::Ref<platform::Object>& object,
                                 std::string_view operation) {
  if (!object) {
    throw platform::Error(platform::errc::kObjectNotSet,
                          std::string(operation) + ": no program was given");
  }
  // Asked once per received block of a transfer: the class's answer is remembered.
  if (auto program = platform::CachedQuery<Program>(object)) return program;
  if (auto source = platform::CachedQuery<IProgramSource>(object)) return source->SourceProgram();
  if (auto container = platform::CachedQuery<mzblprsx::IRgProjectContainer>(object)) {
    auto objects = container->Objects();
    for (int32_t i = 1; i <= objects->Count(); ++i) {
      if (auto program = objects->Item(i).As<Program>()) return program;
    }
    return {};
  }
  throw platform::Error(platform::errc::kTypeMismatch,
                        std::string(operation) + ": a " + std::string(object->TypeName()) +
                            " is neither a program, nor a project, nor a program source");
}

}  // namespace

bool BlockInfo::ParseBlockName(const std::string& name, int32_t& blockType, int32_t& number) {
  const auto parsed = ParseName(name);
  if (!parsed) return false;
  blockType = parsed->type;
  number = parsed->number;
  return true;
}

bool BlockInfo::HasBlock(platform::Ref<platform::Object> program, int32_t blockType,
                         int32_t number) {
  auto found = ProgramOf(program, "HasBlock");
  return found && found->FindBlock(blockType, number);
}

bool BlockInfo::BlockExists(platform::Ref<platform::Object> blockService, int32_t blockType,
                            int32_t number, int32_t location) {
  if (location != kOffline && location != kOnline) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "BlockExists: location " + std::to_string(location) +
                              " is neither 1 (offline) nor 2 (online)");
  }
  const auto program = ProgramOf(blockService, "BlockExists");
  if (!program || program->Online() != (location == kOnline)) return false;
  return static_cast<bool>(program->FindBlock(blockType, number));
}

std::string_view BlockInfo::TypeText(int32_t type) {
  const auto* row = RowOf(type);
  return row ? row->name : std::string_view();
}

std::optional<int32_t> BlockInfo::TypeFromText(std::string_view text) {
  for (const auto& row : kTypes) {
    if (EqualsAsciiNoCase(row.name, text)) return row.code;
  }
  return std::nullopt;
}

int32_t BlockInfo::MaxNumber(int32_t type) {
  const auto* row = RowOf(type);
  return row ? row->maxNumber : 0;
}

int32_t BlockInfo::TypeSortIndex(int32_t type) {
  const auto* row = RowOf(type);
  return row ? row->sortIndex : 0;
}

std::optional<BlockInfo::BlockName> BlockInfo::ParseName(std::string_view name) {
  size_t letters = 0;
  while (letters < name.size() && IsAsciiLetter(name[letters])) ++letters;
  const auto type = TypeFromText(name.substr(0, letters));
  const std::string_view digits = name.substr(letters);
  if (!type || digits.empty() || digits.size() > 10) return std::nullopt;
  if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > INT32_MAX) return std::nullopt;
  return BlockName{*type, static_cast<int32_t>(value)};
}

std::string BlockInfo::MakeName(int32_t type, int32_t number) {
  return std::string(TypeText(type)) + std::to_string(number);
}

std::string_view BlockInfo::LanguageName(int32_t code) {
  if (code < 0 || static_cast<size_t>(code) >= kLanguages.size()) return {};
  return kLanguages[static_cast<size_t>(code)];
}

std::optional<int32_t> BlockInfo::LanguageFromText(std::string_view text) {
  for (size_t i = 0; i < kLanguages.size(); ++i) {
    if (EqualsAsciiNoCase(kLanguages[i], text)) return static_cast<int32_t>(i);
  }
  return std::nullopt;
}

std::string BlockInfo::LanguageList() {
  std::string list;
  for (size_t i = 1; i < kLanguages.size(); ++i) {
    if (!list.empty()) list += ", ";
    list += kLanguages[i];
  }
  return list;
}

std::string BlockInfo::BlockTypeDisplayText(int32_t blockType) {
  const TypeRow* row = RowOf(blockType);
  return row == nullptr ? std::string() : std::string(row->displayText);
}

}  // namespace host
