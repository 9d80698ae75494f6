#include "host/app/ViewRegister.h"

#include <utility>

#include "host/app/ViewWindow.h"

namespace host {

ViewRegister::ViewRegister(std::string name, std::weak_ptr<ViewWindow> window)
    : name_(std::move(name)), window_(std::move(window)) {}

void ViewRegister::BringToFront() {
  ++frontCount_;
  if (auto window = window_.lock()) window->RegisterActivated(*this, ViewWindow::Activation::Front);
}

void ViewRegister::Show() {
  ++showCount_;
  if (auto window = window_.lock()) window->RegisterActivated(*this, ViewWindow::Activation::Show);
}

}  // namespace host
