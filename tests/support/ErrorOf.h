// The runtime error number a call raises, for the runtime's tests.
#pragma once

#include <cstdint>

#include "platform/Error.h"

namespace platformtest {

/// The number of the platform::Error the call raises; 0 when it raises none.
template <class F>
int32_t ErrorOf(const F& f) {
  try {
    f();
  } catch (const platform::Error& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace platformtest
