#include "mzblprsx/models/HandlerClasses.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>

#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {
namespace {

/// The object as interface To, answered from where the object's class keeps To once one object
/// of that class has been asked. For one complete class that place is fixed, so the offset from
/// the whole object (dynamic_cast to void, a table read) to its To part can be reused.
template <class To, class From>
Ref<To> CachedQuery(const Ref<From>& from) {
  From* const object = from.Get();
  if (!object) return {};
  struct Answer {
    const std::type_info* type = nullptr;
    std::ptrdiff_t offset = 0;
    bool offered = false;
  };
  thread_local std::array<Answer, 16> answers;  // per thread: no locking on the hot path
  const std::type_info& type = typeid(*object);
  auto* const whole = static_cast<char*>(dynamic_cast<void*>(object));
  Answer& answer = answers[(reinterpret_cast<uintptr_t>(&type) >> 4) % answers.size()];
  if (answer.type != &type) {
    To* const part = dynamic_cast<To*>(object);
    answer.type = &type;
    answer.offered = part != nullptr;
    answer.offset = part ? reinterpret_cast<char*>(part) - whole : 0;
  }
  if (!answer.offered) return {};
  return Ref<To>(std::shared_ptr<To>(from.Shared(), reinterpret_cast<To*>(whole + answer.offset)));
}

}  // namespace

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
  return CachedQuery<IRgObject>(object);
}

Ref<IRgDocument> AsDocument(const Ref<IRgObject>& object) {
  return CachedQuery<IRgDocument>(object);
}

}  // namespace mzblprsx
