// The dialog message tip: a small balloon beside one window that shows an input error or an
// information text.
//
//   auto tip = MakeObject<MessageTip>();
//   tip->AttachTip(form->HWnd());
//   tip->SetTipText(MessageTip::kInputError, "Number out of range");
//   tip->ShowTip();       // IsVisible() while the window is shown
//
// Tests and the terminal renderer read its state: IsVisible, Kind, Text. UiState::TipsOf finds
// the tips attached to a window.
//
// Trap: the tip is only visible while it is attached to a live, shown window; showing it first
// and attaching later shows it then.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Object.h"

namespace platform::ui {

class MessageTip : public virtual Object {
 public:
  static constexpr int16_t kInputError = 1;
  static constexpr int16_t kInformation = 2;

  std::string_view TypeName() const override { return "MessageTip"; }

  /// Attaches the tip to a window (0 detaches); error 5 for a handle that names no window.
  void AttachTip(int32_t hwnd);
  int32_t AttachedWindow() const { return hwnd_; }
  void ShowTip() { shown_ = true; }
  void HideTip() { shown_ = false; }
  /// Sets the kind (kInputError or kInformation; error 5 otherwise) and the text.
  void SetTipText(int16_t kind, std::string text);

  /// Shown, and attached to a live window that is shown.
  bool IsVisible() const;
  /// The kind of the last SetTipText; 0 before any.
  int16_t Kind() const { return kind_; }
  const std::string& Text() const { return text_; }
  /// "Error: text" or "Information: text".
  std::string Render() const;

 private:
  int32_t hwnd_ = 0;
  bool shown_ = false;
  int16_t kind_ = 0;
  std::string text_;
};

}  // namespace platform::ui
