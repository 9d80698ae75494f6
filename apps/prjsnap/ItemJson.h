// JSON of project items for the command line: one object per item with its depth, every item
// data key with its value, and its states.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/RgProjectItem.h"

namespace prjsnap {

/// Depth of an item below its model's root (the project item is 0).
int32_t Depth(const platform::Ref<mzblprsx::RgProjectItem>& item);

/// The depth of each row (rows in tree order) among the rows: one more than its nearest
/// ancestor that is a row, 0 without one. An item the view does not show (the default category)
/// adds no level, so its children sit directly under its parent, as the explorer draws them.
std::vector<int32_t> ShownDepths(const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& rows);

/// Each item's Depth.
std::vector<int32_t> ModelDepths(const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& items);

/// A value as JSON: Booleans as true/false, numbers as numbers, dates and texts as strings
/// (dates "YYYY-MM-DD HH:MM:SS"), Empty as null.
std::string JsonValue(const platform::Variant& value);

/// A text as a JSON string, quoted and escaped.
std::string JsonString(const std::string& text);

/// Further members of an item's JSON object (`"key": value, ...`), or nothing.
using ItemJsonExtra = std::function<std::string(const platform::Ref<mzblprsx::RgProjectItem>&)>;

/// Writes `[{"depth": n, "data": {...}, "states": {...}}, ...]`, the depths paired with the
/// items by index, and what `extra` gives for an item after its states.
void WriteItemsJson(std::ostream& out,
                    const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& items,
                    const std::vector<int32_t>& depths, const ItemJsonExtra& extra = {});

}  // namespace prjsnap
