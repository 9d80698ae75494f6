// The reference host's information window (CPU information with memory), created by class id
// mzblprsx::clsid::kInfoWindow. It has no screen: it records how it was shown and closed.
//
//   auto window = platform::CreateObjectAs<mzblprsx::IRgInfoWindow>(mzblprsx::clsid::kInfoWindow);
//   window->Show(0, 2, 2);
//   host::InfoWindow::LastCreated()->ShowCalls();   // {{0, 2, 2}}
//
// Trap: LastCreated is per thread (one application per thread) and weak: it is nothing once the
// creator released the window.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "mzblprsx/interfaces/IRgInfoWindow.h"

namespace host {

class InfoWindow final : public mzblprsx::IRgInfoWindow {
 public:
  InfoWindow();
  std::string_view TypeName() const override { return "InfoWindow"; }

  void Show(int32_t first, int32_t second, int32_t third) override;
  void Close() override;

  /// The arguments of every Show, in order.
  const std::vector<std::array<int32_t, 3>>& ShowCalls() const { return shows_; }
  int32_t CloseCount() const { return closes_; }
  /// Shown and not closed since.
  bool Visible() const { return visible_; }

  /// The window most recently created on this thread, or nothing once it is released.
  static platform::Ref<InfoWindow> LastCreated();
  /// Notes a newly created window as the thread's last one (the class factory calls it).
  static void NoteCreated(const platform::Ref<InfoWindow>& window);

 private:
  std::vector<std::array<int32_t, 3>> shows_;
  int32_t closes_ = 0;
  bool visible_ = false;
};

}  // namespace host
