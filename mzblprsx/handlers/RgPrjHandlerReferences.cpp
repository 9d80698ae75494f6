#include "mzblprsx/handlers/RgPrjHandlerReferences.h"

namespace mzblprsx {

void RgPrjHandlerReferences::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgXRef", 1, 1);
}

}  // namespace mzblprsx
