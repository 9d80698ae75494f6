// One register (tab) of a view window of the reference host.
//
//   auto tab = window->AddRegister("Project");
//   tab->BringToFront(); tab->Show();   // the window now reports "Project" as its front register
//
// A register counts its two activation operations and reports each to its window, which keeps
// the order of activations. It refers to its window weakly: a register kept after its window is
// gone still counts, but reports to nobody.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "mzblprsx/interfaces/IRgViewRegister.h"

namespace host {

class ViewWindow;

class ViewRegister final : public mzblprsx::IRgViewRegister {
 public:
  ViewRegister(std::string name, std::weak_ptr<ViewWindow> window);
  std::string_view TypeName() const override { return "ViewRegister"; }

  std::string Name() override { return name_; }
  void BringToFront() override;
  void Show() override;

  int32_t BringToFrontCount() const { return frontCount_; }
  int32_t ShowCount() const { return showCount_; }
  /// True once Show was called.
  bool Visible() const { return showCount_ > 0; }

 private:
  std::string name_;
  std::weak_ptr<ViewWindow> window_;  // not owned: the window owns its registers
  int32_t frontCount_ = 0;
  int32_t showCount_ = 0;
};

}  // namespace host
