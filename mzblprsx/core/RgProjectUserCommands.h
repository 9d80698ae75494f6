// The snap-in's user commands: objects declared in the configuration's "COMMANDS" element by
// number ("ID") and program identifier ("PROGID"), registered under "CMD <number>".
//
//   commands->Create("<COMMANDS><C ID=\"100\" PROGID=\"my.Command\"/></COMMANDS>");
//   commands->OnCommand(100);   // runs under the wait cursor and a command context
//
// As the host's first command target it answers IsResponsible, enables the command's user
// interface element and executes commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "platform/KeyedCollection.h"

namespace mzblprsx {

class RgProjectSnapin;
class IRgProjectView;
class IRgProjectViewCommand;

class RgProjectUserCommands final : public IRgSICommandTarget {
 public:
  static constexpr std::string_view kTypeName = "RgProjectUserCommands";

  RgProjectUserCommands() = default;
  std::string_view TypeName() const override { return kTypeName; }

  int32_t Count();
  /// The command of that number; nothing when there is none.
  Ref<IRgProjectViewCommand> Item(int32_t command);
  Ref<RgProjectSnapin> ProjectSnapIn();
  void SetProjectSnapIn(Ref<RgProjectSnapin> snapIn);
  Ref<IRgProjectView> ProjectView();
  void SetProjectView(Ref<IRgProjectView> view);
  /// The commands in insertion order.
  std::vector<Ref<IRgProjectViewCommand>> NewEnum();
  /// Registers the command under the number; a second command with the same number fails.
  void Add(Ref<IRgProjectViewCommand> command, int32_t number);
  void Remove(int32_t number);
  void RemoveAll();
  bool Find(int32_t number);
  bool CanExecute(int32_t number);
  /// Creates and registers the commands of a "COMMANDS" XML text; a text that does not load,
  /// elements without a usable ID or PROGID, and classes that cannot be created are skipped.
  void Create(const std::string& commandsXml);
  bool Execute(int32_t number);

  // IRgSICommandTarget
  bool IsResponsible(int32_t command) override;
  bool OnCommand(int32_t command) override;
  bool OnUpdateUI(int32_t command, Ref<Object> userInterface) override;
  std::string GetMsgText(int32_t command) override;
  std::string GetTooltipText(int32_t command) override;
  int32_t GetTooltipHelp(int32_t first, int32_t second) override;
  bool DoVerb(int32_t verb, const Variant& arguments, bool broadcast) override;

 private:
  static std::string P_Key(int32_t number);

  InstanceTrace trace_{kTypeName};
  platform::KeyedCollection<Ref<IRgProjectViewCommand>> commands_;
  Ref<RgProjectSnapin> snapIn_;
  Ref<IRgProjectView> view_;
};

}  // namespace mzblprsx
