// The keyed property set of a project item (TYPE, NAME, ...); also used for its States.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/RgProjectItemProperty.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItemData : public virtual platform::Object {
 public:
  /// The value under the key, or `fallback` when the key is absent.
  virtual Variant Value(const std::string& key, const Variant& fallback = Variant()) = 0;
  /// Stores the value under the key (replacing an existing one) with the handler's flags 1, 2 or 3.
  virtual void SetValue(const std::string& key, const Variant& value, int32_t flags) = 0;
  /// The stored entry of the key, or nothing when absent.
  virtual Ref<RgProjectItemProperty> Property(const std::string& key) = 0;
  /// Adds (or replaces) an entry with a type tag.
  virtual void AddValue(const std::string& key, const Variant& value, int32_t type) = 0;
  virtual bool Exists(const std::string& key) = 0;
  /// Keys in the order they were first stored.
  virtual std::vector<std::string> Keys() = 0;
  virtual void Clear() = 0;
};

}  // namespace mzblprsx
