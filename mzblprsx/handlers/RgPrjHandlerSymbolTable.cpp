#include "mzblprsx/handlers/RgPrjHandlerSymbolTable.h"

#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgStorageOwner.h"
#include "mzblprsx/interfaces/IRgStorageOwnerSource.h"

namespace mzblprsx {
namespace {

/// Where the storage of the symbol table is removed: before the first entry, no deferral.
constexpr double kRemovePosition = -1.0;
constexpr int32_t kRemoveFlags = 128;

}  // namespace

void RgPrjHandlerSymbolTable::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgSymbolTable", 1, 1);
}

void RgPrjHandlerSymbolTable::OnDelete() {
  const auto source = object_.Cast<IRgStorageOwnerSource>();
  source->StorageOwner()->Prepare();
  object_.Cast<IRgDocument>()->Commit();
  source->StorageOwner()->Remove(kRemovePosition, kRemoveFlags, Variant());
}

}  // namespace mzblprsx
