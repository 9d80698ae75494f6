// The user-interface state of one thread: its windows by handle, the focus, the active top-level
// window, the keyboard's key state, the screen, the modal loop, and the keystrokes sent for later.
//
//   auto& ui = platform::ui::UiState::Current();
//   ui.SetModalLoop(loop);                    // what Form::Show(modal) hands control to
//   ui.SetScreen(1024, 768);                  // pixels; 15 twips per pixel unless given
//
// Each thread has its own state, as each application of a transfer runs its own user-interface
// thread: a handle of one thread is unknown on another. Handles are unique in the process, so a
// handle never names two windows even across threads.
//
// Trap: windows hold their thread's state alive; do not hand a window to another thread and
// expect that thread's focus or modal loop to know it.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Ref.h"

namespace platform::ui {

class Window;
class IModalLoop;
class MessageTip;

class UiState {
 public:
  UiState() = default;
  UiState(const UiState&) = delete;
  UiState& operator=(const UiState&) = delete;

  /// The calling thread's state (created on first use).
  static UiState& Current();
  static std::shared_ptr<UiState> CurrentShared();

  /// The live window of that handle on this thread; nothing for 0, an unknown handle, or a
  /// window that is being destroyed.
  Ref<Window> FromHandle(int32_t hwnd) const;

  /// The window with the keyboard focus; 0 when none has it.
  int32_t Focus() const { return focus_; }
  /// Gives the focus to a window (activating its top-level window first when that is not the
  /// active one): the old focus receives WM_KILLFOCUS, the new WM_SETFOCUS. Returns the previous
  /// focus; 0 and nothing changes when the window is unknown, hidden or disabled (itself or a
  /// container). 0 as target just removes the focus.
  int32_t SetFocus(int32_t hwnd);
  /// The active top-level window; 0 when none.
  int32_t ActiveWindow() const { return active_; }
  /// Makes a top-level window the active one: the previous one is deactivated first.
  void Activate(Window& topLevel);
  /// Deactivates the window when it is the active one (the focus stays where it is).
  void Deactivate(Window& topLevel);

  /// The key state as the platform reports it: negative (high bit set) while the key is down.
  int16_t KeyState(int32_t virtualKey) const;
  /// Holds a key down or releases it (the keyboard does this; tests may hold modifiers or F1).
  void SetKeyDown(int32_t virtualKey, bool down);
  /// The shift argument of key events from the held modifiers (1 Shift, 2 Ctrl, 4 Alt).
  int16_t ShiftState() const;

  /// Screen size in pixels and the twips per pixel (default 1280 x 1024 at 15).
  void SetScreen(int32_t widthPixels, int32_t heightPixels, int32_t twipsPerPixel = 15);
  int32_t ScreenWidthPixels() const { return screenWidth_; }
  int32_t ScreenHeightPixels() const { return screenHeight_; }
  /// Screen size in twips, as forms measure.
  int32_t ScreenWidth() const { return screenWidth_ * twipsPerPixel_; }
  int32_t ScreenHeight() const { return screenHeight_ * twipsPerPixel_; }
  int32_t TwipsPerPixelX() const { return twipsPerPixel_; }
  int32_t TwipsPerPixelY() const { return twipsPerPixel_; }

  /// The loop that modal forms of this thread run in; nothing until the application sets one.
  Ref<IModalLoop> ModalLoop() const { return modalLoop_; }
  void SetModalLoop(Ref<IModalLoop> loop) { modalLoop_ = std::move(loop); }

  /// Message tips currently attached to the window (for drawing them beside it).
  std::vector<Ref<MessageTip>> TipsOf(int32_t hwnd) const;

  /// Keystrokes sent without waiting; delivered by the next DoEvents.
  std::deque<std::pair<int32_t, int16_t>>& PendingKeys() { return pendingKeys_; }
  /// Nesting depth of keystroke delivery (guards against a handler that resends its own key).
  int32_t& KeyDepth() { return keyDepth_; }

 private:
  friend class Window;
  friend class MessageTip;
  int32_t Register(Window* window);
  void Unregister(int32_t hwnd);
  /// The window stops taking keys (hidden, disabled, destroyed): a focus inside it is dropped.
  void DropFocusWithin(const Window& window, bool notify = true);
  void NoteTip(const std::shared_ptr<MessageTip>& tip);

  std::unordered_map<int32_t, Window*> windows_;
  int32_t focus_ = 0;
  int32_t active_ = 0;
  std::vector<int32_t> keysDown_;
  int32_t screenWidth_ = 1280;
  int32_t screenHeight_ = 1024;
  int32_t twipsPerPixel_ = 15;
  Ref<IModalLoop> modalLoop_;
  std::vector<std::weak_ptr<MessageTip>> tips_;
  std::deque<std::pair<int32_t, int16_t>> pendingKeys_;
  int32_t keyDepth_ = 0;
};

}  // namespace platform::ui
