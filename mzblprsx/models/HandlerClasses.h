// The handler classes the factories hand out, created by class name through the class registry
// ("mzblprsx.<Class>"), so that a factory serves every handler class the library registers;
// and the interface queries that attaching a handler to its object needs for every item.
//
//   if (const auto handler = CreateHandler("RgPrjHandlerCategory")) AttachHandler(item, ...);
//
// A tree holds tens of thousands of objects of a handful of classes, and a query across the
// interfaces of a framework object walks its whole class hierarchy. AsFrameworkObject and
// AsDocument therefore remember, per thread, where each class keeps the interface, and only
// the first object of a class pays the full query.
//
// Trap: the remembered answers assume a fully constructed object; do not query an object from
// its own constructor or destructor through them.
#pragma once

#include <string_view>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItem;
class IRgDocument;
class IRgObject;

/// A new handler of that class, or nothing while the library has no such class registered.
Ref<Object> CreateHandler(std::string_view handlerClass);

/// Gives the item its handler and the handler its object and item (a factory's InitializeItem).
void AttachHandler(const Ref<RgProjectItem>& item, const Ref<Object>& handler,
                   const Ref<IRgObject>& object);
/// Clears the handler's object and item, then the item's handler (a factory's TerminateItem).
void DetachHandler(const Ref<RgProjectItem>& item);

/// The object as a framework object; nothing when it is none (or nothing).
Ref<IRgObject> AsFrameworkObject(const Ref<Object>& object);
/// The framework object as an editor document; nothing when it is none (or nothing).
Ref<IRgDocument> AsDocument(const Ref<IRgObject>& object);

}  // namespace mzblprsx
