// The new-block dialog component ("mzbdnblx.RgDialogNewBlock", clsid::kNewBlockDialog) of this
// host: instead of asking a user it takes the next answer of the calling thread's
// Environment's NewBlockScript.
//
//   env.NewBlocks().Push(fb12);     // a NewBlockRequest
//   auto dialog = platform::CreateObjectAs<mzblprsx::IRgNewBlockDialog>(clsid::kNewBlockDialog);
//   auto fb12 = dialog->CreateBlockOffline(program);   // created, notification 1; nothing: cancel
//
// The block is created in the container's program by the block service (BlockService::
// CreateBlock), so it is announced like any other new block; the library's program handler
// places its item while the dialog runs.
//
// Trap: an answer the program cannot take (a taken number, say) is an error, not a cancel: a
// script that asks for it is wrong.
#pragma once

#include "mzblprsx/interfaces/IRgNewBlockDialog.h"

namespace host {

class NewBlockDialog : public mzblprsx::IRgNewBlockDialog {
 public:
  std::string_view TypeName() const override { return "NewBlockDialog"; }

  /// The container is the program's block container (IRgBlockContainer) or the program. Error
  /// 91 for nothing, 13 for another object, 5 for the PLC's program, 429 without Environment.
  platform::Ref<mzblprsx::IRgObject> CreateBlockOffline(
      platform::Ref<platform::Object> blockContainer) override;
};

}  // namespace host
