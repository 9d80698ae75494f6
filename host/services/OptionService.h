// The application's option service: settings by key, in memory.
//
//   env.Options().Load("General/Settings/AddressPriority", "1");  // as if read at start-up
//   env.Options().SetValue("General/Display/ShowSystemBlocks", true);  // raises OptionsChanged
//
// Keys compare without regard to case. A new service holds the defaults the library expects:
// "General/Display/ShowSystemBlocks" False, "General/Settings/AddressPriority" "0" and
// "General/Paths/DataDirectory" "".
//
// Trap: SetValue raises OptionsChanged on every call, also when the value did not change, as a
// user pressing OK in the options dialog does; Load never raises it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgOptionService.h"

namespace host {

class OptionService : public mzblprsx::IRgOptionService {
 public:
  OptionService();

  std::string_view TypeName() const override { return "OptionService"; }

  /// The value under the key; Empty when it has none.
  platform::Variant Value(const std::string& key) override;
  /// Stores the value and raises OptionsChanged.
  void SetValue(const std::string& key, const platform::Variant& value) override;
  platform::Signal<>& OptionsChanged() override { return optionsChanged_; }

  /// Stores the value without raising OptionsChanged (settings read at start-up).
  void Load(const std::string& key, const platform::Variant& value);
  /// True when the key has a value.
  bool Has(const std::string& key) const;
  /// The keys that have values, as first stored, ordered without regard to case.
  std::vector<std::string> Keys() const;

 private:
  struct Entry {
    std::string key;  // as first stored
    platform::Variant value;
  };
  std::map<std::string, Entry> values_;  // folded key -> entry
  platform::Signal<> optionsChanged_;
};

}  // namespace host
