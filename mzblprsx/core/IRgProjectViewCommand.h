// One user command: an object declared in the snap-in's configuration by number and program
// identifier, created by RgProjectUserCommands and executed as a host command.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectUserCommands;

class IRgProjectViewCommand : public virtual Object {
 public:
  virtual int32_t CmdID() = 0;
  virtual void SetCmdID(int32_t id) = 0;
  /// The collection the command is registered in; nothing once removed.
  virtual Ref<RgProjectUserCommands> Parent() = 0;
  virtual void SetParent(Ref<RgProjectUserCommands> parent) = 0;
  /// The title shown while the command runs (the error service's command context).
  virtual std::string Title() = 0;
  virtual bool CanExecute() = 0;
  virtual bool Execute() = 0;
};

}  // namespace mzblprsx
