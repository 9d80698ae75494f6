// A window of the reference host's application frame: a view window such as "ProjectBar" or the
// window of an open document. It holds registers (tabs), knows which one is in front, and keeps
// the order in which registers were activated.
//
//   auto bar = platform::MakeObject<host::ViewWindow>("ProjectBar");
//   bar->AddRegister("Project");
//   bar->Register("Project")->BringToFront();
//   bar->FrontRegisterName();              // "Project"
//   bar->ActivationLog();                  // {"front Project"}
//
// Register names compare without regard to case. Trap: create windows with MakeObject; registers
// find their window through it (a window that is not shared gets registers that report nowhere).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgViewWindow.h"

namespace host {

class ViewRegister;

class ViewWindow final : public mzblprsx::IRgViewWindow {
 public:
  enum class Activation { Front, Show };

  explicit ViewWindow(std::string name);
  std::string_view TypeName() const override { return "ViewWindow"; }

  std::string Name() override { return name_; }
  /// The register of that name; error 5 naming the window and the register when there is none.
  platform::Ref<mzblprsx::IRgViewRegister> Register(const std::string& name) override;
  void SetDocumentTitle(const std::string& title) override { title_ = title; }
  std::string DocumentTitle() override { return title_; }

  /// Appends a register; error 457 when the window already has one of that name.
  platform::Ref<ViewRegister> AddRegister(const std::string& name);
  /// The register of that name, or nothing; never an error.
  platform::Ref<mzblprsx::IRgViewRegister> FindRegister(const std::string& name) override;
  /// The registers in tab order.
  const std::vector<platform::Ref<ViewRegister>>& Registers() const { return registers_; }
  /// The register last brought to the front; nothing before the first activation.
  platform::Ref<ViewRegister> FrontRegister() const { return front_; }
  /// Name of the front register, "" before the first activation.
  std::string FrontRegisterName() const;
  /// Every activation in order, as "front <register>" or "show <register>".
  const std::vector<std::string>& ActivationLog() const { return log_; }

  /// Called by a register of this window when it is activated.
  void RegisterActivated(ViewRegister& reg, Activation how);

 private:
  std::string name_;
  std::string title_;
  std::vector<platform::Ref<ViewRegister>> registers_;
  platform::Ref<ViewRegister> front_;
  std::vector<std::string> log_;
};

}  // namespace host
