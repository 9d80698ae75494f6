// The option "General/Display/ShowSystemBlocks" as the dialog and print cursors keep it: read
// from the snap-in's option service when they attach, remembered between reads.
//
//   bool changed = systemBlocks_.Read(snapIn_);   // nothing read (False) without a snap-in
//   if (systemBlocks_.Show()) ...
//
// The value is read as a Boolean: True/False also as text, a number is on when not 0; no value
// is off. A failing option service travels to the caller, whose procedure reports it.
#pragma once

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectSnapin;

class SystemBlocksOption {
 public:
  /// Reads and stores the option; True when it differs from the stored value.
  bool Read(const Ref<RgProjectSnapin>& snapIn);
  bool Show() const { return show_; }

 private:
  bool show_ = false;
};

}  // namespace mzblprsx
