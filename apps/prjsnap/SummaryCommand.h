// The user command that prjsnap declares in the snap-in's configuration: it reports what the
// host has open. Registered under the program identifier "prjsnap.SummaryCommand".
#pragma once

#include <iosfwd>
#include <string>

#include "mzblprsx/core/IRgProjectViewCommand.h"

namespace prjsnap {

class SummaryCommand final : public mzblprsx::IRgProjectViewCommand {
 public:
  static constexpr const char* kProgId = "prjsnap.SummaryCommand";
  /// Registers the class; its output goes to `out`, which must outlive every command object.
  static void Register(std::ostream& out);

  explicit SummaryCommand(std::ostream& out) : out_(out) {}
  std::string_view TypeName() const override { return "SummaryCommand"; }

  int32_t CmdID() override { return id_; }
  void SetCmdID(int32_t id) override { id_ = id; }
  platform::Ref<mzblprsx::RgProjectUserCommands> Parent() override { return parent_; }
  void SetParent(platform::Ref<mzblprsx::RgProjectUserCommands> parent) override {
    parent_ = std::move(parent);
  }
  std::string Title() override { return "Project summary"; }
  bool CanExecute() override;
  bool Execute() override;

 private:
  std::ostream& out_;
  int32_t id_ = 0;
  platform::Ref<mzblprsx::RgProjectUserCommands> parent_;
};

}  // namespace prjsnap
