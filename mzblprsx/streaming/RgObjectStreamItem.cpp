#include "mzblprsx/streaming/RgObjectStreamItem.h"

#include <utility>

#include "mzblprsx/interfaces/IRgDataObjectItem.h"

namespace mzblprsx {

void RgObjectStreamItem::SetDataObjectItem(Ref<IRgDataObjectItem> item) {
  classId_ = item ? item->ClassID() : std::string();
  dataObjectItem_ = std::move(item);
}

}  // namespace mzblprsx
