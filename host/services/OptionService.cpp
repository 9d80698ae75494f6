#include "host/services/OptionService.h"

#include "platform/Text.h"

namespace host {

OptionService::OptionService() {
  Load("General/Display/ShowSystemBlocks", false);
  Load("General/Settings/AddressPriority", "0");
  Load("General/Paths/DataDirectory", "");
}

platform::Variant OptionService::Value(const std::string& key) {
  const auto found = values_.find(platform::text::FoldCase(key));
  return found == values_.end() ? platform::Variant() : found->second.value;
}

void OptionService::SetValue(const std::string& key, const platform::Variant& value) {
  Load(key, value);
  optionsChanged_.Emit();
}

void OptionService::Load(const std::string& key, const platform::Variant& value) {
  auto [entry, added] = values_.try_emplace(platform::text::FoldCase(key), Entry{key, value});
  if (!added) entry->second.value = value;
}

bool OptionService::Has(const std::string& key) const {
  return values_.count(platform::text::FoldCase(key)) != 0;
}

std::vector<std::string> OptionService::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(values_.size());
  for (const auto& [folded, entry] : values_) keys.push_back(entry.key);
  return keys;
}

}  // namespace host
