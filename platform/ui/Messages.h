// The window messages, virtual keys and style values that the forms and their controls exchange.
//
// The numbers are the platform's, so that code sending a message reads like code written against
// the real window system: SendMessage(button->hWnd(), WM_KEYDOWN, VK_RETURN, 0).
//
// Trap: only the messages listed here have a default handling in this window layer; any other
// message still reaches a window's message hooks (and a message spy), then is ignored.
#pragma once

#include <cstdint>

namespace platform::ui {

// Messages.
inline constexpr int32_t WM_SETFOCUS = 0x0007;
inline constexpr int32_t WM_KILLFOCUS = 0x0008;
inline constexpr int32_t WM_HELP = 0x0053;        // 83
inline constexpr int32_t WM_KEYDOWN = 0x0100;     // 256
inline constexpr int32_t WM_KEYUP = 0x0101;       // 257
inline constexpr int32_t WM_SYSCOMMAND = 0x0112;  // 274
inline constexpr int32_t BM_SETSTYLE = 0x00F4;    // 244

// WM_SYSCOMMAND commands.
inline constexpr int32_t SC_CLOSE = 0xF060;  // 61536: the close box, Alt+F4

// Button styles (BM_SETSTYLE's wParam).
inline constexpr int32_t BS_PUSHBUTTON = 0;
inline constexpr int32_t BS_DEFPUSHBUTTON = 1;

// Window data indexes (GetWindowLong / SetWindowLong).
inline constexpr int32_t GWL_HWNDPARENT = -8;

// Virtual keys.
inline constexpr int32_t VK_BACK = 0x08;
inline constexpr int32_t VK_TAB = 0x09;
inline constexpr int32_t VK_RETURN = 0x0D;  // 13
inline constexpr int32_t VK_SHIFT = 0x10;
inline constexpr int32_t VK_CONTROL = 0x11;
inline constexpr int32_t VK_MENU = 0x12;    // Alt
inline constexpr int32_t VK_ESCAPE = 0x1B;  // 27
inline constexpr int32_t VK_SPACE = 0x20;
inline constexpr int32_t VK_PRIOR = 0x21;  // Page Up
inline constexpr int32_t VK_NEXT = 0x22;   // Page Down
inline constexpr int32_t VK_END = 0x23;
inline constexpr int32_t VK_HOME = 0x24;
inline constexpr int32_t VK_LEFT = 0x25;
inline constexpr int32_t VK_UP = 0x26;
inline constexpr int32_t VK_RIGHT = 0x27;
inline constexpr int32_t VK_DOWN = 0x28;
inline constexpr int32_t VK_INSERT = 0x2D;
inline constexpr int32_t VK_DELETE = 0x2E;
inline constexpr int32_t VK_F1 = 0x70;
inline constexpr int32_t VK_F4 = 0x73;

// Shift states of key events (the event's shift argument is a combination).
inline constexpr int16_t kShiftMask = 1;
inline constexpr int16_t kCtrlMask = 2;
inline constexpr int16_t kAltMask = 4;

// Colours: the system window background (the normal background of an entry).
inline constexpr int32_t kColorWindowBackground = static_cast<int32_t>(0x80000005);

}  // namespace platform::ui
