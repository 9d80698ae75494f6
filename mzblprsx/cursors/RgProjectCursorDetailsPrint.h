// The items a details printout lists: a project's hardware, card files, categories and blocks,
// a program's categories and blocks, or a memory card's files, selected by the mode, in tree
// pre-order.
//
//   auto cursor = platform::MakeObject<RgProjectCursorDetailsPrint>();
//   cursor->SetCursorMode(RgPrjCursorPrintDetailsModeProgram);
//   cursor->Attach(offlineModel);                  // searches the whole tree
//   for (int32_t i = 1; i <= cursor->Count().ToInt32(); ++i) Print(cursor->Item(Variant(i)));
//   cursor->Detach();
//
// The cursor does not follow model events: its content changes only by Attach and a change of
// the mode. System blocks (SFB, SDB, SFC by their type names) are listed only when the option
// "General/Display/ShowSystemBlocks" is on.
//
// Trap: Count is a 16-bit 0 for an empty cursor and a 32-bit count otherwise; read it with
// ToInt32.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/cursors/RgEnumPrjCursorPrintDetailsMode.h"
#include "mzblprsx/cursors/SystemBlocksOption.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItem;
class RgProjectItems;
class RgProjectModel;
class RgProjectSnapin;

class RgProjectCursorDetailsPrint final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectCursorDetailsPrint";

  RgProjectCursorDetailsPrint();
  ~RgProjectCursorDetailsPrint() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// The number of items as a 32-bit integer; the 16-bit integer 0 when there is none.
  Variant Count();
  int32_t CursorMode() const { return mode_; }
  /// A different mode is stored and the attached model searched again; the same mode does
  /// nothing.
  void SetCursorMode(int32_t mode);
  /// By a framework object: the first item whose handler shows it; by a number (or a text that
  /// reads as one): that 1-based position. Nothing for anything else or outside the items.
  Ref<RgProjectItem> Item(const Variant& index);
  /// Holds the model and fills the items from its tree; nothing acts as Detach.
  void Attach(const Ref<RgProjectModel>& model);
  /// Lets go of the items, the model and the snap-in.
  void Detach();

 private:
  void P_InitData();
  void P_SearchItems(const Ref<RgProjectItems>& items);
  bool P_ValidateItem(const Ref<RgProjectItem>& item);
  /// Whether a block type is one of the six system block types.
  bool P_IsSystemBlockType(const std::string& type) const;
  /// The six system block types, read from the block information object.
  void P_ReadSystemBlockTypes();
  /// Reads "General/Display/ShowSystemBlocks"; True when the value changed.
  bool P_SetCursorOptions();
  /// The 1-based position of the first item whose handler's object is `object`; -1 for none.
  int32_t P_IndexOfObject(const Ref<Object>& object);

  InstanceTrace trace_{kTypeName};
  /// Items at positions 1..n (index 0 of the vector is position 1); empty stands for the
  /// single empty position -1.
  std::vector<Ref<RgProjectItem>> items_;
  Ref<RgProjectModel> model_;
  Ref<RgProjectSnapin> snapIn_;
  int32_t mode_ = RgPrjCursorPrintDetailsModeProject;
  SystemBlocksOption systemBlocks_;
  std::vector<std::string> systemBlockTypes_;
};

}  // namespace mzblprsx
