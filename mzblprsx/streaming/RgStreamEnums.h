// The enumerations of transfers: requested actions, byte forms, where received data comes from,
// and what is to happen to (or went wrong with) each carried object.
#pragma once

#include <cstdint>

namespace mzblprsx {

enum RgEnumStreamServiceDataActions : int32_t {
  RgStreamServiceDataActionNone = 0,
  RgStreamServiceDataActionCopy = 1,
  RgStreamServiceDataActionMove = 2,
};
/// The per-object action test answers this when copy and move are both allowed.
inline constexpr int32_t kStreamDataActionCopyOrMove = 3;

enum RgEnumStreamServiceFormats : int32_t {
  RgStreamServiceFormatObjectList = 1,
  RgStreamServiceFormatObjectData = 2,
  RgStreamServiceFormatObjectSource = 3,
};

/// A bit set.
enum RgEnumStreamDataSource : int32_t {
  RgStreamDataSourceUnknown = 0,
  RgStreamDataSourceSameApplication = 1,
  RgStreamDataSourceOtherApplication = 2,
  RgStreamDataSourceLocationOffline = 4,
  RgStreamDataSourceLocationOnline = 8,
};

enum RgEnumDataObjectItemAction : int32_t {
  RgDataObjectItemActionCancel = 0,
  RgDataObjectItemActionInsert = 1,
  RgDataObjectItemActionRename = 2,
  RgDataObjectItemActionOverwrite = 3,
  RgDataObjectItemActionOverwriteAll = 4,
  RgDataObjectItemActionIgnore = 5,
  RgDataObjectItemActionIgnoreAll = 6,
};

enum RgEnumDataObjectItemError : int32_t {
  RgDataObjectItemErrorNone = 0,
  RgDataObjectItemErrorMissingSource = 1,
  RgDataObjectItemErrorFlushingBlock = 2,
  RgDataObjectItemErrorOpenedBlock = 3,
};

}  // namespace mzblprsx
