// "Is this value one of these": the test that dispatches on class identifiers and notification
// codes read as one line instead of a chain of comparisons.
//
//   if (OneOf(code, {notify::kBlockRenumbered, notify::kBlockChanged})) ...
#pragma once

#include <initializer_list>

namespace platform {

/// True when value equals one of values (compared with ==); false for an empty list.
template <typename T, typename U>
constexpr bool OneOf(const T& value, std::initializer_list<U> values) {
  for (const U& candidate : values) {
    if (value == candidate) return true;
  }
  return false;
}

/// The same over any range of candidates (a constant std::array of codes, say).
template <typename T, typename Range>
constexpr bool OneOf(const T& value, const Range& values) {
  for (const auto& candidate : values) {
    if (value == candidate) return true;
  }
  return false;
}

}  // namespace platform
