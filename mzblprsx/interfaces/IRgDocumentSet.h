// The host's set of framework documents that are saved or flushed together.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgDocumentSet : public virtual platform::Object {
 public:
  virtual void Add(Ref<Object> document) = 0;
  virtual int32_t Count() = 0;
  /// Writes every document back; fails with the first error (0x80004004 when cancelled).
  virtual void Flush() = 0;
  /// Saves one framework document.
  virtual void Save(Ref<Object> document) = 0;
  /// Whether the last Flush failed for that document.
  virtual bool Failed(Ref<Object> document) = 0;
  virtual std::string StdQuery() = 0;
  virtual void Log(const std::string& text) = 0;
  virtual void Clear() = 0;
};

}  // namespace mzblprsx
