// The keyboard: key strokes delivered as the platform delivers them, and the send-keys text.
//
//   Keyboard::Press(VK_ESCAPE);             // down and up, to the focused window
//   Keyboard::SendKeys("{ENTER}", true);    // parsed, delivered now
//   Keyboard::SendKeys("+{TAB}", false);    // queued until the next DoEvents
//
// A key goes to the focused window (the active window when nothing has the focus). When that
// window is a control on a form with KeyPreview, the form's KeyDown/KeyUp see the key first and
// may swallow it (set it to 0); the control then receives WM_KEYDOWN / WM_KEYUP. Modifiers given
// with a stroke are held down meanwhile, so GetKeyState agrees with the event's shift argument.
// Alt+F4 sends WM_SYSCOMMAND SC_CLOSE to the active window instead. F1 (down) also sends WM_HELP
// to the focused window's top-level window, while F1 is still held.
//
// Send-keys text: characters stand for their keys (an upper-case letter adds Shift), "~" is Enter,
// "+", "^", "%" hold Shift, Ctrl, Alt for the next key or "(group)", and braces name keys:
// {ENTER} {ESC} {TAB} {BS} {DEL} {INS} {HOME} {END} {PGUP} {PGDN} {UP} {DOWN} {LEFT} {RIGHT}
// {SPACE} {F1}..{F12}, a literal {+} {^} {%} {~} {(} {)} {{} {}}, and a count: {TAB 3}.
//
// Trap: a key handler that sends its own key again is fine once (the form's Enter handling
// relies on it) but a handler that does so without end is stopped with an error, not a hang.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform::ui {

/// One key stroke: a virtual key and the modifiers held with it (1 Shift, 2 Ctrl, 4 Alt).
struct KeyStroke {
  int32_t virtualKey = 0;
  int16_t shift = 0;
  bool operator==(const KeyStroke&) const = default;
};

class Keyboard {
 public:
  /// Delivery of nested strokes stops with an error beyond this depth.
  static constexpr int32_t kMaxNesting = 16;

  /// Presses and releases a key with the modifiers held.
  static void Press(int32_t virtualKey, int16_t shift = 0);
  /// Only the press (the key stays down) or only the release.
  static void KeyDown(int32_t virtualKey);
  static void KeyUp(int32_t virtualKey);

  /// The strokes of a send-keys text; error 5 naming the fault for text that does not parse.
  static std::vector<KeyStroke> Parse(std::string_view keys);
  /// Types the text: with wait, now (after any strokes still queued); without, at DoEvents.
  static void SendKeys(std::string_view keys, bool wait);
  /// Delivers the queued strokes.
  static void DoEvents();
};

}  // namespace platform::ui
