// The keyed property set of a project item ("TYPE", "NAME", ...); an item has two, Data and
// States.
//
//   data->SetValue("TYPE", "RgBlockOffline.FB", 1);
//   data->Value("SIZE", 0);          // 0 while "SIZE" was never stored
//   data->Keys();                    // {"TYPE"}: order of first storing
//
// Keys compare exactly (case-sensitive): "NAME" and "Name" are two keys. The handlers always
// write the same spelling, and an exact key keeps the lookups a plain comparison.
// Storing a key again replaces the value in place and keeps the key's place in the order.
// Entries live inline (a handful per item, looked up by scanning; a hash index joins beyond
// that); an entry becomes an object of its own only when Property hands it out, and from
// then on that object holds its value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "mzblprsx/interfaces/RgProjectItemData.h"

namespace host {

class ItemProperty;

class ItemData final : public mzblprsx::RgProjectItemData {
 public:
  ItemData();
  ~ItemData() override;
  std::string_view TypeName() const override { return "RgProjectItemData"; }

  platform::Variant Value(const std::string& key,
                          const platform::Variant& fallback = platform::Variant()) override;
  /// Creates the entry or replaces its value and flags; the entry keeps its place.
  void SetValue(const std::string& key, const platform::Variant& value, int32_t flags) override;
  /// The stored entry, nothing when the key is absent. Later stores show through it.
  platform::Ref<mzblprsx::RgProjectItemProperty> Property(const std::string& key) override;
  /// Creates the entry or replaces its value and type tag; flags of an existing entry stay.
  void AddValue(const std::string& key, const platform::Variant& value, int32_t type) override;
  bool Exists(const std::string& key) override { return Lookup(key) != nullptr; }
  std::vector<std::string> Keys() override;
  /// Drops every entry; entries handed out by Property keep their last value.
  void Clear() override;

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

 private:
  struct Entry {
    std::string key;
    platform::Variant value;  // unused once `property` holds the entry
    int32_t flags = 0;
    int32_t type = 0;
    platform::Ref<ItemProperty> property;
  };
  Entry* Lookup(const std::string& key);
  Entry& Store(const std::string& key);
  static void Write(Entry& entry, const platform::Variant& value);

  std::vector<Entry> entries_;                                          // in order of first storing
  std::unique_ptr<std::unordered_map<std::string, size_t>> positions_;  // only for large sets
};

}  // namespace host
