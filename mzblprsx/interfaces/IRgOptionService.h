// The host's option service: settings by key text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgOptionService : public virtual platform::Object {
 public:
  /// The value under the key; Empty when the key has no value.
  virtual Variant Value(const std::string& key) = 0;
  /// Stores a value and raises OptionsChanged.
  virtual void SetValue(const std::string& key, const Variant& value) = 0;
  virtual platform::Signal<>& OptionsChanged() = 0;
};

}  // namespace mzblprsx
