// The platform's window calls as free functions, on the calling thread's user-interface state:
// what dialog code calls by the platform's names.
//
//   const int32_t before = GetFocus();
//   SetWindowLong(form->HWnd(), GWL_HWNDPARENT, mainWindow);
//   SendMessage(button, WM_KEYDOWN, VK_RETURN, 0);
//   if (GetKeyState(VK_F1) < 0) { ... }   // high bit: the key is down
//
// Like the platform, the calls never fail on a handle that names no window: they answer 0 and
// change nothing.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform::ui {

/// The window with the keyboard focus; 0 when none.
int32_t GetFocus();
/// Gives the focus to a window; the previous focus, or 0 when the window cannot take it.
int32_t SetFocus(int32_t hwnd);
/// Delivers a message to a window now; its answer, 0 for an unknown window.
int32_t SendMessage(int32_t hwnd, int32_t message, int32_t wParam, int32_t lParam);
/// GWL_HWNDPARENT sets the owner and answers the previous one. An owner that names no window
/// (or the window itself) is refused, and other indexes are not kept: both answer 0.
int32_t SetWindowLong(int32_t hwnd, int32_t index, int32_t value);
int32_t GetWindowLong(int32_t hwnd, int32_t index);
/// True while the handle names a live window of this thread.
bool IsWindow(int32_t hwnd);
/// Negative (high bit set) while the key is down.
int16_t GetKeyState(int32_t virtualKey);
/// Types keys as the keyboard would (see Keyboard for the text).
void SendKeys(std::string_view keys, bool wait);
/// Delivers what is queued (keys sent without waiting).
void DoEvents();

}  // namespace platform::ui
