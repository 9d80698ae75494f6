#include "host/model/ItemData.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <utility>

#include "host/model/ItemProperty.h"

namespace host {

using platform::Ref;
using platform::Variant;

namespace {
// Beyond this many keys a hash index replaces the scan.
constexpr size_t kScanLimit = 32;
// Room for the entries: a block's item carries 16 keys, most other sets a handful.
constexpr size_t kFirstRoom = 4;
constexpr size_t kSecondRoom = 16;
constexpr size_t kShortKey = 15;
}  // namespace

static_assert(sizeof(platform::Variant) + 24 <= 64, "an entry is meant to fill one cache line");

// --- Entry ------------------------------------------------------------------------------------

ItemData::Entry::Entry(const KeyTag& key, const Variant& value, int32_t flags, int32_t type)
    : tag(key), flags(flags), type(type) {
  new (&slot.value) Variant();
  Set(value);
}

ItemData::Entry::Entry(Entry&& other) noexcept
    : tag(other.tag), flags(other.flags), type(other.type) {
  if (InPlace()) {
    slot.text = other.slot.text;
  } else {
    new (&slot.value) Variant(std::move(other.slot.value));
  }
}

ItemData::Entry& ItemData::Entry::operator=(Entry&& other) noexcept {
  if (this == &other) return *this;
  Destroy();
  tag = other.tag;
  flags = other.flags;
  type = other.type;
  if (InPlace()) {
    slot.text = other.slot.text;
  } else {
    new (&slot.value) Variant(std::move(other.slot.value));
  }
  return *this;
}

ItemData::Entry::~Entry() {
  Destroy();
}

void ItemData::Entry::Destroy() {
  if (!InPlace()) slot.value.~Variant();
}

Variant ItemData::Entry::Get() const {
  if (InPlace()) return Variant(std::string_view(slot.text.bytes, slot.text.size));
  return slot.value;
}

void ItemData::Entry::Set(const Variant& value) {
  const std::string* text = value.Text();
  if (text && text->size() <= TextInPlace::kCapacity) {
    Destroy();
    std::memcpy(slot.text.bytes, text->data(), text->size());
    slot.text.size = static_cast<uint8_t>(text->size());
    tag.high |= kTextInPlace;
    return;
  }
  if (InPlace()) {
    new (&slot.value) Variant(value);
    tag.high &= ~kTextInPlace;
    return;
  }
  slot.value = value;
}

Variant ItemData::Entry::Take() {
  if (InPlace()) {
    Variant value = Get();
    new (&slot.value) Variant();
    tag.high &= ~kTextInPlace;
    return value;
  }
  Variant value = std::move(slot.value);
  slot.value = Variant();
  return value;
}

// --- The set ----------------------------------------------------------------------------------

ItemData::ItemData() = default;
ItemData::~ItemData() = default;

ItemData::KeyTag ItemData::TagOf(std::string_view key) {
  KeyTag tag;
  const size_t size = key.size();
  if (size <= kShortKey) {
    // The key's bytes in memory order, zero-padded, and its length in the last byte. Read with
    // a few overlapping word loads instead of byte by byte: this runs for every lookup.
    const char* const p = key.data();
    if constexpr (std::endian::native == std::endian::little) {
      const auto load8 = [](const char* at) {
        uint64_t word;
        std::memcpy(&word, at, 8);
        return word;
      };
      const auto load4 = [](const char* at) {
        uint32_t word;
        std::memcpy(&word, at, 4);
        return uint64_t{word};
      };
      if (size >= 8) {
        tag.low = load8(p);
        // The bytes after the first eight: the last eight bytes moved down past the overlap.
        tag.high = size > 8 ? load8(p + size - 8) >> ((16 - size) * 8) : 0;
      } else if (size >= 4) {
        // Two overlapping halves; where they overlap both carry the same bytes.
        tag.low = load4(p) | (load4(p + size - 4) << ((size - 4) * 8));
      } else {
        for (size_t i = 0; i < size; ++i) {
          tag.low |= uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
        }
      }
      tag.high |= uint64_t{size} << 56;
    } else {
      unsigned char bytes[16] = {};
      std::memcpy(bytes, p, size);
      bytes[15] = static_cast<unsigned char>(size);
      std::memcpy(&tag.low, bytes, 8);
      std::memcpy(&tag.high, bytes + 8, 8);
    }
    return tag;
  }
  // FNV-1a; a match is confirmed against the kept text, so the hash only has to spread.
  uint64_t hash = 0xCBF29CE484222325ull;
  for (const char c : key) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ull;
  }
  tag.low = hash;
  tag.high = (kLongMarker << 56) | (key.size() & 0x00FFFFFFFFFFFFFFull);
  return tag;
}

const std::string& ItemData::LongKey(size_t index) const {
  for (const auto& [at, text] : longKeys_) {
    if (at == index) return text;
  }
  static const std::string kNone;  // cannot happen: every long tag has its text
  return kNone;
}

size_t ItemData::Find(std::string_view key) const {
  if (positions_) {
    const auto it = positions_->find(std::string(key));
    return it == positions_->end() ? kAbsent : it->second;
  }
  const KeyTag tag = TagOf(key);
  const auto matches = [&](size_t i) {
    return entries_[i].Key() == tag && (!tag.IsLong() || LongKey(i) == key);
  };
  // The fingerprints sit in this object: only a likely entry's line is read.
  const size_t count = entries_.size();
  const size_t fingerprinted = std::min(count, kFingerprints);
  const uint8_t fingerprint = tag.Fingerprint();
  for (size_t i = 0; i < fingerprinted; ++i) {
    if (fingerprints_[i] == fingerprint && matches(i)) return i;
  }
  for (size_t i = fingerprinted; i < count; ++i) {
    if (matches(i)) return i;
  }
  return kAbsent;
}

size_t ItemData::Append(const std::string& key, const Variant& value, int32_t flags, int32_t type) {
  // A few keys for most sets (states, categories), a block's 16 after one step.
  if (entries_.size() == entries_.capacity()) {
    entries_.reserve(entries_.empty() ? kFirstRoom : std::max(kSecondRoom, 2 * entries_.size()));
  }
  const size_t index = entries_.size();
  const KeyTag tag = TagOf(key);
  entries_.emplace_back(tag, value, flags, type);  // built in place: one copy of the value
  if (index < kFingerprints) fingerprints_[index] = tag.Fingerprint();
  if (tag.IsLong()) longKeys_.emplace_back(index, key);
  if (!properties_.empty()) properties_.emplace_back();
  if (positions_) {
    positions_->emplace(key, index);
  } else if (entries_.size() > kScanLimit) {
    positions_ = std::make_unique<std::unordered_map<std::string, size_t>>();
    for (size_t i = 0; i < entries_.size(); ++i) positions_->emplace(KeyAt(i), i);
  }
  return index;
}

std::string ItemData::KeyAt(size_t index) const {
  const KeyTag tag = entries_[index].Key();
  if (tag.IsLong()) return LongKey(index);
  unsigned char bytes[16];
  std::memcpy(bytes, &tag.low, 8);
  std::memcpy(bytes + 8, &tag.high, 8);
  return std::string(reinterpret_cast<const char*>(bytes), bytes[15]);
}

ItemProperty* ItemData::PropertyAt(size_t index) const {
  return properties_.empty() ? nullptr : properties_[index].Get();
}

void ItemData::Write(size_t index, const Variant& value) {
  if (ItemProperty* property = PropertyAt(index)) {
    property->SetValue(value);
  } else {
    entries_[index].Set(value);
  }
}

Variant ItemData::Value(const std::string& key, const Variant& fallback) {
  const size_t index = Find(key);
  if (index == kAbsent) return fallback;
  const ItemProperty* property = PropertyAt(index);
  return property ? property->StoredValue() : entries_[index].Get();
}

void ItemData::SetValue(const std::string& key, const Variant& value, int32_t flags) {
  const size_t index = Find(key);
  if (index == kAbsent) {
    Append(key, value, flags, 0);
    return;
  }
  Write(index, value);
  entries_[index].flags = flags;
  if (ItemProperty* property = PropertyAt(index)) property->SetFlags(flags);
}

void ItemData::AddValue(const std::string& key, const Variant& value, int32_t type) {
  const size_t index = Find(key);
  if (index == kAbsent) {
    Append(key, value, 0, type);
    return;
  }
  Write(index, value);
  entries_[index].type = type;
  if (ItemProperty* property = PropertyAt(index)) property->SetType(type);
}

Ref<mzblprsx::RgProjectItemProperty> ItemData::Property(const std::string& key) {
  const size_t index = Find(key);
  if (index == kAbsent) return {};
  if (properties_.empty()) properties_.resize(entries_.size());
  Ref<ItemProperty>& property = properties_[index];
  if (!property) {
    Entry& entry = entries_[index];
    property =
        platform::MakeObject<ItemProperty>(KeyAt(index), entry.Take(), entry.flags, entry.type);
  }
  return property;
}

std::vector<std::string> ItemData::Keys() {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (size_t i = 0; i < entries_.size(); ++i) keys.push_back(KeyAt(i));
  return keys;
}

void ItemData::Clear() {
  // clear() keeps the room: the handler that cleared the set is about to fill it again.
  entries_.clear();
  longKeys_.clear();
  properties_.clear();
  positions_.reset();
}

}  // namespace host
