// The one way for a test to learn which runtime error a call raised. Header-only, so that the
// runtime's own tests, which link the runtime alone, use the same helper as everyone else.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Error.h"

namespace mztest {

/// The number of the platform::Error that `call` raises, 0 when it raises none; the error's
/// description goes to `description` when one is given.
inline int32_t ErrorOf(const std::function<void()>& call, std::string* description = nullptr) {
  try {
    call();
  } catch (const platform::Error& error) {
    if (description != nullptr) *description = error.Description();
    return error.Number();
  }
  return 0;
}

}  // namespace mztest

namespace platformtest {
using mztest::ErrorOf;
}  // namespace platformtest
