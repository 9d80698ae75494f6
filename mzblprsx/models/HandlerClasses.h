// The handler classes the factories hand out, created by class name through the class registry
// ("mzblprsx.<Class>"), so that a factory serves every handler class the library registers.
#pragma once

#include <string_view>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItem;
class IRgObject;

/// A new handler of that class, or nothing while the library has no such class registered.
Ref<Object> CreateHandler(std::string_view handlerClass);

/// Gives the item its handler and the handler its object and item (a factory's InitializeItem).
void AttachHandler(const Ref<RgProjectItem>& item, const Ref<Object>& handler,
                   const Ref<IRgObject>& object);
/// Clears the handler's object and item, then the item's handler (a factory's TerminateItem).
void DetachHandler(const Ref<RgProjectItem>& item);

}  // namespace mzblprsx
