// The handler of one block category of the offline program: its item shows the type
// "RgCategoryDefault" for the program's default category and "RgCategory" for the others, the
// category's name and its object identifier ("RgObjectID"); it checks a new name typed by the
// user and renames the category on Save.
//
//   auto category = item->HandlerObject().Cast<RgPrjHandlerCategory>();
//   if (category->CheckCategoryName(name) == RgCategoryNameErrorOK) {
//     item->Data()->SetValue("NAME", Variant(name), 3);
//     category->Save();   // renames, then Update
//   }
//
// The default category's identifier is asked once, in Initialize, and kept: a renamed default
// category stays the default one.
// Trap: the item must already hang below its program item when Initialize runs (the program is
// the parent item's object).
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/handlers/IRgCategoryHandler.h"
#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerCategory final : public RgPrjHandlerBase, public virtual IRgCategoryHandler {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerCategory";
  std::string_view TypeName() const override { return kTypeName; }

  /// Whether the program can take a category of that name (not empty, not in use).
  RgEnumCategoryNameErrors CheckCategoryName(const std::string& sNewCategoryName) override;

 private:
  void FillData(RgProjectItemData& data) override;
  void OnInitialize() override;
  void OnDelete() override;
  void OnSave() override;
  bool HasDocument() const override { return false; }
  /// The program object: the object of the parent item's handler.
  Ref<platform::Object> P_Program();

  InstanceTrace trace_{kTypeName};
  std::string defaultCategoryId_;
};

}  // namespace mzblprsx
