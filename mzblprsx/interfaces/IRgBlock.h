// A block object as the handlers read and write it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"


namespace mzblprsx {

class IRgBlock : public virtual platform::Object {
 public:
  virtual int32_t BlockType() = 0;
  virtual int32_t Number() = 0;
  virtual std::string HeaderName() = 0;
  virtual void SetHeaderName(const std::string& name) = 0;
  virtual std::string Author() = 0;
  virtual void SetAuthor(const std::string& author) = 0;
  /// The programming-language code (IRgBlockInfo::LanguageText gives its text).
  virtual int32_t Language() = 0;
  virtual int32_t Size() = 0;
  /// "YYYY-MM-DD HH:MM:SS".
  virtual std::string LastModifiedText() = 0;
  virtual bool IsProtected() = 0;
  virtual bool IsSystem() = 0;
  /// State numbers the handlers keep in the item's state set; bit 64 of the symbol state means the
  /// symbol must not be written back.
  virtual int32_t SymbolState() = 0;
  virtual int32_t MakeState() = 0;
  /// For an instance data block: the type (10, 11 or 12) and number of the block it belongs to;
  /// false for any other block.
  virtual bool InstanceOf(int32_t& blockType, int32_t& number) = 0;
};

}  // namespace mzblprsx
