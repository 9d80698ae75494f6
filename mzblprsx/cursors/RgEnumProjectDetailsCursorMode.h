// Which items the details cursor lists.
#pragma once

#include <cstdint>

namespace mzblprsx {

enum RgEnumProjectDetailsCursorMode : int32_t {
  /// Hardware configurations, memory-card file containers and blocks.
  RgProjectDetailsCursorModeProject = 0,
  /// Blocks.
  RgProjectDetailsCursorModeProgram = 1,
  /// Memory card files.
  RgProjectDetailsCursorModeMMC = 2,
};

}  // namespace mzblprsx
