#include "mzblprsx/handlers/RgPrjHandlerGhostBlock.h"

#include "mzblprsx/handlers/RgObjectGhostBlock.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"

namespace mzblprsx {

void RgPrjHandlerGhostBlock::OnInitialize() {
  object_.Cast<RgObjectGhostBlock>()->SetProjectItem(item_);
  GetData();
}

void RgPrjHandlerGhostBlock::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgGhostBlock", 3, 3);
}

void RgPrjHandlerGhostBlock::Terminate() {
  Guard(*this, "IRgProjectItemHandler_Terminate", [&] { item_.Reset(); });
}

}  // namespace mzblprsx
