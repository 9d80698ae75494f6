// The details cursor: the flat, sorted view of one project model that feeds a details list.
// Its mode chooses what it lists (a project's loadable objects, a program's blocks, a memory
// card's files); the view sorts it by one or more property columns.
//
//   auto cursor = platform::MakeObject<RgProjectCursorDetails>();
//   cursor->SetCursorMode(RgProjectDetailsCursorModeProgram);
//   cursor->Attach(model);                 // prepares only: sort "SortDefault" ascending
//   cursor->Refresh();                     // fills, sorts, TotalRefresh
//   cursor->Sort({"NAME", "SIZE"}, {0, 1});
//
// Sorting gives the order of repeated passes that exchange neighbouring rows: the first column
// orders the whole list, stably; each later column only reorders neighbours whose values in
// the column before it compare equal, whatever the columns before that say. Texts compare
// without regard to case, everything else by value. It runs in O(n log n) per column.
//
// Trap: an item added after a sort is appended unsorted until the next Sort or Refresh.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/cursors/RgEnumProjectDetailsCursorMode.h"
#include "mzblprsx/cursors/RgProjectCursorBase.h"

namespace mzblprsx {

class RgProjectCursorDetails final : public RgProjectCursorBase,
                                     public virtual IRgProjectCursorDetails {
 public:
  static constexpr std::string_view kTypeName = "RgProjectCursorDetails";

  RgProjectCursorDetails();
  ~RgProjectCursorDetails() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// The number of listed items.
  int32_t Count();
  RgEnumProjectDetailsCursorMode CursorMode();
  /// Only stores the mode: it takes effect at the next Attach or Refresh. Any value is taken; a
  /// value that names no mode lists nothing.
  void SetCursorMode(RgEnumProjectDetailsCursorMode mode);
  /// The attached model, or nothing.
  Ref<mzblprsx::RgProjectModel> RgProjectModel();
  /// Holds the model and its owner (the snap-in), reads the option, resets the sort to
  /// "SortDefault" ascending with a new empty list, and in memory-card mode asks the card's file
  /// container to load the file list. Does not fill the list. Nothing acts as Detach.
  void Attach(Ref<mzblprsx::RgProjectModel> model) override;
  /// Drops the list, the model and the snap-in.
  void Detach() override;
  /// Lists the items that the mode accepts, in tree order, sorts them, raises TotalRefresh.
  void Refresh() override;
  /// Stores the sort (types and orders, 0 ascending, 1 descending, paired by index) and, when
  /// the list is not empty, sorts it and raises TotalRefresh. Unknown types and orders other
  /// than 0 and 1 leave their column without effect; a type without an order is error 9 once
  /// that column has rows to compare.
  void Sort(const std::vector<std::string>& sortTypes,
            const std::vector<int32_t>& sortOrders) override;
  /// IRgProjectCursorDetails: SetCursorMode for hosts without the library's enumeration.
  void SetMode(int32_t mode) override {
    SetCursorMode(static_cast<RgEnumProjectDetailsCursorMode>(mode));
  }

  /// Library-internal: the stored sort.
  const std::vector<std::string>& SortTypes() const { return sortTypes_; }
  const std::vector<int32_t>& SortOrders() const { return sortOrders_; }
  /// Library-internal: the owner of the attached model (the snap-in), or nothing.
  Ref<Object> SnapIn() const { return snapIn_; }

 private:
  struct SortContext;

  bool P_ValidateItem(const Ref<RgProjectItem>& item) override;
  bool P_ValidateItemProject(const Ref<RgProjectItem>& item);
  bool P_ValidateItemProgram(const Ref<RgProjectItem>& item);
  bool P_ValidateItemMMC(const Ref<RgProjectItem>& item);
  void P_ItemAdded(const Ref<RgProjectItem>& item) override;
  void P_LoadMMCFiles();
  void P_SortItems();
  /// Puts the new order of the rows (indexes into the list order) into the context.
  void P_SortMatrix(SortContext& context);
  int32_t P_CompareVariants(const Variant& a, const Variant& b);
  int32_t P_ItemNameSortIndex(const Ref<RgProjectItem>& item, SortContext& context);
  int32_t P_ItemTypeSortIndex(const Ref<RgProjectItem>& item, const std::string& type,
                              SortContext& context);
  int32_t P_MMCFileSortIndex(const Ref<RgProjectItem>& item, SortContext& context);

  InstanceTrace trace_{kTypeName};
  RgEnumProjectDetailsCursorMode mode_ = RgProjectDetailsCursorModeProject;
  Ref<Object> snapIn_;
  std::vector<std::string> sortTypes_;
  std::vector<int32_t> sortOrders_;
  std::unique_ptr<SortContext> sortMemory_;  // kept between sorts; nothing while one runs
};

}  // namespace mzblprsx
