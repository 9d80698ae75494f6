// The block service of one program (offline or online): the program's blocks, renumbering,
// deleting and creating blocks, each with the program's notifications (NotificationHub).
//
//   auto blocks = factory->GetService(clsid::kBlockService, program, nullptr, "Offline")
//                     .Cast<mzblprsx::IRgBlockService>();
//   blocks->Renumber(fb10, 12);                    // false when refused; notification 128
//   blocks->DeleteBlocks(array, 0);                // one notification 2 with all of them
//   blocks->CreateFromData(item, true, 10, 12);    // FB12 from a copied block, replacing
//   blocks.As<IRgProgramCompare>()->ComparePrograms(projectOnly, plcOnly);   // differing count
//
// Created by the service factory, a new one per request, bound to the program it was asked for.
// It is also a program source (IProgramSource), so the block information object's HasBlock
// accepts it in place of the program.
//
// The comparison of project and PLC (IRgProgramCompare) pairs the blocks of the two programs by
// type and number through their indexes and compares each pair by Block::ComparesEqual; it is
// linear in the two programs' sizes. It compares the same way whichever side the service is
// bound to.
//
// Trap: the service belongs to the request; do not keep it past the project it is bound to.
#pragma once

#include <cstdint>
#include <vector>

#include "host/project/IProgramSource.h"
#include "host/services/BoundService.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgProgramCompare.h"

namespace host {

class Block;
struct NewBlockRequest;

class BlockService : public BoundService,
                     public virtual mzblprsx::IRgBlockService,
                     public virtual mzblprsx::IRgProgramCompare,
                     public virtual IProgramSource {
 public:
  using BoundService::BoundService;

  std::string_view TypeName() const override { return "BlockService"; }

  // IRgBlockService
  /// The program's blocks in the program's order.
  std::vector<platform::Ref<mzblprsx::IRgObject>> Blocks() override;
  /// False (nothing changed) for an object that is not a block of this program, a protected
  /// block, a number that is not valid for the block's type or that another block has; true
  /// for the block's own number (nothing to do). Error 91 for nothing.
  bool Renumber(platform::Ref<mzblprsx::IRgObject> block, int32_t number) override;
  /// Deletes every block of the array with one notification 2; flags are not used. Error 91
  /// for no array, error 5 naming the first entry that is not a block of this program (then
  /// nothing is deleted).
  void DeleteBlocks(platform::Ref<mzblprsx::IRgObjectArray> blocks, int32_t flags) override;
  /// A new block from the entry's `<block>` content with everything it says (header, author,
  /// language, size, date, flags, body, instance owner, unknown attributes), but the given type
  /// and number (0 for either: the entry's own). The symbol table is not touched. A replaced
  /// block leaves the program (notification 2) and the new one takes its place in its category
  /// (notification 1, one delivery for both); a new block is listed by no category. Error 91 for
  /// no entry; 5 for an entry without block content, an invalid type or number, or a content
  /// that cannot be such a block; kFormatError for damaged content; 457 when the program holds
  /// the block and `replace` is false. On error the program is unchanged.
  platform::Ref<mzblprsx::IRgObject> CreateFromData(platform::Ref<mzblprsx::IRgDataObjectItem> item,
                                                    bool replace, int32_t type,
                                                    int32_t number) override;

  // IRgProgramCompare
  /// Appends the project's blocks that the PLC does not have to `offlineOnly` (in the project
  /// program's order) and the PLC's blocks that the project does not have to `onlineOnly` (in
  /// the PLC's order), and returns how many blocks both have that differ. Every block takes
  /// part, data types and system blocks included; a PLC without a program has no blocks. Error
  /// 91 for a missing list, error 5 when no PLC is connected to the project (nothing is
  /// appended then).
  int32_t ComparePrograms(platform::Ref<mzblprsx::IRgObjectArray> offlineOnly,
                          platform::Ref<mzblprsx::IRgObjectArray> onlineOnly) override;

  // IProgramSource
  platform::Ref<Program> SourceProgram() override;

  /// Creates a block in the program (notification 1), dated now, and gives it the requested
  /// symbol. Error 5 for an unknown type, a number not valid for it or no free number left,
  /// 457 when the number is taken; a symbol that cannot be given (no symbol table, taken)
  /// fails likewise, and the block is then not created.
  platform::Ref<Block> CreateBlock(const NewBlockRequest& request);

 private:
  /// The bound program; error 5 when the service is bound to none.
  Program& BoundProgram();
};

}  // namespace host
