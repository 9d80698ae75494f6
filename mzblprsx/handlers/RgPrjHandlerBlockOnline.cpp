#include "mzblprsx/handlers/RgPrjHandlerBlockOnline.h"

#include <string>

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/IRgBlock.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "platform/CachedQuery.h"

namespace mzblprsx {

void RgPrjHandlerBlockOnline::FillData(RgProjectItemData& data) {
  // Filled for every block the PLC reports: the interface query is answered per class.
  const auto block = platform::CachedCast<IRgBlock>(object_);
  const Ref<IRgBlockInfo> info = SnapIn()->BlockInfo();
  const int32_t type = block->BlockType();
  const int32_t number = block->Number();
  const std::string typeText = info->BlockTypeName(type);
  const std::string name = typeText + std::to_string(number);
  data.SetValue("NAME", Variant(name), 3);
  data.SetValue("TYPE", Variant("RgBlockOnline." + typeText), 1);
  data.SetValue("BLOCKTYPE", Variant(type), 1);
  data.SetValue("BLOCKNUMBER", Variant(number), 3);
  data.SetValue("HEADERNAME", Variant(block->HeaderName()), 3);
  data.SetValue("LASTMODIFIED", Variant(DateFromText(block->LastModifiedText())), 1);
  data.SetValue("PROGLANGUAGE", Variant(info->LanguageText(block->Language())), 1);
  data.SetValue("AUTHOR", Variant(block->Author()), 3);
  data.SetValue("SIZE", Variant(block->Size()), 1);
  data.SetValue("DISPLAY_TYPE", Variant(info->BlockTypeDisplayText(type)), 1);
  data.SetValue("DISPLAY_TITLE", Variant(name), 3);
  data.SetValue("PROTECTED", Variant(block->IsProtected()), 3);
  data.SetValue("SYSTEM", Variant(block->IsSystem()), 3);
}

}  // namespace mzblprsx
