#include "host/model/ItemData.h"

#include "host/model/ItemProperty.h"

namespace host {

using platform::Ref;
using platform::Variant;

namespace {
// Beyond this many keys a hash index replaces the scan.
constexpr size_t kScanLimit = 24;
}  // namespace

ItemData::ItemData() = default;
ItemData::~ItemData() = default;

ItemData::Entry* ItemData::Lookup(const std::string& key) {
  if (positions_) {
    const auto it = positions_->find(key);
    return it == positions_->end() ? nullptr : &entries_[it->second];
  }
  for (auto& entry : entries_) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

ItemData::Entry& ItemData::Store(const std::string& key) {
  if (Entry* entry = Lookup(key)) return *entry;
  if (entries_.empty()) entries_.reserve(8);
  entries_.push_back(Entry{key, Variant(), 0, 0, nullptr});
  if (positions_) {
    positions_->emplace(key, entries_.size() - 1);
  } else if (entries_.size() > kScanLimit) {
    positions_ = std::make_unique<std::unordered_map<std::string, size_t>>();
    for (size_t i = 0; i < entries_.size(); ++i) positions_->emplace(entries_[i].key, i);
  }
  return entries_.back();
}

void ItemData::Write(Entry& entry, const Variant& value) {
  if (entry.property) {
    entry.property->SetValue(value);
  } else {
    entry.value = value;
  }
}

Variant ItemData::Value(const std::string& key, const Variant& fallback) {
  const Entry* entry = Lookup(key);
  if (!entry) return fallback;
  return entry->property ? entry->property->StoredValue() : entry->value;
}

void ItemData::SetValue(const std::string& key, const Variant& value, int32_t flags) {
  Entry& entry = Store(key);
  Write(entry, value);
  entry.flags = flags;
  if (entry.property) entry.property->SetFlags(flags);
}

void ItemData::AddValue(const std::string& key, const Variant& value, int32_t type) {
  Entry& entry = Store(key);
  Write(entry, value);
  entry.type = type;
  if (entry.property) entry.property->SetType(type);
}

Ref<mzblprsx::RgProjectItemProperty> ItemData::Property(const std::string& key) {
  Entry* entry = Lookup(key);
  if (!entry) return {};
  if (!entry->property) {
    entry->property = platform::MakeObject<ItemProperty>(entry->key, std::move(entry->value),
                                                         entry->flags, entry->type);
    entry->value = Variant();
  }
  return entry->property;
}

std::vector<std::string> ItemData::Keys() {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (const auto& entry : entries_) keys.push_back(entry.key);
  return keys;
}

void ItemData::Clear() {
  entries_.clear();
  positions_.reset();
}

}  // namespace host
