// Loading of a memory card's file list, offered by the handler of the card's file container
// ("RgPrjHandlerFilesOnMMC"). The details cursor asks for it when it attaches in memory-card mode.
//
//   if (auto loader = item->HandlerObject().As<IRgFilesOnMMCLoader>()) loader->LoadFiles();
//
// Trap: the file items arrive later, through the handler's notifications and the model's
// ItemAdd events, not as a result of this call.
#pragma once

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgFilesOnMMCLoader : public virtual platform::Object {
 public:
  /// Asks the card for its file list unless it was loaded already; does nothing then.
  virtual void LoadFiles() = 0;
};

}  // namespace mzblprsx
