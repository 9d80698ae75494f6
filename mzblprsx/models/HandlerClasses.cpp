#include "mzblprsx/models/HandlerClasses.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "platform/CachedQuery.h"
#include "platform/ClassRegistry.h"
#include "platform/Error.h"

namespace mzblprsx {

Ref<Object> CreateHandler(std::string_view handlerClass) {
  // A tree creates a handler per item, of a handful of classes: the factories are kept per
  // thread by handler class name, for as long as the registry does not change.
  struct Known {
    std::string handlerClass;
    platform::ClassRegistry::Factory factory;  // empty: no such class
  };
  thread_local std::vector<Known> known;
  thread_local uint64_t knownGeneration = 0;
  const platform::ClassRegistry& registry = platform::ClassRegistry::Instance();
  const uint64_t generation = registry.Generation();
  if (generation != knownGeneration) {
    known.clear();
    knownGeneration = generation;
  }
  auto it = std::find_if(known.begin(), known.end(),
                         [&](const Known& k) { return k.handlerClass == handlerClass; });
  if (it == known.end()) {
    constexpr std::string_view kPrefix = "mzblprsx.";
    known.push_back({std::string(handlerClass),
                     registry.FactoryOf(std::string(kPrefix) + std::string(handlerClass))});
    it = std::prev(known.end());
  }
  if (!it->factory) return {};
  Ref<Object> handler = it->factory();
  if (!handler) throw platform::Error(platform::errc::kCannotCreate);
  return handler;
}

void AttachHandler(const Ref<RgProjectItem>& item, const Ref<Object>& handler,
                   const Ref<IRgObject>& object) {
  item->SetHandler(handler);
  const Ref<IRgProjectItemHandler> attached = item->Handler();
  attached->SetObject(object);
  attached->SetProjectItem(item);
}

void DetachHandler(const Ref<RgProjectItem>& item) {
  if (const Ref<IRgProjectItemHandler> handler = item->Handler()) {
    handler->SetObject(nullptr);
    handler->SetProjectItem(nullptr);
  }
  item->SetHandler(nullptr);
}

Ref<IRgObject> AsFrameworkObject(const Ref<Object>& object) {
  return platform::CachedQuery<IRgObject>(object);
}

Ref<IRgDocument> AsDocument(const Ref<IRgObject>& object) {
  return platform::CachedQuery<IRgDocument>(object);
}

}  // namespace mzblprsx
