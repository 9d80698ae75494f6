// The user-interface element (menu entry, toolbar button) of one command in the reference host.
// The frame hands one to the snap-ins' OnUpdateUI; a snap-in that answers for the command sets
// whether it is enabled.
//
//   auto ui = app->UpdateCommandUI(40001);
//   if (ui->Updated() && ui->Enabled()) ...
//
// Trap: an element nobody updated is disabled (Updated() tells the two cases apart).
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/IRgCommandUI.h"

namespace host {

class CommandUI final : public mzblprsx::IRgCommandUI {
 public:
  explicit CommandUI(int32_t command = 0) : command_(command) {}
  std::string_view TypeName() const override { return "CommandUI"; }

  void SetEnabled(bool enabled) override;
  bool Enabled() override { return enabled_; }

  int32_t Command() const { return command_; }
  /// True once SetEnabled was called.
  bool Updated() const { return updated_; }

 private:
  int32_t command_;
  bool enabled_ = false;
  bool updated_ = false;
};

}  // namespace host
