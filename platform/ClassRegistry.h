// The process's class registry: class identifiers ("{E50A2A2B-...}") and program identifiers
// ("mzblprsx.RgProjectSnapin") mapped to factories.
//
// The host registers its classes at start; the library registers its creatable classes through
// its entry points. Identifiers compare without regard to case (braces included in class
// identifiers). An unknown identifier is error 429. Safe to use from several threads (each
// application of a two-application transfer creates objects on its own thread).
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Ref.h"

namespace platform {

class ClassRegistry {
 public:
  using Factory = std::function<Ref<Object>()>;

  /// The one registry of the process.
  static ClassRegistry& Instance();

  /// Registers a class; either identifier may be empty. A second registration replaces the first.
  void Register(std::string_view classId, std::string_view progId, Factory factory);
  /// Forgets a class by either identifier; unknown identifiers are ignored.
  void Unregister(std::string_view id);
  bool IsRegistered(std::string_view id) const;

  /// Creates an object of the class; error 429 for an unknown identifier.
  Ref<Object> Create(std::string_view id) const;
  /// The class identifier registered under a program identifier (or the identifier itself when
  /// it is a known class identifier); std::nullopt when unknown.
  std::optional<std::string> ClassIdOf(std::string_view id) const;

 private:
  struct Entry {
    std::string classId;
    std::string progId;
    Factory factory;
  };
  const Entry* Find(std::string_view id) const;

  mutable std::shared_mutex mutex_;
  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> byId_;  // folded class or program identifier
};

/// ClassRegistry::Instance().Create(id).
Ref<Object> CreateObject(std::string_view id);

/// Creates an object and takes it as interface T; error 13 when the class does not offer T.
template <class T>
Ref<T> CreateObjectAs(std::string_view id) {
  return CreateObject(id).Cast<T>();
}

/// Binds a moniker text: "clsid:{...}" creates an object of that class; anything else is 429.
Ref<Object> BindToMoniker(std::string_view moniker);

}  // namespace platform
