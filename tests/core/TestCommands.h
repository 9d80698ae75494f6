// Command objects and an explorer control for driving command routing in tests.
#pragma once

#include <string>
#include <vector>

#include "mzblprsx/core/IRgProjectViewCommand.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "platform/ClassRegistry.h"

namespace mztest {

/// What the test commands did, in order ("execute 100", ...).
inline std::vector<std::string>& CommandLog() {
  static std::vector<std::string> log;
  return log;
}

/// A user command whose behaviour the program identifier selects:
/// "test.OkCommand" executes and answers True, "test.FailingCommand" throws,
/// "test.DisabledCommand" cannot execute.
class TestCommand final : public mzblprsx::IRgProjectViewCommand {
 public:
  enum class Kind { Ok, Failing, Disabled };
  explicit TestCommand(Kind kind) : kind_(kind) {}
  std::string_view TypeName() const override { return "TestCommand"; }
  int32_t CmdID() override { return id_; }
  void SetCmdID(int32_t id) override { id_ = id; }
  platform::Ref<mzblprsx::RgProjectUserCommands> Parent() override { return parent_; }
  void SetParent(platform::Ref<mzblprsx::RgProjectUserCommands> parent) override {
    parent_ = std::move(parent);
  }
  std::string Title() override { return "Command " + std::to_string(id_); }
  bool CanExecute() override { return kind_ != Kind::Disabled; }
  bool Execute() override {
    CommandLog().push_back("execute " + std::to_string(id_));
    if (kind_ == Kind::Failing) throw platform::Error(platform::errc::kFail, "command failed");
    return true;
  }

  static void Register() {
    auto& registry = platform::ClassRegistry::Instance();
    registry.Register("", "test.OkCommand", [] { return Make(Kind::Ok); });
    registry.Register("", "test.FailingCommand", [] { return Make(Kind::Failing); });
    registry.Register("", "test.DisabledCommand", [] { return Make(Kind::Disabled); });
  }

 private:
  static platform::Ref<platform::Object> Make(Kind kind) {
    return platform::MakeObject<TestCommand>(kind);
  }
  Kind kind_;
  int32_t id_ = 0;
  platform::Ref<mzblprsx::RgProjectUserCommands> parent_;
};

/// An explorer control that claims the commands and verbs from 500 up and records every call.
class TestExplorerControl final : public mzblprsx::IRgSICommandTarget {
 public:
  std::string_view TypeName() const override { return "TestExplorerControl"; }
  bool IsResponsible(int32_t command) override { return Log("responsible", command); }
  bool OnCommand(int32_t command) override { return Log("command", command); }
  bool OnUpdateUI(int32_t command, platform::Ref<platform::Object>) override {
    return Log("update", command);
  }
  std::string GetMsgText(int32_t command) override { return "msg " + std::to_string(command); }
  std::string GetTooltipText(int32_t command) override { return "tip " + std::to_string(command); }
  int32_t GetTooltipHelp(int32_t first, int32_t second) override { return first * 1000 + second; }
  bool DoVerb(int32_t verb, const platform::Variant& arguments, bool broadcast) override {
    calls.push_back("verb " + std::to_string(verb) + " " + arguments.ToString() +
                    (broadcast ? " broadcast" : ""));
    return verb >= 500;
  }
  std::vector<std::string> calls;

 private:
  bool Log(const char* what, int32_t command) {
    calls.push_back(std::string(what) + " " + std::to_string(command));
    return command >= 500;
  }
};

}  // namespace mztest
