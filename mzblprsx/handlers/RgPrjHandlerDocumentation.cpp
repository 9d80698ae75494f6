#include "mzblprsx/handlers/RgPrjHandlerDocumentation.h"

#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectSnapin.h"

namespace mzblprsx {

void RgPrjHandlerDocumentation::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgDocumentation", 1, 1);
}

void RgPrjHandlerDocumentation::OnSave() {
  SnapIn()->Application()->SaveDocument(object_);
}

}  // namespace mzblprsx
