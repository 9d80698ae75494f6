#include "mzblprsx/models/HandlerClasses.h"

#include <string>

#include "mzblprsx/interfaces/RgProjectItem.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {

Ref<Object> CreateHandler(std::string_view handlerClass) {
  const std::string progId = "mzblprsx." + std::string(handlerClass);
  if (!platform::ClassRegistry::Instance().IsRegistered(progId)) return {};
  return platform::CreateObject(progId);
}

void AttachHandler(const Ref<RgProjectItem>& item, const Ref<Object>& handler,
                   const Ref<IRgObject>& object) {
  item->SetHandler(handler);
  item->Handler()->SetObject(object);
  item->Handler()->SetProjectItem(item);
}

void DetachHandler(const Ref<RgProjectItem>& item) {
  if (const Ref<IRgProjectItemHandler> handler = item->Handler()) {
    handler->SetObject(nullptr);
    handler->SetProjectItem(nullptr);
  }
  item->SetHandler(nullptr);
}

}  // namespace mzblprsx
