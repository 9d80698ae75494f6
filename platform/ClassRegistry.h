// The process's class registry: class identifiers ("{E50A2A2B-...}") and program identifiers
// ("mzblprsx.RgProjectSnapin") mapped to factories.
//
// The host registers its classes at start; the library registers its creatable classes through
// its entry points. Identifiers compare without regard to case (braces included in class
// identifiers). An unknown identifier is error 429 for Create; TryCreate answers nothing instead.
// Safe to use from several threads (each application of a two-application transfer creates
// objects on its own thread).
//
//   if (auto handler = registry.TryCreate("mzblprsx.RgPrjHandlerCategory")) { ... }
//
// Lookups of ASCII identifiers (all real ones) fold case while hashing and comparing, so that
// creating an object allocates nothing beyond the object; other identifiers are folded first.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/CachedQuery.h"
#include "platform/Ref.h"

namespace platform {

class ClassRegistry {
 public:
  using Factory = std::function<Ref<Object>()>;

  /// The one registry of the process.
  static ClassRegistry& Instance();

  /// Registers a class; either identifier may be empty. A second registration replaces the first.
  void Register(std::string_view classId, std::string_view progId, Factory factory);
  /// Forgets a class by either identifier; unknown identifiers are ignored. The factory is
  /// released at once (or when a creation running on another thread ends), and no thread
  /// keeps it or any interface answer: the library that registered it may be unloaded next.
  void Unregister(std::string_view id);
  bool IsRegistered(std::string_view id) const;

  /// Creates an object of the class; error 429 for an unknown identifier.
  Ref<Object> Create(std::string_view id) const;
  /// Creates an object of the class; nothing for an unknown identifier (one lookup where
  /// IsRegistered followed by Create takes two, none for an identifier this thread asked
  /// since the registry last changed). A factory that answers nothing is error 429.
  Ref<Object> TryCreate(std::string_view id) const;
  /// The factory of the class; empty for an unknown identifier. A copy: later registrations do
  /// not change it.
  Factory FactoryOf(std::string_view id) const;
  /// Changes with every registration and unregistration: factories kept from FactoryOf are
  /// current while this stays the same (TryCreate keeps the recently asked ones so).
  uint64_t Generation() const { return generation_.load(std::memory_order_acquire); }
  /// The class identifier registered under a program identifier (or the identifier itself when
  /// it is a known class identifier); std::nullopt when unknown.
  std::optional<std::string> ClassIdOf(std::string_view id) const;

 private:
  struct Entry {
    std::string classId;
    std::string progId;
    std::shared_ptr<const Factory> factory;  // nothing once no identifier names the entry
  };
  /// Hashes and compares identifiers with ASCII letters folded to lower case; a folded key
  /// stays as it is, so a lookup by any spelling of an ASCII identifier needs no folded copy.
  struct FoldedHash {
    using is_transparent = void;
    size_t operator()(std::string_view id) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  const Entry* Find(std::string_view id) const;
  std::shared_ptr<const Factory> KeptFactoryOf(std::string_view id) const;
  /// Drops the factory of an entry that no identifier names any more.
  void ReleaseIfUnnamed(size_t at);

  mutable std::shared_mutex mutex_;
  std::atomic<uint64_t> generation_{0};
  std::vector<Entry> entries_;
  // Folded class or program identifier -> entry.
  std::unordered_map<std::string, size_t, FoldedHash, FoldedEqual> byId_;
};

/// ClassRegistry::Instance().Create(id).
Ref<Object> CreateObject(std::string_view id);

/// Creates an object and takes it as interface T; error 13 when the class does not offer T.
template <class T>
Ref<T> CreateObjectAs(std::string_view id) {
  return CachedCast<T>(CreateObject(id));
}

/// Binds a moniker text: "clsid:{...}" creates an object of that class; anything else is 429.
Ref<Object> BindToMoniker(std::string_view moniker);

}  // namespace platform
