#include "mzblprsx/handlers/RgPrjHandlerBlockOffline.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/IRgBlock.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgBlockSymbol.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "platform/CachedQuery.h"
#include "platform/ClassRegistry.h"

namespace mzblprsx {
namespace {

/// Bit of the symbol state that forbids writing the symbol back.
constexpr int32_t kSymbolStateReadOnly = 64;

/// Number of characters (code points) of a UTF-8 text: every byte that does not continue a
/// sequence starts a character.
size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) ++count;
  }
  return count;
}

}  // namespace

Ref<IRgBlockInfo> RgPrjHandlerBlockOffline::BlockInfo() {
  return SnapIn()->BlockInfo();
}

void RgPrjHandlerBlockOffline::FillData(RgProjectItemData& data) {
  // Filled for every block of a program: the interface queries are answered per class.
  const auto block = platform::CachedCast<IRgBlock>(object_);
  const Ref<IRgBlockInfo> info = BlockInfo();
  const auto symbolInterface = platform::CachedQuery<IRgBlockSymbol>(object_);
  const std::string symbol = symbolInterface ? symbolInterface->Symbol() : std::string();

  const Ref<RgProjectItemData> states = item_->States();
  states->SetValue("SYMBOLSTATE", Variant(block->SymbolState()), 1);
  states->SetValue("MAKESTATE", Variant(block->MakeState()), 1);

  const int32_t type = block->BlockType();
  const int32_t number = block->Number();
  const std::string typeText = info->BlockTypeName(type);
  const std::string name = typeText + std::to_string(number);
  data.SetValue("TYPE", Variant("RgBlockOffline." + typeText), 1);
  data.SetValue("NAME", Variant(name), 3);
  data.SetValue("BLOCKTYPE", Variant(type), 1);
  data.SetValue("BLOCKNUMBER", Variant(number), 3);
  data.SetValue("SYMBOL", Variant(symbol), 3);
  data.SetValue("HEADERNAME", Variant(block->HeaderName()), 3);
  data.SetValue("LASTMODIFIED", Variant(DateFromText(block->LastModifiedText())), 1);
  data.SetValue("PROGLANGUAGE", Variant(info->LanguageText(block->Language())), 1);
  data.SetValue("AUTHOR", Variant(block->Author()), 3);
  data.SetValue("SIZE", Variant(block->Size()), 1);
  data.SetValue("DISPLAY_TYPE", Variant(info->BlockTypeDisplayText(type)), 1);
  data.SetValue("DISPLAY_TITLE", Variant(P_GetDisplayTitle(name, symbol)), 3);
  data.SetValue("PROTECTED", Variant(block->IsProtected()), 3);
  data.SetValue("SYSTEM", Variant(block->IsSystem()), 3);
}

std::string RgPrjHandlerBlockOffline::P_GetDisplayTitle(const std::string& name,
                                                        const std::string& symbol) {
  std::string result = name;
  Guard(*this, "P_GetDisplayTitle", [&] {
    if (symbol.empty()) return;
    // The snap-in reads the option once and again when it changes (then the model refreshes).
    result = SnapIn()->JoinByAddressPriority(name, symbol);
  });
  return result;
}

RgEnumBlockDataErrors RgPrjHandlerBlockOffline::CheckBlockNumber(int32_t& lNewBlockNumber) {
  RgEnumBlockDataErrors result = RgBlockDataErrorOK;
  Guard(*this, "CheckBlockNumber", [&] {
    const Ref<RgProjectItemData> data = item_->Data();
    if (lNewBlockNumber == data->Value("BLOCKNUMBER").ToInt32()) return;  // unchanged
    const int32_t type = data->Value("BLOCKTYPE").ToInt32();
    const Ref<IRgBlockInfo> info = BlockInfo();
    if (!info->IsValidNumber(type, lNewBlockNumber)) {
      result = RgBlockDataErrorInvalidNumber;
      return;
    }
    const Ref<platform::Object> service =
        SnapIn()->Services()->RgBlockService(RgProjectLocationOffline);
    if (service && info->HasBlock(service, type, lNewBlockNumber)) {
      result = RgBlockDataErrorBlockExist;
    }
  });
  return result;
}

RgEnumBlockDataErrors RgPrjHandlerBlockOffline::CheckBlockSymbol(std::string& sNewBlockSymbol) {
  RgEnumBlockDataErrors result = RgBlockDataErrorOK;
  Guard(*this, "CheckBlockSymbol", [&] {
    if (sNewBlockSymbol.find('"') != std::string::npos) {
      result = RgBlockDataErrorInvalidSymbolCharacter;
    } else if (CharacterCount(sNewBlockSymbol) > kMaxSymbolLength) {
      result = RgBlockDataErrorSymbolTooLong;
    }
  });
  return result;
}

void RgPrjHandlerBlockOffline::OnSave() {
  const int32_t symbolState = item_->States()->Value("SYMBOLSTATE").ToInt32();
  const bool writeSymbol = (symbolState & kSymbolStateReadOnly) == 0;
  const std::string symbol = writeSymbol ? item_->Data()->Value("SYMBOL").ToString() : "";
  if (!P_SetNewBlockData()) return;  // refused: nothing else is written
  SnapIn()->Application()->SaveDocument(object_);
  if (writeSymbol) P_SetNewBlockSymbol(symbol);
}

bool RgPrjHandlerBlockOffline::P_SetNewBlockData() {
  bool result = false;
  Guard(*this, "P_SetNewBlockData", [&] {
    const auto block = object_.Cast<IRgBlock>();
    const Ref<RgProjectItemData> data = item_->Data();
    // Read before renumbering: its notification fills the item anew from the block.
    const int32_t number = data->Value("BLOCKNUMBER").ToInt32();
    const std::string header = data->Value("HEADERNAME").ToString();
    const std::string author = data->Value("AUTHOR").ToString();
    if (number != block->Number()) {
      const auto service =
          SnapIn()->Services()->RgBlockService(RgProjectLocationOffline).As<IRgBlockService>();
      if (!service || !service->Renumber(object_, number)) return;
      // The category lists the block and the program stores the order under the new name.
      const Ref<RgProjectItem> category = item_->Parent();
      if (const auto handler = category->Handler()) handler->Save();
      if (const auto program = category->Parent()) {
        if (const auto handler = program->Handler()) handler->Save();
      }
    }
    block->SetHeaderName(header);
    block->SetAuthor(author);
    result = true;
  });
  return result;
}

void RgPrjHandlerBlockOffline::P_SetNewBlockSymbol(const std::string& symbol) {
  Guard(*this, "P_SetNewBlockSymbol", [&] {
    if (const auto symbolInterface = object_.As<IRgBlockSymbol>()) {
      symbolInterface->SetSymbol(symbol);
    }
  });
}

}  // namespace mzblprsx
