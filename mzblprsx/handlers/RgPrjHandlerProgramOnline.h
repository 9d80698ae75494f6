// The handler of the PLC's program: its blocks stand directly below it (the PLC has no
// categories), ordered by the block type's listing order (OB, FB, FC, DB, UDT, SFB, SFC, SDB,
// VAT) and then by number, whatever order the PLC reports them in. The handler keeps that list
// in step with the framework's batched block notifications:
//
//   2 (blocks gone)        -> their items go
//   1, 3, 4 (blocks there) -> a block already shown is refreshed with the reported object, a new
//                             one is inserted in order; system blocks (SFC, SDB) only while
//                             "General/Display/ShowSystemBlocks" is on
//
// and after each of them the compare status is recomputed and the program item refreshed.
//
//   auto program = programItem->HandlerObject().Cast<RgPrjHandlerProgramOnline>();
//   program->AddBlock(block);                 // in order; O(log n) in the program's size
//   std::vector<std::string> ids{"FB10"};
//   program->DeleteBlocks(ids);               // deletes in the PLC; notification 2 follows
//
// Placement is a binary search over the program's ordered children, so a PLC that reports tens
// of thousands of blocks one at a time fills in O(n log n) comparisons. The program's own fill
// shows 1 January 1900 and size 0; the PLC's totals are not summed up.
// Trap: the handler receives the framework's notifications as batches (IRgObjectEventSink2);
// single notifications arriving through IRgObjectEventSink are ignored.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "mzblprsx/handlers/RgPrjHandlerBase.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"

namespace mzblprsx {

class IRgBlockInfo;
class IRgOptionService;
class RgObjectGhostBlock;

class RgPrjHandlerProgramOnline final : public RgPrjHandlerBase,
                                        public IRgObjectEventSink,
                                        public IRgObjectEventSink2 {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerProgramOnline";
  /// Static text of the online ghost's name.
  static constexpr int32_t kTextGhostName = 4;

  std::string_view TypeName() const override { return kTypeName; }

  /// Always False; kept for callers that switch notification handling around their work.
  bool IgnoreFrameNotifies() { return false; }
  /// Has no effect.
  void SetIgnoreFrameNotifies(bool /*ignore*/) {}
  /// Inserts an item for the block before the first block that sorts after it (at the end when
  /// none does). A block of the same type and number that is shown already keeps its item,
  /// which is refreshed with the given object: the PLC holds each block once.
  Ref<RgProjectItem> AddBlock(Ref<IRgObject>& block);
  /// Does nothing.
  void CheckGhostBlocks(const Ref<IRgObject>& block, const Ref<platform::Object>& snapIn);
  /// A new, empty ghost with the online ghost's class identifier and name (static text 4).
  Ref<RgObjectGhostBlock> CreateRgObjectGhostBlock();
  /// Deletes the PLC's blocks of these object identifiers; False (unreported) when the online
  /// block service is missing or the deletion failed.
  bool DeleteBlocks(std::vector<std::string>& identifiers);
  /// The ghost block item below the program, or nothing.
  Ref<RgProjectItem> GetGhostBlock();

  // Library-internal
  /// Shows the PLC's blocks below the (empty) program item, as the factory builds the tree;
  /// system blocks only while they are to be shown.
  void FillBlocks(const std::vector<Ref<IRgObject>>& blocks);

  // IRgObjectEventSink: single notifications are not this handler's (see the file comment).
  void OnNotify(int32_t code, Ref<platform::Object> object, const Variant& argument) override;
  // IRgObjectEventSink2
  void OnNotify2(const RgNotification& notification) override;

 private:
  /// Where a block stands in the program's order.
  struct BlockKey {
    int32_t sortIndex = 0;
    int32_t number = 0;
  };

  void FillData(RgProjectItemData& data) override;
  void OnInitialize() override;
  void OnDelete() override;
  void OnTerminate() override;
  /// Lets the status controller compare the two programs again.
  void P_RecomputeStatus();
  /// Whether "General/Display/ShowSystemBlocks" is on.
  bool P_ShowSystemBlocks();
  /// False for a system block (its name contains the type text of SDB or SFC) while system
  /// blocks are hidden.
  bool P_IsShown(const Ref<IRgObject>& block, bool showSystemBlocks);
  static BlockKey P_KeyOfBlock(const Ref<IRgObject>& block, IRgBlockInfo& info);
  /// The key of a child item; false for a child that is no block of the PLC.
  static bool P_KeyOfItem(const Ref<RgProjectItem>& item, IRgBlockInfo& info, BlockKey& key);
  /// The first block child that sorts after the key (nothing: none does), and the block child
  /// just before that place when it has the same key.
  void P_FindPlace(const BlockKey& key, Ref<RgProjectItem>& before, Ref<RgProjectItem>& same);
  /// P_FindPlace through the index; false when the index no longer matches the children.
  bool P_FindPlaceIndexed(const BlockKey& key, Ref<RgProjectItem>& before,
                          Ref<RgProjectItem>& same);
  /// P_FindPlace by a binary search over the children themselves.
  void P_SearchPlace(const BlockKey& key, Ref<RgProjectItem>& before, Ref<RgProjectItem>& same);
  void P_RebuildIndex();

  InstanceTrace trace_{kTypeName};
  Ref<IRgOptionService> optionService_;
  // The block children by key, kept in step with the blocks this handler adds and removes, so
  // that placing a block reads no item (a search over the items' data costs a cache miss per
  // probe). Items are held weakly and checked when used; an index that does not fit the
  // children any more (someone else added or removed one) is rebuilt from them.
  std::map<std::pair<int32_t, int32_t>, std::weak_ptr<RgProjectItem>> placed_;
};

}  // namespace mzblprsx
