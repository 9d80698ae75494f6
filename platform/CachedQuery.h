// Interface queries answered from where an object's class keeps the interface.
//
//   if (const auto document = platform::CachedQuery<IRgDocument>(object)) { ... }
//   const auto block = platform::CachedCast<IRgBlock>(object);  // error 13 when not offered
//
// Objects of this runtime inherit their interfaces virtually, so a cross-interface query
// (dynamic_cast) walks the whole class hierarchy each time. For one complete class the place of
// an interface within the object never changes: the first object of a class pays the query, and
// later objects of that class find the interface at the remembered offset from the whole object
// (dynamic_cast to void, a table read). Answers are kept per thread and per target interface,
// in a small table indexed by the class, so the hot path takes no lock.
//
// Answers are keyed by the class's type_info, which lives in the library that defines the class.
// When classes are unregistered (their library may be unloaded, and another class may later sit
// at the same address) every kept answer is forgotten.
//
// Trap: an object under construction or destruction is not yet of its complete class (virtual
// bases may sit elsewhere); never query an object from its own constructor or destructor.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <typeinfo>

#include "platform/Error.h"
#include "platform/Ref.h"

namespace platform {

namespace detail {
/// Changes whenever classes are unregistered; answers kept under an older value are not used.
extern std::atomic<uint64_t> queryGeneration;
}  // namespace detail

/// Forgets the answers every thread kept (ClassRegistry::Unregister calls it).
void ForgetQueryAnswers();

/// The object as interface To; nothing when the object is nothing or does not offer To.
template <class To, class From>
Ref<To> CachedQuery(const Ref<From>& from) {
  From* const object = from.Get();
  if (!object) return {};
  struct Answer {
    const std::type_info* type = nullptr;
    std::ptrdiff_t offset = 0;
    bool offered = false;
    uint64_t generation = 0;
  };
  thread_local std::array<Answer, 16> answers;
  const std::type_info& type = typeid(*object);
  auto* const whole = static_cast<char*>(dynamic_cast<void*>(object));
  Answer& answer = answers[(reinterpret_cast<uintptr_t>(&type) >> 4) % answers.size()];
  const uint64_t generation = detail::queryGeneration.load(std::memory_order_acquire);
  if (answer.type != &type || answer.generation != generation) {
    To* const part = dynamic_cast<To*>(object);
    answer.type = &type;
    answer.generation = generation;
    answer.offered = part != nullptr;
    answer.offset = part ? reinterpret_cast<char*>(part) - whole : 0;
  }
  if (!answer.offered) return {};
  return Ref<To>(std::shared_ptr<To>(from.Shared(), reinterpret_cast<To*>(whole + answer.offset)));
}

/// As Ref::Cast, answered the same way: nothing stays nothing; error 13 when To is not offered.
template <class To, class From>
Ref<To> CachedCast(const Ref<From>& from) {
  if (!from) return {};
  Ref<To> to = CachedQuery<To>(from);
  if (!to) throw Error(errc::kTypeMismatch);
  return to;
}

}  // namespace platform
