#include "mzblprsx/core/RgProjectUserCommands.h"

#include <pugixml.hpp>

#include "mzblprsx/core/IRgProjectView.h"
#include "mzblprsx/core/IRgProjectViewCommand.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/IRgCommandUI.h"
#include "mzblprsx/interfaces/IRgErrorService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"

namespace mzblprsx {

std::string RgProjectUserCommands::P_Key(int32_t number) {
  return "CMD " + std::to_string(number);
}

int32_t RgProjectUserCommands::Count() {
  return commands_.Count();
}

Ref<IRgProjectViewCommand> RgProjectUserCommands::Item(int32_t command) {
  Ref<IRgProjectViewCommand> result;
  Guard(*this, "Property Get Item", [&] {
    const std::string key = P_Key(command);
    if (commands_.Exists(key)) result = commands_.Item(key);
  });
  return result;
}

Ref<RgProjectSnapin> RgProjectUserCommands::ProjectSnapIn() {
  return snapIn_;
}
void RgProjectUserCommands::SetProjectSnapIn(Ref<RgProjectSnapin> snapIn) {
  snapIn_ = std::move(snapIn);
}
Ref<IRgProjectView> RgProjectUserCommands::ProjectView() {
  return view_;
}
void RgProjectUserCommands::SetProjectView(Ref<IRgProjectView> view) {
  view_ = std::move(view);
}

std::vector<Ref<IRgProjectViewCommand>> RgProjectUserCommands::NewEnum() {
  return {commands_.begin(), commands_.end()};
}

void RgProjectUserCommands::Add(Ref<IRgProjectViewCommand> command, int32_t number) {
  Guard(*this, "Add", [&] {
    if (!command) return;
    const std::string key = P_Key(number);
    // A taken number fails before the command is touched, so the registered one keeps its parent.
    if (commands_.Exists(key)) throw platform::Error(platform::errc::kDuplicateKey);
    command->SetCmdID(number);
    command->SetParent(platform::Self(this));
    commands_.Add(command, key);
  });
}

void RgProjectUserCommands::Remove(int32_t number) {
  Guard(*this, "Remove", [&] {
    const std::string key = P_Key(number);
    if (!commands_.Exists(key)) return;
    commands_.Item(key)->SetParent(nullptr);
    commands_.Remove(key);
  });
}

void RgProjectUserCommands::RemoveAll() {
  Guard(*this, "RemoveAll", [&] {
    for (const auto& command : commands_) command->SetParent(nullptr);
    commands_.Clear();
  });
}

bool RgProjectUserCommands::Find(int32_t number) {
  return commands_.Exists(P_Key(number));
}

bool RgProjectUserCommands::CanExecute(int32_t number) {
  bool result = false;
  Guard(*this, "CanExecute", [&] {
    if (const auto command = Item(number)) result = command->CanExecute();
  });
  return result;
}

void RgProjectUserCommands::Create(const std::string& commandsXml) {
  Guard(*this, "Create", [&] {
    pugi::xml_document document;
    if (!document.load_buffer(commandsXml.data(), commandsXml.size())) return;
    const pugi::xpath_node_set elements = document.select_nodes("/COMMANDS/*");
    for (const pugi::xpath_node& node : elements) {
      const pugi::xml_node element = node.node();
      int32_t number = 0;
      std::string progId;
      if (const pugi::xml_attribute id = element.attribute("ID")) {
        number = Variant(platform::text::Val(id.value())).ToInt32();
      }
      if (const pugi::xml_attribute prog = element.attribute("PROGID")) progId = prog.value();
      if (progId.empty() || number == 0) continue;
      // A class that cannot be created is skipped; the element then declares no command.
      Ref<IRgProjectViewCommand> command;
      try {
        command = platform::CreateObject(progId).As<IRgProjectViewCommand>();
      } catch (const platform::Error&) {
        continue;
      }
      if (command) Add(command, number);
    }
  });
}

bool RgProjectUserCommands::Execute(int32_t number) {
  return OnCommand(number);
}

bool RgProjectUserCommands::IsResponsible(int32_t command) {
  bool result = false;
  Guard(*this, "IRgSICommandTarget_IsResponsible", [&] { result = Find(command); });
  return result;
}

bool RgProjectUserCommands::OnUpdateUI(int32_t command, Ref<Object> userInterface) {
  bool result = false;
  Guard(*this, "IRgSICommandTarget_OnUpdateUI", [&] {
    if (!IsResponsible(command)) return;
    userInterface.Cast<IRgCommandUI>()->SetEnabled(Item(command)->CanExecute());
    result = true;
  });
  return result;
}

bool RgProjectUserCommands::OnCommand(int32_t command) {
  bool result = false;
  Guard(*this, "IRgSICommandTarget_OnCommand", [&] {
    const Ref<RgProjectApplication> application = snapIn_->Application();
    application->DoWaitCursor(1);
    if (IsResponsible(command)) {
      const Ref<IRgProjectViewCommand> item = Item(command);
      const Ref<IRgErrorService> errors = FrameworkGlobals()->ErrorService();
      errors->BeginCommandContext(item->Title());
      try {
        result = item->Execute();
      } catch (...) {  // NOLINT(bugprone-empty-catch): a failing command leaves the result False
        result = false;
      }
      errors->EndCommandContext();
    }
    application->DoWaitCursor(-1);
  });
  return result;
}

bool RgProjectUserCommands::DoVerb(int32_t /*verb*/, const Variant& /*arguments*/,
                                   bool /*broadcast*/) {
  return false;
}
std::string RgProjectUserCommands::GetMsgText(int32_t /*command*/) {
  return {};
}
std::string RgProjectUserCommands::GetTooltipText(int32_t /*command*/) {
  return {};
}
int32_t RgProjectUserCommands::GetTooltipHelp(int32_t /*first*/, int32_t /*second*/) {
  return 0;
}

}  // namespace mzblprsx
