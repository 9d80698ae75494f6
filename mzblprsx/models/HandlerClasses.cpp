#include "mzblprsx/models/HandlerClasses.h"

#include <string>

#include "platform/ClassRegistry.h"

namespace mzblprsx {

Ref<Object> CreateHandler(std::string_view handlerClass) {
  const std::string progId = "mzblprsx." + std::string(handlerClass);
  if (!platform::ClassRegistry::Instance().IsRegistered(progId)) return {};
  return platform::CreateObject(progId);
}

}  // namespace mzblprsx
