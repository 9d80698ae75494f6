#include "host/app/ViewWindow.h"

#include <memory>
#include <utility>

#include "host/app/ViewRegister.h"
#include "platform/Text.h"

namespace host {

ViewWindow::ViewWindow(std::string name) : name_(std::move(name)) {}

platform::Ref<mzblprsx::IRgViewRegister> ViewWindow::Register(const std::string& name) {
  if (auto reg = FindRegister(name)) return reg;
  throw platform::Error(platform::errc::kInvalidCall,
                        "The window '" + name_ + "' has no register '" + name + "'",
                        std::string(TypeName()));
}

platform::Ref<ViewRegister> ViewWindow::AddRegister(const std::string& name) {
  if (FindRegister(name)) {
    throw platform::Error(platform::errc::kDuplicateKey,
                          "The window '" + name_ + "' already has a register '" + name + "'",
                          std::string(TypeName()));
  }
  // Registers report activations back to their window, which may be released before them.
  auto self = std::dynamic_pointer_cast<ViewWindow>(weak_from_this().lock());
  auto reg = platform::MakeObject<ViewRegister>(name, std::weak_ptr<ViewWindow>(self));
  registers_.push_back(reg);
  return reg;
}

platform::Ref<mzblprsx::IRgViewRegister> ViewWindow::FindRegister(const std::string& name) {
  for (const auto& reg : registers_) {
    if (platform::text::EqualsNoCase(reg->Name(), name)) return reg;
  }
  return {};
}

std::string ViewWindow::FrontRegisterName() const {
  return front_ ? front_->Name() : std::string();
}

void ViewWindow::RegisterActivated(ViewRegister& reg, Activation how) {
  if (how == Activation::Front) {
    // Only a register of this window can come to its front.
    for (const auto& own : registers_) {
      if (own.Get() == &reg) front_ = own;
    }
  }
  log_.push_back((how == Activation::Front ? "front " : "show ") + reg.Name());
}

}  // namespace host
