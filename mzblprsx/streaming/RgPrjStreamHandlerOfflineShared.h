// Small item and flag tests that the offline stream handler's sending, checking and inserting
// halves share. Private to the handler's source files; nothing outside includes it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "platform/Text.h"

namespace mzblprsx::offline_stream {

inline bool OneOf(std::string_view value, std::initializer_list<std::string_view> values) {
  for (std::string_view v : values) {
    if (value == v) return true;
  }
  return false;
}

inline std::string TypeOf(const Ref<RgProjectItem>& item) {
  return item->Data()->Value("TYPE", Variant("")).ToString();
}

inline bool IsCategoryItem(const Ref<RgProjectItem>& item) {
  const std::string type = TypeOf(item);
  return type == "RgCategory" || type == "RgCategoryDefault";
}

inline bool IsBlockItem(const Ref<RgProjectItem>& item) {
  return TypeOf(item).find("RgBlock") != std::string::npos;
}

// The key under which a moved-in-place object is remembered.
inline std::string MovedKey(std::string_view classId, const std::string& objectId) {
  return std::string(classId) + "|" + platform::text::FoldCase(objectId);
}

inline bool HasBit(int32_t value, int32_t bit) {
  return (value & bit) != 0;
}

}  // namespace mzblprsx::offline_stream
