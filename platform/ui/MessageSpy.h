// The message spy: watches chosen messages of one window and sees them before the window does.
//
//   auto spy = MakeObject<MessageSpy>();
//   spy->SetHWnd(form->HWnd());
//   spy->AddMessage(WM_SYSCOMMAND, true);
//   c = spy->WndProc().Connect([](int32_t msg, int32_t wParam, int32_t, bool& handled) {
//     if (wParam == SC_CLOSE) handled = true;   // the window never sees it
//   });
//
// The spy subclasses the window for as long as it watches it: a new hWnd, hWnd 0 or the spy's
// end stops the watch. Messages not added (or added with False) pass by unseen.
//
// Trap: handlers of WndProc run inside the window's message delivery; a handler that closes the
// window (directly or through a simulated click) is fine, but must not expect the message to have
// reached the window.
#pragma once

#include <cstdint>
#include <set>
#include <string_view>

#include "platform/Object.h"
#include "platform/Signal.h"

namespace platform::ui {

class MessageSpy : public virtual Object {
 public:
  std::string_view TypeName() const override { return "MessageSpy"; }

  /// The watched window; 0 when none.
  int32_t HWnd() const { return hwnd_; }
  /// Watches another window (0: none); error 5 for a handle that names no window of this thread.
  void SetHWnd(int32_t hwnd);
  /// Adds (True) or removes (False) a message from the watched ones.
  void AddMessage(int32_t message, bool watch);

  /// WndProc(message, wParam, lParam, handled): setting handled to True swallows the message.
  Signal<int32_t, int32_t, int32_t, bool&>& WndProc() { return wndProc_; }

 private:
  int32_t hwnd_ = 0;
  std::set<int32_t> messages_;
  ScopedConnection hook_;
  Signal<int32_t, int32_t, int32_t, bool&> wndProc_;
};

}  // namespace platform::ui
