// The handler classes the factories hand out, created by class name through the class registry
// ("mzblprsx.<Class>"), so that a factory serves every handler class the library registers.
#pragma once

#include <string_view>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

/// A new handler of that class, or nothing while the library has no such class registered.
Ref<Object> CreateHandler(std::string_view handlerClass);

}  // namespace mzblprsx
