// The application's language manager: hands out the language modules by prefix and counts
// their loads and releases.
//
//   auto access = env.Languages().GetLanguageAccess("mzprui_");
//   ...
//   env.Languages().ReleaseLanguageAccess("mzprui_");
//   env.Languages().LoadCount("mzprui_") == env.Languages().ReleaseCount("mzprui_");  // balanced
//
// Prefixes compare without regard to case. Trap: the host has only the module "mzprui_"; any
// other prefix is an error, and a release is only counted, never checked against a load.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "mzblprsx/interfaces/IRgLanguageManager.h"

namespace host {

class LanguageManager : public mzblprsx::IRgLanguageManager {
 public:
  std::string_view TypeName() const override { return "LanguageManager"; }

  /// A new access object to the module's texts; an error for a prefix the host has no module of.
  platform::Ref<mzblprsx::IRgLanguageAccess> GetLanguageAccess(const std::string& prefix) override;
  void ReleaseLanguageAccess(const std::string& prefix) override;

  /// Successful GetLanguageAccess calls for the prefix.
  int32_t LoadCount(const std::string& prefix) const;
  /// ReleaseLanguageAccess calls for the prefix.
  int32_t ReleaseCount(const std::string& prefix) const;

 private:
  std::map<std::string, int32_t> loads_;     // folded prefix -> count
  std::map<std::string, int32_t> releases_;  // folded prefix -> count
};

}  // namespace host
