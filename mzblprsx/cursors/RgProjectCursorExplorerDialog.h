// The items a dialog's explorer offers: the download/upload dialog (hardware, categories, blocks
// that can be loaded) and the block list dialog (categories and blocks), selected by the mode.
//
//   auto cursor = platform::MakeObject<RgProjectCursorExplorerDialog>();
//   cursor->SetCursorMode(RgProjectExplorerDialogCursorModeUpload);
//   cursor->Attach(onlineModel);                    // fills from the whole tree, pre-order
//   for (const Ref<RgProjectItem>& item : cursor->NewEnum()) { ... }
//
// The cursor does not follow model events: its content changes only by Attach, Refresh and a
// Refresh after a mode change. Items are keyed by identity ("OBJ <address>").
//
// Trap: CursorMode's setter only stores the mode; the items follow at the next Attach or
// Refresh.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/cursors/SystemBlocksOption.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/KeyedCollection.h"

namespace mzblprsx {

class RgProjectItem;
class RgProjectItems;
class RgProjectModel;
class RgProjectSnapin;

enum RgEnumProjectExplorerDialogCursorMode : int32_t {
  RgProjectExplorerDialogCursorModeDownload = 0,
  RgProjectExplorerDialogCursorModeUpload = 1,
  RgProjectExplorerDialogCursorModeOpenBlock = 2,
};

class RgProjectCursorExplorerDialog final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectCursorExplorerDialog";

  RgProjectCursorExplorerDialog();
  ~RgProjectCursorExplorerDialog() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// The number of items, as a 32-bit integer.
  Variant Count();
  int32_t CursorMode() const { return mode_; }
  /// Stores the mode; does not search again.
  void SetCursorMode(int32_t mode) { mode_ = mode; }
  /// The item at a 1-based position (a number) or under a key (a text); an index outside the
  /// items is the collection's error, reported.
  Ref<RgProjectItem> Item(const Variant& index);
  /// The 1-based position of the item; 0 when it is not listed.
  int32_t Index(const Ref<RgProjectItem>& item);
  /// Holds the model and fills the items from its tree; nothing acts as Detach.
  void Attach(const Ref<RgProjectModel>& model);
  /// Lets go of the items, the model and the snap-in.
  void Detach();
  /// True when the item is listed.
  bool Find(const Ref<RgProjectItem>& item);
  /// The items in order.
  std::vector<Ref<RgProjectItem>> NewEnum();
  /// Fills a new collection from the attached model's tree.
  void Refresh();

  /// The key of an item: "OBJ " and its identity as a signed decimal number.
  static std::string ItemKey(const Ref<RgProjectItem>& item);

 private:
  void P_InitData();
  void P_SearchItems(const Ref<RgProjectItems>& items);
  bool P_ValidateItem(const Ref<RgProjectItem>& item);
  /// Reads "General/Display/ShowSystemBlocks"; True when the value changed.
  bool P_SetCursorOptions();

  InstanceTrace trace_{kTypeName};
  std::unique_ptr<platform::KeyedCollection<Ref<RgProjectItem>>> items_;
  Ref<RgProjectModel> model_;
  Ref<RgProjectSnapin> snapIn_;
  int32_t mode_ = RgProjectExplorerDialogCursorModeDownload;
  SystemBlocksOption systemBlocks_;
};

}  // namespace mzblprsx
