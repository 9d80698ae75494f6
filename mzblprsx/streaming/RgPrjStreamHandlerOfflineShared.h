// Small item and flag tests that the offline stream handler's sending, checking and inserting
// halves share. Private to the handler's source files; nothing outside includes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "platform/OneOf.h"
#include "platform/Text.h"

namespace mzblprsx::offline_stream {

using item_kind::TypeOf;
using platform::OneOf;

/// A position or a sent item that is a category, the default one included.
inline bool IsCategoryItem(const Ref<RgProjectItem>& item) {
  return item_kind::IsCategoryType(TypeOf(item));
}

/// A sent item or a position that is a block.
inline bool IsBlockItem(const Ref<RgProjectItem>& item) {
  return item_kind::IsBlockType(TypeOf(item));
}

// The key under which a moved-in-place object is remembered.
inline std::string MovedKey(std::string_view classId, const std::string& objectId) {
  return std::string(classId) + "|" + platform::text::FoldCase(objectId);
}

inline bool HasBit(int32_t value, int32_t bit) {
  return (value & bit) != 0;
}

}  // namespace mzblprsx::offline_stream
