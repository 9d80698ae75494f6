#include "host/app/CommandUI.h"

namespace host {

void CommandUI::SetEnabled(bool enabled) {
  enabled_ = enabled;
  updated_ = true;
}

}  // namespace host
