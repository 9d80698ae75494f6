// The offline stream handler: the offline project's side of transfers. Sending, it says which
// selected items may travel, what a selection stands for (a program: its categories and its
// non-system blocks) and writes the objects into the transfer object; receiving, it checks every
// received object against the target program, settles number and name conflicts with the user
// (overwrite dialogs, with sticky "all" answers), and inserts in a fixed order: hardware
// configuration, symbol table, variable tables, documentation, categories, blocks.
//
//   Created with its stream service by RgProjectServices; the service calls it:
//   service->InsertStreamData(bytes, RgStreamServiceDataActionCopy, position, inserted, source);
//
// One check keeps an index of what the items before the current one will be inserted as
// (InsertIndex), so the "already inserted", free-number and free-symbol questions cost O(1)
// amortised per item instead of a rescan of the transfer.
// Trap: a move within this project moves the blocks and categories in place; the completion of
// that same move on the sending side (InsertObjectsComplete) must not delete them, so the
// handler remembers what it moved in place until that completion.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerBase.h"

namespace mzblprsx {

class IRgBlockInfo;
class IRgCategoryService;
class IRgDataObjectItem;
class IRgObject;
class IRgSymbolTable;
class RgObjectStreamItem;
class RgPrjHandlerProgramOffline;
class RgProjectItemData;

class RgPrjStreamHandlerOffline final : public RgPrjStreamHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjStreamHandlerOffline";
  /// Marks a block entry whose editor could not save it before it was streamed.
  static constexpr std::string_view kMarkerFlush = "RgBlockOffline::Flush";
  /// The message that tells that moved objects left the source program.
  static constexpr std::string_view kMessageModuleComponents = "Comp-IF_V3";
  static constexpr int32_t kMessageMovedDeleted = 8000;
  /// Static text: the base name of a new category.
  static constexpr int32_t kTextNewCategory = 202;

  /// What the items checked so far will be inserted as, for the duration of one check. Items
  /// are checked in list order and each item's values are recorded after its own check, so the
  /// index answers exactly "does an item before this one hold ...".
  class InsertIndex {
   public:
    /// Whether the target program holds a block of that type and number.
    using ProgramHasBlock = std::function<bool(int32_t type, int32_t number)>;
    /// Whether the symbol table holds that symbolic name.
    using TableHasSymbol = std::function<bool(const std::string& name)>;

    /// Forgets everything (start of a check).
    void Reset();
    /// Records an item's "BLOCKTYPE", "BLOCKNUMBER" and "SYMBOL"; a missing type or number (0)
    /// records no block, an empty symbol no symbol.
    void Record(int32_t type, int32_t number, const std::string& symbol);
    /// True when a recorded item holds that type and number.
    bool BlockAlreadyInserted(int32_t type, int32_t number) const;
    /// The lowest number from 1 that neither the program nor a recorded item holds for the
    /// type; 65535 when none up to 65535 is free. Amortised O(1): the taken numbers only grow
    /// during a check, so a cursor per type only moves up.
    int32_t NextFreeBlockNumber(int32_t type, const ProgramHasBlock& programHas);
    /// The first of base, "base (1)", "base (2)", ... that neither the table nor a recorded
    /// item holds (names compared without regard to case); "" for an empty base.
    std::string FreeSymbolicName(const std::string& base, const TableHasSymbol& tableHas);

   private:
    static int64_t Key(int32_t type, int32_t number) {
      return (static_cast<int64_t>(type) << 32) | static_cast<uint32_t>(number);
    }
    static std::string Candidate(const std::string& base, int32_t index);
    /// Taken numbers 0 .. 65535 of one block type, one bit each: a long transfer records and
    /// asks without allocating or hashing per block.
    using NumberBits = std::vector<uint64_t>;
    std::unordered_map<int32_t, NumberBits> blocks_;         // by type
    std::unordered_set<int64_t> blocksOutside_;              // numbers beyond the bits
    std::unordered_set<std::string> symbols_;                // folded
    std::unordered_map<int32_t, int32_t> numberCursor_;      // by type
    std::unordered_map<std::string, int32_t> symbolCursor_;  // by folded base
  };

  RgPrjStreamHandlerOffline() : RgPrjStreamHandlerBase(RgProjectLocationOffline) {}
  std::string_view TypeName() const override { return kTypeName; }

  // Sending (what a selection stands for and the source identity: RgPrjStreamHandlerBase)
  /// Writes the items' objects into the data object; an item whose object has gone travels as
  /// a reference marked "Missing", a block its editor cannot save as one marked kMarkerFlush.
  void StreamObjects(const Ref<IRgDataObject>& dataObject,
                     const Ref<RgProjectItems>& items) override;
  /// After a move: deletes the moved blocks and categories from the program (not those this
  /// handler moved in place within the project) and tells the user.
  void InsertObjectsComplete(int32_t action, const Ref<RgProjectItems>& items) override;

  // Receiving
  /// Which action a received object allows here (3: copy or move).
  int32_t GetInsertDataAction(const std::string& classId, const Variant& objectId,
                              int32_t source) override;
  /// Sets each item's action (asking the user on conflicts) and, for blocks, the type, number
  /// and symbol it will be inserted as; False stops the insert.
  bool CheckObjects(Ref<RgObjectStreamItems>& items, int32_t action, Ref<RgProjectItem>& position,
                    int32_t source) override;
  /// Inserts the checked objects in their order; False when a step failed. Objects of the PLC
  /// are uploaded (UploadObjects).
  bool InsertObjects(Ref<RgObjectStreamItems>& items, int32_t action, Ref<RgProjectItem>& position,
                     int32_t source) override;
  /// Inserts every variable tables entry of the data object; silent: a failure answers False
  /// without being reported.
  bool InsertVarTables(const Ref<IRgDataObject>& dataObject, bool silent);

  /// The name without a trailing " (n)" index: "Motor (3)" gives "Motor"; "Motor (A)",
  /// "Motor (3) x" and "" stay as they are.
  static std::string RemoveIndexFromName(const std::string& name);

 private:
  /// The category service and program that category checks and inserts work on.
  struct CategoryContext {
    Ref<IRgCategoryService> service;
    Ref<Object> program;
  };

  // Sending
  std::string P_GetBlockListOfCategory(const Ref<RgProjectItem>& category);
  void StreamProject(const Ref<IRgDataObject>& dataObject, const Ref<IRgObject>& project);
  void StreamHardware(const Ref<IRgDataObject>& dataObject, const Ref<IRgObject>& hardware);
  void StreamVarTables(const Ref<IRgDataObject>& dataObject, const Ref<IRgObject>& tables);
  void StreamProgram(const Ref<IRgDataObject>& dataObject, const Ref<RgProjectItem>& program);
  void StreamCategory(const Ref<IRgDataObject>& dataObject, const Ref<IRgObject>& category,
                      const std::string& blockList);
  void StreamBlock(const Ref<IRgDataObject>& dataObject, const Ref<IRgObject>& block);
  void P_DeleteMovedProgramItems(const Ref<RgProjectItems>& items,
                                 const Ref<RgPrjHandlerProgramOffline>& program);

  // Checking
  bool P_CheckProject(const Ref<RgObjectStreamItems>& items);
  bool P_CheckVarTables();
  CategoryContext& P_GetCategoryContext();
  bool P_CheckCategory(CategoryContext& context, const Ref<RgObjectStreamItem>& item,
                       int32_t sticky, int32_t action, int32_t source);
  bool P_CheckBlock(const Ref<RgObjectStreamItem>& item, int32_t& sticky, int32_t action,
                    int32_t source);
  bool P_BlockAlreadyInserted(int32_t type, int32_t number);
  int32_t P_FindNextFreeBlockNumber(int32_t type);
  std::string P_GetNewSymbolicName(const std::string& blockName, const std::string& symbol);
  std::string P_RemoveIndexFromName(const std::string& name);
  /// Records the item's stored values in the check index.
  void P_RecordChecked(const Ref<RgObjectStreamItem>& item);
  /// Stores what the block will be inserted as.
  void P_StoreBlockData(const Ref<RgObjectStreamItem>& item, int32_t type, int32_t number,
                        const std::string& symbol);
  /// The item's property set, created on first need.
  Ref<RgProjectItemData> P_ItemData(const Ref<RgObjectStreamItem>& item);

  // Inserting
  bool InsertProject(const Ref<RgObjectStreamItems>& items);
  bool InsertHwConfig(const Ref<RgObjectStreamItems>& items);
  bool InsertSymbolTable(const Ref<RgObjectStreamItems>& items);
  bool P_InsertVarTableItems(const Ref<RgObjectStreamItems>& items);
  bool InsertDocumentation(const Ref<RgObjectStreamItems>& items);
  bool InsertCategories(const Ref<RgObjectStreamItems>& items, int32_t action,
                        const Ref<RgProjectItem>& position, int32_t source);
  bool InsertBlocks(const Ref<RgObjectStreamItems>& items, int32_t action,
                    const Ref<RgProjectItem>& position, int32_t source);
  /// Uploads the PLC's objects carried: directly or as the user chooses; new blocks go to the
  /// position. True when the load service succeeded.
  bool UploadObjects(const Ref<RgObjectStreamItems>& items, const Ref<RgProjectItem>& position);
  /// The program item of the offline tree that the position stands in; the offline model's
  /// program when the position is in none.
  Ref<RgProjectItem> P_GetProgramObject(const Ref<RgProjectItem>& position);
  /// During an upload: the next new block goes below the one just placed, so that uploaded
  /// blocks keep the order in which they came.
  void P_ItemLoaded(const Ref<RgProjectItem>& item) override;
  /// Takes the carried project children of that class into the project through the project
  /// service and shows their items.
  bool P_InsertProjectChildren(const Ref<RgObjectStreamItems>& items, std::string_view classId);
  bool P_InsertBlock(const Ref<RgObjectStreamItem>& item, int32_t source,
                     Ref<RgProjectItem>& position, Ref<RgProjectItem>& newItem);
  bool P_MoveBlock(const Ref<IRgDataObjectItem>& entry, Ref<RgProjectItem>& position,
                   Ref<RgProjectItem>& newItem);
  bool P_CreateBlock(const Ref<IRgDataObjectItem>& entry, bool replace, int32_t type,
                     int32_t number, const std::string& symbol, Ref<RgProjectItem>& position,
                     Ref<RgProjectItem>& newItem);
  /// Gives the created block the received symbol, an empty one too (the address then has
  /// none); a symbol the table refuses is reported, and the block stays without it.
  void P_SetBlockSymbol(const Ref<IRgObject>& block, const std::string& symbol);
  bool P_FindBlock(const Ref<IRgDataObjectItem>& entry, Ref<RgProjectItem>& newItem);
  bool P_InsertCategory(const Ref<RgObjectStreamItem>& item, int32_t source, int32_t action,
                        Ref<RgProjectItem>& position, Ref<RgProjectItem>& newItem);
  bool P_CreateCategory(const std::string& name, Ref<RgProjectItem>& position,
                        Ref<RgProjectItem>& newItem);
  bool P_MoveCategory(const Ref<IRgObject>& category, Ref<RgProjectItem>& position,
                      Ref<RgProjectItem>& newItem);
  bool P_ReplaceCategory(const std::string& name, Ref<RgProjectItem>& position,
                         Ref<RgProjectItem>& newItem);
  bool P_DeleteCategory(const Ref<IRgObject>& category);
  bool P_FindCategory(const std::string& name, Ref<RgProjectItem>& newItem);
  /// The call point for the compare states after blocks came in.
  void P_RefreshCompareStates();

  // Shared look-ups
  Ref<IRgBlockInfo> P_BlockInfo();
  Ref<Object> P_OfflineContainer();
  /// The offline program object; error when the offline project has none.
  Ref<Object> P_TargetProgram();
  Ref<RgProjectItem> P_GetProgramItem();
  Ref<RgPrjHandlerProgramOffline> P_GetProgramHandler();
  /// The item that shows the framework object in the offline tree; nothing when none does.
  Ref<RgProjectItem> P_ItemOf(const Ref<Object>& object);
  /// The category item a new category is placed after: the position's category (or the
  /// position itself), nothing for the default place.
  Ref<RgProjectItem> P_CategoryPosition(const Ref<RgProjectItem>& position);
  Ref<IRgSymbolTable> P_SymbolTable();
  void P_AddInserted(const Ref<RgProjectItem>& item);

  InstanceTrace trace_{kTypeName};
  /// The program handler whose CreateBlockPosition the running upload set.
  Ref<RgPrjHandlerProgramOffline> uploadProgram_;

  // The state of one check (CheckObjects) and of the insert that follows it.
  InsertIndex index_;
  Ref<Object> targetProgram_;
  bool haveCategoryContext_ = false;
  CategoryContext categoryContext_;
  Ref<IRgBlockInfo> blockInfo_;
  Ref<IRgSymbolTable> symbolTable_;
  bool haveSymbolTable_ = false;
  /// What P_StoreBlockData last wrote into an item's data, until the check records that item.
  struct StoredBlockData {
    const RgObjectStreamItem* item = nullptr;
    int32_t type = 0;
    int32_t number = 0;
    std::string symbol;
  } stored_;
  bool blockInserted_ = false;
  /// Block names ("FB10", folded) that a received category lists, with the category's item and
  /// the item placed last into it: blocks of a carried category go into its item.
  std::unordered_map<std::string, Ref<RgProjectItem>> blockCategory_;
  std::map<const void*, Ref<RgProjectItem>> categoryTail_;
  /// Object identifiers (class and identifier) moved in place within this project by the last
  /// same-application move, which its completion must not delete.
  std::unordered_set<std::string> movedInPlace_;
};

}  // namespace mzblprsx
