// The application's tooltip service. The library only fetches it and hands it on; for now it
// carries nothing of its own.
//
// Trap: one per application; the service factory hands out the same object on every request.
#pragma once

#include "platform/Ref.h"

namespace host {

class TooltipService : public virtual platform::Object {
 public:
  std::string_view TypeName() const override { return "TooltipService"; }
};

}  // namespace host
