// A command target: the snap-ins of the host and the explorer controls answer commands and verbs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgSICommandTarget : public virtual platform::Object {
 public:
  virtual bool IsResponsible(int32_t command) = 0;
  virtual bool OnCommand(int32_t command) = 0;
  /// userInterface: the host's user-interface element of the command (IRgCommandUI).
  virtual bool OnUpdateUI(int32_t command, Ref<Object> userInterface) = 0;
  virtual std::string GetMsgText(int32_t command) = 0;
  virtual std::string GetTooltipText(int32_t command) = 0;
  virtual int32_t GetTooltipHelp(int32_t first, int32_t second) = 0;
  virtual bool DoVerb(int32_t verb, const Variant& arguments, bool broadcast) = 0;
};

}  // namespace mzblprsx
