// Verb numbers that the snap-in exchanges with its host and with other snap-ins.
//
//   application->DoVerb(verb::kProjectRemoved, Variant(), true);
#pragma once

#include <cstdint>

namespace mzblprsx::verb {

/// Host to snap-in: the host application has finished initialising; the models are built.
inline constexpr int32_t kApplicationInitialized = 1;
/// Host to snap-in: refresh the titles of the windows that show offline items.
inline constexpr int32_t kRefreshWindowTitles = 2;
/// Host to snap-in: the companion object's state (a Boolean argument).
inline constexpr int32_t kCompanionState = 28;
/// Host to snap-in: start and end a wait (the wait cursor).
inline constexpr int32_t kBeginWait = 111;
inline constexpr int32_t kEndWait = 112;
/// Snap-in to every snap-in: the online project was removed.
inline constexpr int32_t kProjectRemoved = 116;
/// Snap-in to every snap-in: the load state (a 32-bit argument).
inline constexpr int32_t kLoadState = 0x40000002;
/// Snap-in to the hardware configuration snap-in: save.
inline constexpr int32_t kSave = 57603;

}  // namespace mzblprsx::verb
