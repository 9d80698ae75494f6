#include "mzblprsx/models/HandlerClasses.h"

#include <array>
#include <string>

#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "platform/CachedQuery.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

Ref<Object> CreateHandler(std::string_view handlerClass) {
  // Handler class names are short: the program identifier is put together on the stack.
  constexpr std::string_view kPrefix = "mzblprsx.";
  std::array<char, 96> buffer;
  if (kPrefix.size() + handlerClass.size() > buffer.size()) {
    return platform::ClassRegistry::Instance().TryCreate(std::string(kPrefix) +
                                                         std::string(handlerClass));
  }
  kPrefix.copy(buffer.data(), kPrefix.size());
  handlerClass.copy(buffer.data() + kPrefix.size(), handlerClass.size());
  return platform::ClassRegistry::Instance().TryCreate(
      std::string_view(buffer.data(), kPrefix.size() + handlerClass.size()));
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
