#include "host/framework/LanguageManager.h"

#include "host/framework/HostTexts.h"
#include "host/framework/LanguageAccess.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace {
int32_t CountOf(const std::map<std::string, int32_t>& counts, const std::string& prefix) {
  const auto found = counts.find(platform::text::FoldCase(prefix));
  return found == counts.end() ? 0 : found->second;
}
}  // namespace

platform::Ref<mzblprsx::IRgLanguageAccess> LanguageManager::GetLanguageAccess(
    const std::string& prefix) {
  const TextTable* table = texts::LanguageModule(prefix);
  if (table == nullptr) {
    throw platform::Error(platform::errc::kInvalidArg,
                          "Language module '" + prefix + "' is not known to this host");
  }
  ++loads_[platform::text::FoldCase(prefix)];
  return platform::MakeObject<LanguageAccess>(prefix, *table);
}

void LanguageManager::ReleaseLanguageAccess(const std::string& prefix) {
  ++releases_[platform::text::FoldCase(prefix)];
}

int32_t LanguageManager::LoadCount(const std::string& prefix) const {
  return CountOf(loads_, prefix);
}

int32_t LanguageManager::ReleaseCount(const std::string& prefix) const {
  return CountOf(releases_, prefix);
}

}  // namespace host
