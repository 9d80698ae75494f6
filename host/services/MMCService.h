// The application's memory card service: the card of the connected PLC and its files. For now
// it carries nothing of its own.
//
// Trap: one per application; the service factory hands out the same object on every request.
#pragma once

#include "platform/Ref.h"

namespace host {

class MMCService : public virtual platform::Object {
 public:
  std::string_view TypeName() const override { return "MMCService"; }
};

}  // namespace host
