// What the explorer and the details cursor share: the keyed item list, the option
// "General/Display/ShowSystemBlocks", the model's events and the seven events raised to the view.
//
//   class RgProjectCursorExplorer final : public RgProjectCursorBase { ... };
//   cursor->Attach(model);                 // each cursor fills (or prepares) its list its own way
//   cursor->ItemAdd().Connect(...);        // positions count in the cursor's own list
//
// A cursor follows the model's item events only while the model's AutoRefresh reads False (a
// batch of changes, or the one change the model is delivering); AutoRefresh(True) rebuilds the
// list instead. ItemChange and ItemRemove are handled here alike for both cursors; ItemAdd and
// the filter are each cursor's own.
//
// Trap: while no model is attached there is no list, so Count, Item, Index and Find fail with
// error 91 by the common convention.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/cursors/IRgProjectCursor.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgCursorItemList;
class RgProjectItem;
class RgProjectItems;
class RgProjectModel;
class IRgOptionService;

class RgProjectCursorBase : public virtual IRgProjectCursor {
 public:
  ~RgProjectCursorBase() override;

  /// The option service whose "General/Display/ShowSystemBlocks" the cursor follows.
  Ref<IRgOptionService> OptionService();
  /// Holds the service and listens to its OptionsChanged (nothing ends that).
  void SetOptionService(Ref<IRgOptionService> service) override;
  /// The item at a 1-based position (a number) or under its key (a text, "OBJ <address>").
  Ref<RgProjectItem> Item(const Variant& index);
  /// The item's 1-based position; 0 when it is not listed.
  int32_t Index(const Ref<RgProjectItem>& item);
  /// Connects to the model's events and fills or prepares the list; nothing acts as Detach.
  void Attach(Ref<RgProjectModel> model) override = 0;
  /// Drops the list and lets go of the model.
  void Detach() override;
  /// True when the item is listed.
  bool Find(const Ref<RgProjectItem>& item);
  /// The listed items in order (a snapshot).
  std::vector<Ref<RgProjectItem>> NewEnum();
  /// Rebuilds the list from the model and raises TotalRefresh.
  void Refresh() override = 0;
  /// IRgProjectCursor: the number of listed items and the item at a position.
  int32_t ItemCount() override;
  Ref<RgProjectItem> ItemAt(int32_t index) override;

  // Events raised to the view; positions are 1-based positions in this cursor's list.
  platform::Signal<bool>& AutoRefresh() { return autoRefresh_; }
  platform::Signal<>& TotalRefresh() { return totalRefresh_; }
  platform::Signal<Ref<RgProjectItem>, int32_t>& ItemAdd() { return itemAdd_; }
  platform::Signal<Ref<RgProjectItem>, int32_t>& ItemChange() { return itemChange_; }
  /// Raised while the item is still listed, with the position it has before its removal.
  platform::Signal<Ref<RgProjectItem>, int32_t>& ItemRemove() { return itemRemove_; }
  platform::Signal<Ref<RgProjectItem>>& ProjectAdd() { return projectAdd_; }
  platform::Signal<Ref<RgProjectItem>>& ProjectRemove() { return projectRemove_; }

  /// Library-internal: the show-system-blocks flag as last read from the option service.
  bool ShowSystemBlocks() const { return showSystemBlocks_; }

 protected:
  RgProjectCursorBase() = default;

  /// Disconnects from the current model and connects to this one (nothing: just disconnects).
  void P_SetModel(Ref<RgProjectModel> model);
  /// Reads the option; True only when the flag changed to False (system blocks now hidden).
  bool P_SetCursorOptions();
  /// An empty list with room for the model's items (part of Attach and Refresh).
  void P_NewList();
  /// Appends every item of the tree below `items` that the filter accepts, parents first.
  void P_SearchItems(const Ref<RgProjectItems>& items);
  /// The cursor's filter.
  virtual bool P_ValidateItem(const Ref<RgProjectItem>& item) = 0;
  /// The model's ItemAdd, already known to arrive while AutoRefresh reads False.
  virtual void P_ItemAdded(const Ref<RgProjectItem>& item) = 0;
  /// The filter rule for items whose "TYPE" contains "RgBlock": system blocks only while shown.
  bool P_ValidateBlock(const Ref<RgProjectItem>& item);

  Ref<RgProjectModel> model_;
  Ref<RgCursorItemList> list_;  // nothing while no model is attached

 private:
  void moModel_ItemAdd(const Ref<RgProjectItem>& item, int32_t position);
  void moModel_ItemChange(const Ref<RgProjectItem>& item, int32_t position);
  void moModel_ItemRemove(const Ref<RgProjectItem>& item, int32_t position);
  void moModel_AutoRefresh(bool on);
  void moModel_ProjectAdd(const Ref<RgProjectItem>& item);
  void moModel_ProjectRemove(const Ref<RgProjectItem>& item);
  void moOptionService_OptionsChanged();

  /// P_SearchItems' walk; lets go of the previous list's items as it meets them.
  void P_SearchTree(const Ref<RgProjectItems>& items);

  Ref<IRgOptionService> optionService_;
  bool showSystemBlocks_ = false;
  // The previous list's items, released while the walk that rebuilds the list reaches each
  // one (its memory is being read then anyway) instead of in a separate pass over them all.
  std::vector<Ref<RgProjectItem>> retired_;
  size_t retiredNext_ = 0;
  std::vector<platform::ScopedConnection> moModel_;
  platform::ScopedConnection moOptionService_;

  platform::Signal<bool> autoRefresh_;
  platform::Signal<> totalRefresh_;
  platform::Signal<Ref<RgProjectItem>, int32_t> itemAdd_;
  platform::Signal<Ref<RgProjectItem>, int32_t> itemChange_;
  platform::Signal<Ref<RgProjectItem>, int32_t> itemRemove_;
  platform::Signal<Ref<RgProjectItem>> projectAdd_;
  platform::Signal<Ref<RgProjectItem>> projectRemove_;
};

}  // namespace mzblprsx
