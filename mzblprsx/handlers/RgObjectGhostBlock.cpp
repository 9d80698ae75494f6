#include "mzblprsx/handlers/RgObjectGhostBlock.h"

#include <cstdint>
#include <utility>

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockSymbol.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

constexpr const char* kOptionAddressPriority = "General/Settings/AddressPriority";

}  // namespace

std::string RgObjectGhostBlock::P_KeyOf(const Ref<IRgObject>& block) {
  return "OBJ" + std::to_string(reinterpret_cast<uintptr_t>(platform::Identity(block)));
}

int32_t RgObjectGhostBlock::CountBlocks() {
  int32_t result = 0;
  Guard(*this, "Property Get CountBlocks", [&] { result = blocks_.Count(); });
  return result;
}

std::vector<Ref<IRgObject>> RgObjectGhostBlock::NewEnum() {
  std::vector<Ref<IRgObject>> result;
  Guard(*this, "NewEnum", [&] { result.assign(blocks_.begin(), blocks_.end()); });
  return result;
}

std::string RgObjectGhostBlock::ClassID() {
  return classId_;
}

std::string RgObjectGhostBlock::ObjectID() {
  return "1";
}

std::string RgObjectGhostBlock::DisplayName() {
  return displayName_;
}

void RgObjectGhostBlock::Delete() {}

void RgObjectGhostBlock::SetObjectID(const std::string& /*id*/) {}

void RgObjectGhostBlock::SetDisplayName(const std::string& name) {
  displayName_ = name;
}

void RgObjectGhostBlock::SetDefaultValues() {}

void RgObjectGhostBlock::SetText(const std::string& /*text*/) {}

void RgObjectGhostBlock::SetClassID(const std::string& classId) {
  classId_ = classId;
}

void RgObjectGhostBlock::SetProjectItem(const Ref<RgProjectItem>& item) {
  item_ = item.Shared();
}

bool RgObjectGhostBlock::Contains(const Ref<IRgObject>& block) const {
  // A miss is an answer here: the status controller asks for every block it compares.
  return block && blocks_.Exists(P_KeyOf(block));
}

void RgObjectGhostBlock::AddBlock(const Ref<IRgObject>& block) {
  Guard(*this, "AddBlock", [&] {
    if (Contains(block)) return;
    if (!block) platform::Raise(platform::errc::kObjectNotSet, "No block to add to the ghost");
    blocks_.Add(block, P_KeyOf(block));
  });
}

void RgObjectGhostBlock::RemoveBlock(const Ref<IRgObject>& block) {
  Guard(*this, "RemoveBlock", [&] {
    if (Contains(block)) blocks_.Remove(P_KeyOf(block));
  });
}

void RgObjectGhostBlock::RemoveAll() {
  // Emptied at every comparison: all at once rather than entry by entry from the front.
  Guard(*this, "RemoveAll", [&] { blocks_.Clear(); });
}

std::string RgObjectGhostBlock::ObjectPath() {
  std::string result;
  Guard(*this, "Property Get IRgObject_ObjectPath", [&] {
    const auto snapIn = ProjectItem()->Model()->Owner().Cast<RgProjectSnapin>();
    const std::string priority = snapIn->OptionService()->Value(kOptionAddressPriority).ToString();
    const bool symbolFirst = Variant(platform::text::Val(priority)).ToInt32() == 1;

    std::string text;
    if (classId_ == clsid::kGhostOffline) {
      text = snapIn->GetStaticText(kTextOfflineHeading);
    } else if (classId_ == clsid::kGhostOnline) {
      text = snapIn->GetStaticText(kTextOnlineHeading);
    }
    for (const Ref<IRgObject>& block : blocks_) {
      const std::string absolute = block->DisplayName();
      const auto symbolInterface = block.As<IRgBlockSymbol>();
      const std::string symbol = symbolInterface ? symbolInterface->Symbol() : std::string();
      text += "\r\n";
      if (symbol.empty()) {
        text += absolute;
      } else {
        text += symbolFirst ? symbol : absolute;
        text += " : ";
        text += symbolFirst ? absolute : symbol;
      }
    }
    result = std::move(text);
  });
  return result;
}

}  // namespace mzblprsx
