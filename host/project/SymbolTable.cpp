#include "host/project/SymbolTable.h"

#include <utility>

#include "host/project/NotificationHub.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "host/project/StorageOwner.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

using platform::text::FoldCase;

SymbolTable::SymbolTable(std::string name)
    : ProjectDocument(mzblprsx::clsid::kSymbolTable, "SYMBOLS", std::move(name)) {}

std::string SymbolTable::NameOf(std::string_view address) const {
  const auto it = byAddress_.find(FoldCase(address));
  return it == byAddress_.end() ? std::string() : symbols_[it->second].name;
}

std::string SymbolTable::AddressOf(std::string_view name) const {
  const auto it = byName_.find(FoldCase(name));
  return it == byName_.end() ? std::string() : symbols_[it->second].address;
}

void SymbolTable::SetSymbol(std::string address, std::string name, XmlExtras extras) {
  if (address.empty()) throw platform::Error(platform::errc::kInvalidCall, "empty address");
  if (name.empty()) {
    throw platform::Error(platform::errc::kInvalidCall, "empty symbol name for " + address);
  }
  std::string foldedAddress = FoldCase(address);
  std::string foldedName = FoldCase(name);
  const auto owner = byName_.find(foldedName);
  const auto existing = byAddress_.find(foldedAddress);
  if (owner != byName_.end() &&
      (existing == byAddress_.end() || owner->second != existing->second)) {
    throw platform::Error(platform::errc::kDuplicateKey, "the symbol '" + name + "' cannot name " +
                                                             address + ": it already names " +
                                                             symbols_[owner->second].address);
  }
  if (existing != byAddress_.end()) {
    Symbol& symbol = symbols_[existing->second];
    if (symbol.name == name && symbol.extras == extras) return;
    byName_.erase(FoldCase(symbol.name));
    byName_.emplace(std::move(foldedName), existing->second);
    symbol.name = std::move(name);
    symbol.extras = std::move(extras);
    Changed();
    return;
  }
  const size_t at = symbols_.size();
  symbols_.push_back(Symbol{std::move(address), std::move(name), std::move(extras)});
  byAddress_.emplace(std::move(foldedAddress), at);
  byName_.emplace(std::move(foldedName), at);
  Changed();
}

bool SymbolTable::RemoveSymbol(std::string_view address) {
  const auto it = byAddress_.find(FoldCase(address));
  if (it == byAddress_.end()) return false;
  symbols_.erase(symbols_.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex();
  Changed();
  return true;
}

bool SymbolTable::MoveSymbol(std::string_view from, std::string to) {
  const auto it = byAddress_.find(FoldCase(from));
  if (it == byAddress_.end() || to.empty()) return false;
  if (FoldCase(to) == it->first) return true;
  const auto target = byAddress_.find(FoldCase(to));
  if (target != byAddress_.end()) {
    symbols_.erase(symbols_.begin() + static_cast<std::ptrdiff_t>(target->second));
    Reindex();
  }
  symbols_[byAddress_.at(FoldCase(from))].address = std::move(to);
  Reindex();
  Changed();
  return true;
}

int32_t SymbolTable::FindEntry(const std::string& address) {
  return PositionIn(byAddress_, address);
}

int32_t SymbolTable::FindSymbol(const std::string& symbol) {
  return PositionIn(byName_, symbol);
}

platform::Ref<mzblprsx::IRgSymbolEntry> SymbolTable::Entry(int32_t index) {
  if (index < 0 || index >= Count()) return {};
  const Symbol& symbol = symbols_[static_cast<size_t>(index)];
  return platform::MakeObject<EntryCopy>(symbol.address, symbol.name);
}

int32_t SymbolTable::PositionIn(const std::unordered_map<std::string, size_t>& index,
                                std::string_view key) {
  if (key.empty()) return -1;
  const auto it = index.find(FoldCase(key));
  return it == index.end() ? -1 : static_cast<int32_t>(it->second);
}

platform::Ref<mzblprsx::IRgStorageOwner> SymbolTable::StorageOwner() {
  return platform::MakeObject<host::StorageOwner>(platform::Self<ProjectObject>(this));
}

void SymbolTable::Changed() {
  Touch();
  const auto project = Parent().As<OfflineProject>();
  const auto program = project ? project->Program() : nullptr;
  if (program) project->Notifications().RaiseBatched(NotificationHub::kSymbolsChanged, *program);
}

void SymbolTable::Reindex() {
  byAddress_.clear();
  byName_.clear();
  for (size_t i = 0; i < symbols_.size(); ++i) {
    byAddress_.emplace(FoldCase(symbols_[i].address), i);
    byName_.emplace(FoldCase(symbols_[i].name), i);
  }
}

}  // namespace host
