#include "mzblprsx/handlers/RgPrjHandlerVarTables.h"

#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectSnapin.h"

namespace mzblprsx {

void RgPrjHandlerVarTables::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgVarTables", 1, 1);
}

void RgPrjHandlerVarTables::OnSave() {
  SnapIn()->Application()->SaveDocument(object_);
}

}  // namespace mzblprsx
