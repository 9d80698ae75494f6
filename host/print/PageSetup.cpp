#include "host/print/PageSetup.h"

#include <algorithm>
#include <cmath>

namespace host {

int32_t PageSetup::RowsThatFit() const {
  // Page head, blank line and header row take three lines.
  const double lines = std::floor(draw.Height() / LineHeight()) - 3;
  return static_cast<int32_t>(std::clamp(lines, 1.0, 1.0e6));
}

}  // namespace host
