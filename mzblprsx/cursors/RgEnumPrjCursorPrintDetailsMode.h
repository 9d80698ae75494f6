// What the details print cursor lists for a printout.
#pragma once

#include <cstdint>

namespace mzblprsx {

enum RgEnumPrjCursorPrintDetailsMode : int32_t {
  /// A project: hardware configurations, memory-card file containers, categories and blocks.
  RgPrjCursorPrintDetailsModeProject = 0,
  /// A program: categories and blocks.
  RgPrjCursorPrintDetailsModeProgram = 1,
  /// A memory card: its files.
  RgPrjCursorPrintDetailsModeMMC = 2,
};

}  // namespace mzblprsx
