// The host's help service: opens a topic of a help book beside a window (the F1 of the
// dialogs).
//
//   auto help = platform::CreateObjectAs<IRgHelpService>(clsid::kHelpService);
//   help->ShowHelpTopic("MzBASHD", form->HWnd(), "BAS00005.HTM");
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgHelpService : public virtual platform::Object {
 public:
  /// Shows the topic of the book for the window (its handle).
  virtual void ShowHelpTopic(const std::string& book, int32_t window, const std::string& topic) = 0;
};

}  // namespace mzblprsx
