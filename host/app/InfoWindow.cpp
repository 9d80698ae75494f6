#include "host/app/InfoWindow.h"

#include <memory>

namespace host {
namespace {
thread_local std::weak_ptr<InfoWindow> lastCreated;
}  // namespace

InfoWindow::InfoWindow() = default;

void InfoWindow::Show(int32_t first, int32_t second, int32_t third) {
  shows_.push_back({first, second, third});
  visible_ = true;
}

void InfoWindow::Close() {
  ++closes_;
  visible_ = false;
}

platform::Ref<InfoWindow> InfoWindow::LastCreated() {
  return lastCreated.lock();
}

void InfoWindow::NoteCreated(const platform::Ref<InfoWindow>& window) {
  lastCreated = window.Shared();
}

}  // namespace host
