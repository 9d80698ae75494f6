// Checked references: a std::shared_ptr whose -> on nothing raises error 91 instead of crashing.
//
//   Ref<IRgProjectModel> model = ...;
//   model->AutoRefresh(false);           // error 91 when model is empty
//   if (auto doc = model.As<IRgDocument>()) { ... }   // query: nothing when not supported
//   auto doc = obj.Cast<IRgDocument>();  // conversion: error 13 when not supported
//
// "The same object" is the same most-derived address (SameObject), whatever interface each
// reference is typed as.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

#include "platform/Error.h"
#include "platform/Object.h"

namespace platform {

template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}                           // NOLINT(google-explicit-constructor)
  Ref(std::shared_ptr<T> p) : p_(std::move(p)) {}  // NOLINT(google-explicit-constructor)
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(const Ref<U>& other) : p_(other.Shared()) {}  // NOLINT(google-explicit-constructor)
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(std::shared_ptr<U> other) : p_(std::move(other)) {}  // NOLINT(google-explicit-constructor)

  T* operator->() const {
    if (!p_) throw Error(errc::kObjectNotSet);
    return p_.get();
  }
  T& operator*() const { return *operator->(); }
  explicit operator bool() const { return static_cast<bool>(p_); }
  bool IsNothing() const { return !p_; }

  T* Get() const { return p_.get(); }
  const std::shared_ptr<T>& Shared() const { return p_; }
  void Reset() { p_.reset(); }

  /// The same object through interface U, or nothing when it does not offer U.
  template <class U>
  Ref<U> As() const {
    return Ref<U>(std::dynamic_pointer_cast<U>(p_));
  }
  /// The same object through interface U; nothing stays nothing; error 13 when U is not offered.
  template <class U>
  Ref<U> Cast() const {
    if (!p_) return {};
    auto q = std::dynamic_pointer_cast<U>(p_);
    if (!q) throw Error(errc::kTypeMismatch);
    return Ref<U>(std::move(q));
  }

 private:
  std::shared_ptr<T> p_;
};

/// Identity of the object behind a reference: its most-derived address (nullptr for nothing).
template <class T>
const void* Identity(const Ref<T>& r) {
  return r ? dynamic_cast<const void*>(r.Get()) : nullptr;
}

/// True when both refer to the same object (or both to nothing).
template <class A, class B>
bool SameObject(const Ref<A>& a, const Ref<B>& b) {
  return Identity(a) == Identity(b);
}

/// References compare by identity of the object.
template <class A, class B>
bool operator==(const Ref<A>& a, const Ref<B>& b) {
  return SameObject(a, b);
}
template <class A>
bool operator==(const Ref<A>& a, std::nullptr_t) {
  return !a;
}

/// Creates an object; the only way objects come to life, so that Self() works.
template <class T, class... Args>
Ref<T> MakeObject(Args&&... args) {
  return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}

/// A reference to an object from inside one of its own members.
template <class T>
Ref<T> Self(T* self) {
  auto base = self->shared_from_this();
  return Ref<T>(std::shared_ptr<T>(base, self));
}

}  // namespace platform
