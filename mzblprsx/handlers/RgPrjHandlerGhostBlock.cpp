#include "mzblprsx/handlers/RgPrjHandlerGhostBlock.h"

#include "mzblprsx/handlers/RgObjectGhostBlock.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
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
  Guard(*this, "IRgProjectItemHandler_Terminate", [&] {
    // The ghost lets go of the item too: the item holds the ghost, and a ghost that kept its
    // item would keep both alive after the tree dropped them.
    if (const auto ghost = object_.As<RgObjectGhostBlock>()) {
      if (SameObject(ghost->ProjectItem(), item_)) ghost->SetProjectItem(nullptr);
    }
    item_.Reset();
  });
}

}  // namespace mzblprsx
