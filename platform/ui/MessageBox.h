// The runtime's plain message box: a text and buttons, answered by the button pressed.
//
//   MessageBox::Show("Could not print, because ...", MessageBox::kOkOnly);
//   for (const auto& text : MessageBox::Shown()) std::cerr << text << '\n';   // a host draws them
//
// Headless: a box is not drawn, it is recorded for the calling thread (the host shows what was
// recorded, as a terminal host prints it) and answered at once with the first of its buttons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::ui {

class MessageBox {
 public:
  static constexpr int32_t kOkOnly = 0;
  static constexpr int32_t kAnswerOk = 1;

  /// Records the box; answers kAnswerOk.
  static int32_t Show(const std::string& text, int32_t buttons = kOkOnly);
  /// The texts of this thread's boxes, oldest first.
  static const std::vector<std::string>& Shown();
  static void ClearShown();
};

}  // namespace platform::ui
