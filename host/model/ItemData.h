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
//
// Layout. Views read a few keys of tens of thousands of items in a row, so a lookup should
// touch the set's own object and one cache line, the entry's. Each entry is one aligned 64-byte
// line: its key as a 16-byte tag (the key's bytes and length for keys of up to 15 characters,
// which all real keys are; a hash for longer ones, whose text is kept aside and compared on a
// match), its value, flags and type tag. A text value of up to 39 bytes (an item's type, most
// names and titles) is kept in the entry's own line rather than in a heap block of its own, so
// reading it touches no further memory. The set itself holds a one-byte fingerprint of each of
// its first keys, so a lookup scans those and opens only the entries whose fingerprint matches.
// A hash index joins beyond a few dozen keys. Clear keeps the room, so a handler's refill
// allocates nothing but long texts. An entry becomes an object of its own only when Property
// hands it out, and from then on that object holds its value.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
  bool Exists(const std::string& key) override { return Find(key) != kAbsent; }
  std::vector<std::string> Keys() override;
  /// Drops every entry; entries handed out by Property keep their last value.
  void Clear() override;

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

 private:
  static constexpr size_t kAbsent = static_cast<size_t>(-1);

  /// A key in 16 bytes (see the file comment); equal tags mean equal keys, except for two
  /// long keys, whose texts decide.
  struct KeyTag {
    uint64_t low = 0;
    uint64_t high = 0;
    bool operator==(const KeyTag&) const = default;
    bool IsLong() const { return ((high >> 56) & kLongMarker) != 0; }
    uint8_t Fingerprint() const {
      return static_cast<uint8_t>(
          ((low ^ (high * 0x9E3779B97F4A7C15ull)) * 0xFF51AFD7ED558CCDull) >> 56);
    }
  };
  // The top byte of a tag: a short key's length (0 to 15), or the long marker. Bit 6 of it is
  // never part of a key: an entry's tag uses it to say that its value is a text in place.
  static constexpr uint64_t kLongMarker = 0x80;
  static constexpr uint64_t kTextInPlace = uint64_t{0x40} << 56;
  static constexpr size_t kFingerprints = 16;

  /// A text value kept in the entry's line.
  struct TextInPlace {
    static constexpr size_t kCapacity = 39;
    char bytes[kCapacity];
    uint8_t size;
  };

  /// One key and its value in one cache line. The value is a Variant, or a text in place when
  /// the tag says so; the entry switches between the two as values are stored.
  struct alignas(64) Entry {
    Entry(const KeyTag& key, const platform::Variant& value, int32_t flags, int32_t type);
    Entry(Entry&& other) noexcept;
    Entry& operator=(Entry&& other) noexcept;
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;
    ~Entry();

    /// The key's tag (without the in-place bit).
    KeyTag Key() const { return KeyTag{tag.low, tag.high & ~kTextInPlace}; }
    bool InPlace() const { return (tag.high & kTextInPlace) != 0; }
    platform::Variant Get() const;
    void Set(const platform::Variant& value);
    /// The value moved out; the entry holds Empty afterwards.
    platform::Variant Take();

    KeyTag tag;
    union Slot {
      Slot() {}   // NOLINT(modernize-use-equals-default): a union with a Variant needs a body
      ~Slot() {}  // NOLINT(modernize-use-equals-default): the entry destroys the live member
      platform::Variant value;
      TextInPlace text;
    } slot;  // the value; unused while properties_ holds the entry
    int32_t flags = 0;
    int32_t type = 0;

   private:
    void Destroy();
  };

  /// Hands out storage aligned to a cache line from the ordinary heap: the aligned forms of
  /// new are several times slower, and every item allocates its entries.
  template <class T>
  struct LineAllocator {
    using value_type = T;
    LineAllocator() = default;
    template <class U>
    LineAllocator(const LineAllocator<U>&) {}  // NOLINT(google-explicit-constructor)
    T* allocate(size_t count) {
      // One line more than asked, the start moved up to the next line boundary; the heap's
      // own pointer is kept in the word just before it (malloc aligns to 16, so there is room).
      char* const raw = static_cast<char*>(::operator new(count * sizeof(T) + 64));
      char* const start = raw + 64 - (reinterpret_cast<uintptr_t>(raw) & 63);
      reinterpret_cast<char**>(start)[-1] = raw;
      return reinterpret_cast<T*>(start);
    }
    void deallocate(T* start, size_t /*count*/) {
      ::operator delete(reinterpret_cast<char**>(start)[-1]);
    }
    template <class U>
    bool operator==(const LineAllocator<U>&) const {
      return true;
    }
  };

  static KeyTag TagOf(std::string_view key);
  /// The entry's index; kAbsent when the key is not stored.
  size_t Find(std::string_view key) const;
  /// A new entry at the end of the order (the key must be absent); answers its index.
  size_t Append(const std::string& key, const platform::Variant& value, int32_t flags,
                int32_t type);
  std::string KeyAt(size_t index) const;
  /// The text of the long key at that index.
  const std::string& LongKey(size_t index) const;
  /// The handed-out entry of that index, or nullptr.
  ItemProperty* PropertyAt(size_t index) const;
  void Write(size_t index, const platform::Variant& value);

  std::vector<Entry, LineAllocator<Entry>> entries_;      // in order of first storing
  std::array<uint8_t, kFingerprints> fingerprints_{};     // of the first entries' tags
  std::vector<std::pair<size_t, std::string>> longKeys_;  // index and text of keys over 15 bytes
  std::vector<platform::Ref<ItemProperty>> properties_;   // parallel to entries_ once one is out
  std::unique_ptr<std::unordered_map<std::string, size_t>> positions_;  // only for large sets
};

}  // namespace host
