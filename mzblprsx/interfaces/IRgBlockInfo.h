// The block information object: block type names, numbers and languages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgBlockInfo : public virtual platform::Object {
 public:
  /// "OB", "FB", ... for a type code (1 VAT, 8 OB, 9 DB, 10 FB, 11 SFB, 12 UDT, 13 SFC, 14 FC, 15
  /// SDB).
  virtual std::string BlockTypeName(int32_t blockType) = 0;
  /// The type text shown in details lists ("Function block", ...).
  virtual std::string BlockTypeDisplayText(int32_t blockType) = 0;
  /// Parses "FB10" into type 10 and number 10; false when the text is no block name.
  virtual bool ParseBlockName(const std::string& name, int32_t& blockType, int32_t& number) = 0;
  /// Whether the program (a framework program object or a block service bound to one) holds a
  /// block of that type and number.
  virtual bool HasBlock(Ref<Object> program, int32_t blockType, int32_t number) = 0;
  /// Whether the program of a block service holds a block of that type and number, on the side
  /// `location` names (1 offline, 2 online; a program of the other side holds none).
  virtual bool BlockExists(Ref<Object> blockService, int32_t blockType, int32_t number,
                           int32_t location) = 0;
  virtual bool IsValidNumber(int32_t blockType, int32_t number) = 0;
  virtual std::string LanguageText(int32_t language) = 0;
  /// Listing order of a type: OB 1, FB 2, FC 3, DB 4, UDT 5, SFB 6, SFC 7, SDB 8, VAT 9.
  virtual int32_t SortIndex(int32_t blockType) = 0;
};

}  // namespace mzblprsx
