// One batched framework notification: the class of the objects it is about and a list of
// entries, each a code with the objects it concerns.
//
// The codes, single and batched, are the framework's: named in notify:: below, so that a handler
// says which change it follows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"

namespace mzblprsx {

namespace notify {

// A project, or one of its children other than blocks (single notifications).
inline constexpr int32_t kRenamed = 4;
inline constexpr int32_t kChildrenChanged = 256;  // of a project: a child added or removed
inline constexpr int32_t kChanged = 64;           // of a child: renamed or changed
inline constexpr int32_t kDeleted = 128;          // of a child: deleted
/// Every code on which a hardware configuration's item is refreshed.
inline constexpr std::array<int32_t, 6> kHwConfigChanges = {0, 4, 64, 128, 4096, 8192};

// Blocks (batched, source class the block class).
inline constexpr int32_t kBlockCreated = 1;
inline constexpr int32_t kBlockDeleted = 2;
inline constexpr int32_t kBlockRenumbered = 128;
inline constexpr int32_t kBlockChanged = 8192;  // header, author, language, size, date, flags
/// Every code after which a block has an item at the place the program handler is told.
inline constexpr std::array<int32_t, 7> kBlockPlaced = {kBlockCreated, 3, 4, 8, 64, 65536, 4194304};

// The program's block container (batched).
inline constexpr int32_t kCategoriesChanged = 256;
/// Its objects are the blocks whose symbols changed, or the container itself when any block's
/// symbol may have changed.
inline constexpr int32_t kSymbolsChanged = 131072;

}  // namespace notify

struct RgNotificationEntry {
  int32_t code = 0;
  std::vector<Ref<IRgObject>> objects;
};

struct RgNotification {
  /// Class identifier of the notifying objects (the block class, the block container class...).
  std::string sourceClass;
  std::vector<RgNotificationEntry> entries;
};

}  // namespace mzblprsx
