// JSON of project items for the command line: one object per item with its depth, every item
// data key with its value, and its states.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/RgProjectItem.h"

namespace prjsnap {

/// Depth of an item below its model's root (the project item is 0).
int32_t Depth(const platform::Ref<mzblprsx::RgProjectItem>& item);

/// A value as JSON: Booleans as true/false, numbers as numbers, dates and texts as strings
/// (dates "YYYY-MM-DD HH:MM:SS"), Empty as null.
std::string JsonValue(const platform::Variant& value);

/// Writes `[{"depth": n, "data": {...}, "states": {...}}, ...]`.
void WriteItemsJson(std::ostream& out,
                    const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& items);

}  // namespace prjsnap
