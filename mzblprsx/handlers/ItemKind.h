// What kind of project item an item is: a block, a category, the default category, a ghost
// block. Every part of the library that asks goes through these functions, so that the rule for
// one kind is written once.
//
//   if (item_kind::IsBlockType(item_kind::TypeOf(item))) ...      // by the "TYPE" the item shows
//   if (item_kind::HasBlockHandler(position)) ...                  // by the handler that fills it
//
// Two families on purpose. The type tests read what the item shows, so they also count the
// items of the online side and of other handlers that show the same kind (a block is any "TYPE"
// that contains "RgBlock", in any case). The handler tests answer whether the offline program's
// own handler class fills the item: placing a block or category needs that handler, because its
// neighbours must be offline blocks and categories whose objects the program holds.
#pragma once

#include <string>
#include <string_view>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class RgProjectItem;
}

namespace mzblprsx::item_kind {

/// Item data key of the type name.
inline constexpr std::string_view kTypeKey = "TYPE";
/// Type names that are compared exactly: what the category and ghost handlers write.
inline constexpr std::string_view kCategory = "RgCategory";
inline constexpr std::string_view kDefaultCategory = "RgCategoryDefault";
inline constexpr std::string_view kGhostBlock = "RgGhostBlock";
/// What every block type contains ("RgBlockOffline", "RgBlockOnline.SFC", ...), and what the
/// types of each side's blocks contain.
inline constexpr std::string_view kBlockPart = "RgBlock";
inline constexpr std::string_view kOfflineBlockPart = "RgBlockOffline";
inline constexpr std::string_view kOnlineBlockPart = "RgBlockOnline";
/// The ghost block item is known by its handler's class name (find_by::kHandlerClass).
inline constexpr std::string_view kGhostHandler = "RgPrjHandlerGhostBlock";

/// Whether a "SYSTEM" value says system block: a Boolean True, or a value that compares equal
/// to True (-1). No value (Empty, Null) is no system block; a text that is no number fails with
/// a type mismatch.
bool IsSystemValue(const Variant& value);

/// The item's "TYPE" as text; empty when the item has no such value.
std::string TypeOf(const Ref<RgProjectItem>& item);

/// A block of either side: the type contains "RgBlock" without regard to case.
bool IsBlockType(std::string_view type);
/// A block of the offline project: the type contains "RgBlockOffline" without regard to case.
bool IsOfflineBlockType(std::string_view type);
/// A block of the PLC: the type contains "RgBlockOnline" without regard to case.
bool IsOnlineBlockType(std::string_view type);
/// A category, the default one included: exactly "RgCategory" or "RgCategoryDefault".
bool IsCategoryType(std::string_view type);
/// The program's default category: exactly "RgCategoryDefault".
bool IsDefaultCategoryType(std::string_view type);
/// A category that the user made (the ones a refresh or a program delete walks): the type
/// contains "RgCategory" and is not the default category's.
bool IsUserCategoryType(std::string_view type);
/// The ghost block placeholder: exactly "RgGhostBlock".
bool IsGhostType(std::string_view type);

/// Filled by the offline block handler; false for nothing.
bool HasBlockHandler(const Ref<RgProjectItem>& item);
/// Filled by the category handler; false for nothing.
bool HasCategoryHandler(const Ref<RgProjectItem>& item);
/// Filled by the ghost block handler; false for nothing.
bool HasGhostHandler(const Ref<RgProjectItem>& item);

}  // namespace mzblprsx::item_kind
