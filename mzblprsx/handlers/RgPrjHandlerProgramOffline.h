// The handler of the offline program: below its item the tree has categories (user categories
// and one default category) and, inside each, the program's blocks. Categories work like section
// headers of one ordered block list: adding a category after a block splits that block's
// category, moving a category leaves its blocks where they were, deleting one hands its blocks
// to the default category. The handler places the blocks the framework creates, keeps the tree
// in step with the framework's batched block notifications, stores the category order with the
// program, and keeps the program's totals.
//
//   auto program = programItem->HandlerObject().Cast<RgPrjHandlerProgramOffline>();
//   Ref<RgProjectItem> position = blockItem;          // new block right below blockItem
//   program->SetCreateBlockPosition(position);        // where framework-created blocks go
//   ... let the framework create blocks ...           // notification 1 places each of them
//   program->SetCreateBlockPosition(nullptr);
//
// Placement of a new block by its position: a block item puts it directly below that block; a
// category item at the top of that category; nothing (or anything else) at the bottom of the
// default category (at the top of it for "anything else").
//
// Totals: "LASTMODIFIED" (latest change) and "SIZE" (sum) over the program's non-system blocks
// are written in place whenever the program item is refreshed (so after the factory has filled
// it) and after every notification batch that changed its blocks; the plain fill shows
// 1 January 1900 and 0 until then. A notification that arrives while the model's AutoRefresh
// reads False (a caller's batch, such as an insert of many blocks) leaves the totals to the
// moment AutoRefresh turns True, so that they walk the program once per batch; so do the
// refresh of the categories and that of every block's symbol.
// Symbols: a notification 131072 that names blocks refreshes their items only; one that names
// the program refreshes every block item.
// Category order: the program saves it (Save) after adding, moving and deleting categories, so
// that the tree reads back the same after the project is saved and loaded again.
//
// Trap: the handler receives the framework's notifications as batches (IRgObjectEventSink2);
// single notifications arriving through IRgObjectEventSink are ignored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/handlers/IRgProgramHandlerOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerBase.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"
#include "platform/Signal.h"

namespace mzblprsx {

class RgObjectGhostBlock;

class RgPrjHandlerProgramOffline final : public RgPrjHandlerBase,
                                         public IRgObjectEventSink,
                                         public IRgObjectEventSink2,
                                         public virtual IRgProgramHandlerOffline {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerProgramOffline";
  std::string_view TypeName() const override { return kTypeName; }

  /// Always False; kept for callers that switch notification handling around their work.
  bool IgnoreFrameNotifies() { return false; }
  /// Has no effect.
  void SetIgnoreFrameNotifies(bool /*ignore*/) {}
  /// Where the next block that the framework reports as new is placed (nothing: bottom of the
  /// default category).
  Ref<RgProjectItem> CreateBlockPosition() { return createBlockPosition_; }
  void SetCreateBlockPosition(Ref<RgProjectItem> position);

  /// Inserts an item for the block at the position (see the file comment). With
  /// bDefaultPositionInstanceblock an instance data block goes directly below the block it
  /// belongs to when that block is in the tree. A block that already has an item is moved
  /// there instead, so a block never shows twice. Nothing without a default category when the
  /// place is the default category (error 91, reported).
  Ref<RgProjectItem> AddBlock(Ref<IRgObject>& block, Ref<RgProjectItem>& position,
                              bool bDefaultPositionInstanceblock = false);
  /// Inserts an item for the category directly after the category that holds the position (the
  /// position itself when it is a category, else the default category); when the position is a
  /// block, the blocks below it in its category move into the new category.
  Ref<RgProjectItem> AddCategory(Ref<IRgObject> category, Ref<RgProjectItem> position) override;
  /// Does nothing.
  void CheckGhostBlocks(Ref<IRgObject> block, Ref<platform::Object> snapIn);
  /// Runs the new-block dialog on the program; the framework's notification places the block
  /// at the position. The new block, or nothing when the user cancelled.
  Ref<IRgObject> CreateBlock(Ref<RgProjectItem> position);
  /// Creates a category with a unique name derived from static text 202; nothing without a
  /// category service.
  Ref<IRgObject> CreateCategory() override;
  /// Deletes the blocks of these object identifiers in the framework; False (unreported) when
  /// the block service is missing or the deletion failed.
  bool DeleteBlocks(std::vector<std::string>& identifiers) override;
  /// Deletes these categories, handing their blocks to the default category (appended in
  /// order), then saves the category order. The default category itself is never deleted.
  bool DeleteCategories(std::vector<std::string>& identifiers) override;
  /// The default category item (the last child typed "RgCategoryDefault"), or nothing.
  Ref<RgProjectItem> GetDefaultCategory() override;
  /// The ghost block item below the program, or nothing.
  Ref<RgProjectItem> GetGhostBlock();
  /// A new ghost block for this program: the offline class and the name of static text 5 (the
  /// blocks that only the PLC has).
  Ref<RgObjectGhostBlock> CreateRgObjectGhostBlock();
  /// Moves the block item to the place the position gives (as for a new block).
  bool MoveBlock(Ref<RgProjectItem>& blockItem, Ref<RgProjectItem>& position) override;
  /// Moves a category to the place AddCategory would give it; its own blocks stay in place by
  /// going to the category before it (or, for the first category, to the top of the next one).
  /// False when the item is nothing or is the position.
  bool MoveCategory(Ref<RgProjectItem>& categoryItem, Ref<RgProjectItem> position) override;
  /// Refreshes every block item (symbols changed).
  void RefreshBlockSymbols();
  /// Refreshes every user category item (not the default one).
  void RefreshCategories();

  // Library-internal
  /// The stored category order: category object identifiers, as the program last saved them.
  std::vector<std::string> GetCategoryOrder();
  /// How often the handler walked every item of the program (totals, symbol refresh, category
  /// refresh) since it was made: one operation must cost a fixed number of such walks.
  int32_t WholeProgramPasses() const { return wholeProgramPasses_; }

  // IRgObjectEventSink: single notifications are not this handler's (see the file comment).
  void OnNotify(int32_t code, Ref<platform::Object> object, const Variant& argument) override;
  // IRgObjectEventSink2
  void OnNotify2(const RgNotification& notification) override;

 private:
  /// Where a new block goes: its category and its neighbours (either may be nothing).
  struct Placement {
    Ref<RgProjectItem> parent;
    Ref<RgProjectItem> before;
    Ref<RgProjectItem> after;
  };

  void FillData(RgProjectItemData& data) override;
  void OnInitialize() override;
  void OnRefresh() override;
  void OnDelete() override;
  void OnSave() override;
  void OnTerminate() override;
  void moModel_AutoRefresh(bool on);
  /// Notifications of the program (block container): categories and symbols; `inBatch` leaves
  /// the whole-program refreshes to the batch's end.
  void P_OnProgramNotify(const RgNotification& notification, bool inBatch);

  Placement P_GetNewBlockPosition(const Ref<RgProjectItem>& position);
  Ref<RgProjectItem> P_GetNewCategoryPosition(const Ref<RgProjectItem>& position);
  /// The block items after a block position inside its category, ghost blocks skipped.
  std::vector<Ref<RgProjectItem>> P_GetBlocksToMove(const Ref<RgProjectItem>& position);
  /// Moves the items from one parent to another through the item mover: appended in order, or,
  /// with `before`, in order in front of that item.
  void P_MoveItems(const Ref<RgProjectItem>& oldParent, const Ref<RgProjectItem>& newParent,
                   const std::vector<Ref<RgProjectItem>>& items, const Ref<RgProjectItem>& before);
  /// Every block item below the program, depth first in tree order.
  std::vector<Ref<RgProjectItem>> P_GetAllBlockItems();
  void P_AddBlocksOfItem(const Ref<RgProjectItem>& item, std::vector<Ref<RgProjectItem>>& blocks);
  /// Writes the program's totals in place; true when a value changed.
  bool P_SetProgramTotals();
  /// The object identifiers of the user categories and of the blocks below them.
  void P_GetContents(std::vector<std::string>& categories, std::vector<std::string>& blocks);

  InstanceTrace trace_{kTypeName};
  Ref<RgProjectItem> createBlockPosition_;
  platform::ScopedConnection moModel_;
  /// Whole-program work that notifications inside a batch left for its end.
  struct Pending {
    bool totals = false;
    bool categories = false;
    bool symbols = false;
  };
  Pending pending_;
  int32_t wholeProgramPasses_ = 0;
};

}  // namespace mzblprsx
