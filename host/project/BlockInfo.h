// The framework's block information object: names, numbers, listing order and programming
// languages of block types. Registered under clsid::kBlockInfo ("mzframex.RgBlockInfo"); the
// static members are the same tables for host code.
//
//   int32_t type = 0, number = 0;
//   info->ParseBlockName("SFB3", type, number);   // true, 11, 3 (not "S" + "FB")
//
// Type codes: 1 VAT, 8 OB, 9 DB, 10 FB, 11 SFB, 12 UDT, 13 SFC, 14 FC, 15 SDB. A block name is
// the type's name followed by the number in decimal: letters compare without regard to case; no
// blank, sign or leading zero is accepted, so every block has exactly one name.
// Language codes: 0 none (""), 1 "LAD", 2 "FBD", 3 "STL", 4 "SCL", 5 "GRAPH", 6 "DB".
//
// Trap: ParseBlockName only splits a name; whether the number is valid for the type is
// IsValidNumber's question ("OB0" parses).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mzblprsx/interfaces/IRgBlockInfo.h"

namespace host {

class BlockInfo : public virtual mzblprsx::IRgBlockInfo {
 public:
  static constexpr int32_t kVat = 1;
  static constexpr int32_t kOb = 8;
  static constexpr int32_t kDb = 9;
  static constexpr int32_t kFb = 10;
  static constexpr int32_t kSfb = 11;
  static constexpr int32_t kUdt = 12;
  static constexpr int32_t kSfc = 13;
  static constexpr int32_t kFc = 14;
  static constexpr int32_t kSdb = 15;

  /// The project locations BlockExists takes.
  static constexpr int32_t kOffline = 1;
  static constexpr int32_t kOnline = 2;

  struct BlockName {
    int32_t type = 0;
    int32_t number = 0;
  };

  std::string_view TypeName() const override { return "BlockInfo"; }

  // IRgBlockInfo
  /// Empty for an unknown type code.
  std::string BlockTypeName(int32_t blockType) override { return std::string(TypeText(blockType)); }
  /// "Function block" for 10; empty for an unknown code.
  std::string BlockTypeDisplayText(int32_t blockType) override;
  /// False (type and number untouched) when the text is no block name.
  bool ParseBlockName(const std::string& name, int32_t& blockType, int32_t& number) override;
  /// The program may also be given as its project (offline or PLC) or as an IProgramSource
  /// (a block service). Error 91 for nothing, 13 for any other object.
  bool HasBlock(platform::Ref<platform::Object> program, int32_t blockType,
                int32_t number) override;
  /// Accepts what HasBlock accepts. False when that program is on the other side than
  /// `location` (1 offline, 2 online); error 5 for any other location, 91 for nothing, 13 for
  /// an object that stands for no program.
  bool BlockExists(platform::Ref<platform::Object> blockService, int32_t blockType, int32_t number,
                   int32_t location) override;
  bool IsValidNumber(int32_t blockType, int32_t number) override {
    return ValidNumber(blockType, number);
  }
  /// Empty for code 0 and for unknown codes.
  std::string LanguageText(int32_t language) override {
    return std::string(LanguageName(language));
  }
  /// 0 for an unknown type code.
  int32_t SortIndex(int32_t blockType) override { return TypeSortIndex(blockType); }

  /// "FB" for 10; empty for an unknown code.
  static std::string_view TypeText(int32_t type);
  /// The code of a type name ("fb" too); nothing when unknown.
  static std::optional<int32_t> TypeFromText(std::string_view text);
  /// The highest valid number of the type (255 for OB, 65535 otherwise); 0 when unknown.
  static int32_t MaxNumber(int32_t type);
  static bool ValidNumber(int32_t type, int64_t number) {
    return number >= 1 && number <= MaxNumber(type);
  }
  static int32_t TypeSortIndex(int32_t type);
  /// Splits a block name; nothing when it is none.
  static std::optional<BlockName> ParseName(std::string_view name);
  /// The canonical name: "FB10".
  static std::string MakeName(int32_t type, int32_t number);

  static std::string_view LanguageName(int32_t code);
  /// The code of a language text (without regard to case; "" is 0); nothing when unknown.
  static std::optional<int32_t> LanguageFromText(std::string_view text);
  /// The accepted language texts, for error messages: "LAD, FBD, ...".
  static std::string LanguageList();
};

}  // namespace host
