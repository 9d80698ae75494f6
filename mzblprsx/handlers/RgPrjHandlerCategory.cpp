#include "mzblprsx/handlers/RgPrjHandlerCategory.h"

#include "mzblprsx/handlers/ItemKind.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/IRgCategory.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"

namespace mzblprsx {
namespace {

/// Answers of the category service's name check.
constexpr int32_t kNameUsable = 1;
constexpr int32_t kNameMissing = 2;
constexpr int32_t kNameInUse = 3;

}  // namespace

Ref<platform::Object> RgPrjHandlerCategory::P_Program() {
  return item_->Parent()->Handler()->Object();
}

void RgPrjHandlerCategory::OnInitialize() {
  const auto service =
      SnapIn()->Services()->RgCategoryService(RgProjectLocationOffline).Cast<IRgCategoryService>();
  defaultCategoryId_ = service->DefaultCategoryID(P_Program());
  GetData();
}

void RgPrjHandlerCategory::FillData(RgProjectItemData& data) {
  const std::string id = object_->ObjectID();
  const bool isDefault = !defaultCategoryId_.empty() && id == defaultCategoryId_;
  data.SetValue(std::string(item_kind::kTypeKey),
                Variant(isDefault ? item_kind::kDefaultCategory : item_kind::kCategory), 3);
  data.SetValue("NAME", Variant(object_.Cast<IRgCategory>()->Name()), 3);
  data.SetValue("RgObjectID", Variant(id), 3);
}

RgEnumCategoryNameErrors RgPrjHandlerCategory::CheckCategoryName(
    const std::string& sNewCategoryName) {
  RgEnumCategoryNameErrors result = RgCategoryNameErrorOK;
  Guard(*this, "CheckCategoryName", [&] {
    const auto service = SnapIn()
                             ->Services()
                             ->RgCategoryService(RgProjectLocationOffline)
                             .Cast<IRgCategoryService>();
    switch (service->CheckName(P_Program(), sNewCategoryName)) {
      case kNameMissing:
        result = RgCategoryNameErrorMissing;
        break;
      case kNameInUse:
        result = RgCategoryNameErrorExist;
        break;
      case kNameUsable:
      default:
        result = RgCategoryNameErrorOK;
        break;
    }
  });
  return result;
}

void RgPrjHandlerCategory::OnDelete() {
  object_->Delete();
}

void RgPrjHandlerCategory::OnSave() {
  const std::string name = item_->Data()->Value("NAME").ToString();
  const auto category = object_.Cast<IRgCategory>();
  if (name == category->Name()) return;
  category->Rename(name);
  item_->Update();
}

}  // namespace mzblprsx
