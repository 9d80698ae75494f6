#include "mzblprsx/handlers/ItemKind.h"

#include "mzblprsx/handlers/RgPrjHandlerBlockOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerCategory.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "platform/Text.h"

namespace mzblprsx::item_kind {

bool IsSystemValue(const Variant& value) {
  switch (value.Type()) {
    case platform::VarType::Bool:
      return value.ToBool();
    case platform::VarType::Empty:
    case platform::VarType::Null:
      return false;
    default:
      return value.ToDouble() == -1.0;
  }
}

std::string TypeOf(const Ref<RgProjectItem>& item) {
  return item->Data()->Value(std::string(kTypeKey), Variant("")).ToString();
}

bool IsBlockType(std::string_view type) {
  return platform::text::ContainsNoCase(type, kBlockPart);
}

bool IsOfflineBlockType(std::string_view type) {
  return platform::text::ContainsNoCase(type, kOfflineBlockPart);
}

bool IsOnlineBlockType(std::string_view type) {
  return platform::text::ContainsNoCase(type, kOnlineBlockPart);
}

bool IsCategoryType(std::string_view type) {
  return type == kCategory || type == kDefaultCategory;
}

bool IsDefaultCategoryType(std::string_view type) {
  return type == kDefaultCategory;
}

bool IsUserCategoryType(std::string_view type) {
  return type.find(kCategory) != std::string_view::npos && type != kDefaultCategory;
}

bool IsGhostType(std::string_view type) {
  return type == kGhostBlock;
}

bool HasBlockHandler(const Ref<RgProjectItem>& item) {
  return item && static_cast<bool>(item->HandlerObject().As<RgPrjHandlerBlockOffline>());
}

bool HasCategoryHandler(const Ref<RgProjectItem>& item) {
  return item && static_cast<bool>(item->HandlerObject().As<RgPrjHandlerCategory>());
}

bool HasGhostHandler(const Ref<RgProjectItem>& item) {
  if (!item) return false;
  const Ref<platform::Object> handler = item->HandlerObject();
  return handler && handler->TypeName() == kGhostHandler;
}

}  // namespace mzblprsx::item_kind
