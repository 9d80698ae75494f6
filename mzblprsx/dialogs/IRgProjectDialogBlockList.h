// How a host that loads the library at run time asks the block list dialog: it creates
// "mzblprsx.RgProjectDialogBlockList" and reaches OpenBlock through this interface.
//
//   auto dialog =
//   platform::CreateObjectAs<IRgProjectDialogBlockList>("mzblprsx.RgProjectDialogBlockList");
//   int32_t mode = 0;
//   auto chosen = dialog->OpenBlock(snapIn, RgProjectLocationOffline, mode);
//   // mode: 0 cancelled, 1 open in the editor, 2 show the properties
//
// Trap: `snapIn` must be the library's snap-in object (the one the host created); anything else
// is reported and gives no collection.
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItems;

class IRgProjectDialogBlockList : public virtual Object {
 public:
  /// Shows the blocks of the location's project; the chosen items (empty after Cancel) and, in
  /// `blockOpenMode`, what to do with them. Nothing without a snap-in.
  virtual Ref<RgProjectItems> OpenBlockFor(const Ref<Object>& snapIn, int32_t location,
                                           int32_t& blockOpenMode) = 0;
};

}  // namespace mzblprsx
