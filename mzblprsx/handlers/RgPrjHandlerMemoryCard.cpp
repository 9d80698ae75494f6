#include "mzblprsx/handlers/RgPrjHandlerMemoryCard.h"

namespace mzblprsx {

void RgPrjHandlerMemoryCard::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgMemoryCard", 1, 1);
}

}  // namespace mzblprsx
