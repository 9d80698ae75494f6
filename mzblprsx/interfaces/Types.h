// The runtime types every interface speaks in.
#pragma once

#include "platform/Ref.h"
#include "platform/Signal.h"
#include "platform/Variant.h"

namespace mzblprsx {
using platform::Object;
using platform::Ref;
using platform::Variant;
}  // namespace mzblprsx
