// The symbol table of a project (kSymbolTable): symbolic names of addresses ("FB10" is
// "Motor"), looked up both ways. Addresses and names compare without regard to case; each
// address has at most one name and each name belongs to at most one address.
//
//   symbols->SetSymbol("FB10", "Motor");
//   symbols->NameOf("fb10");      // "Motor"
//   symbols->AddressOf("MOTOR");  // "FB10"
//
// The object identifier is "SYMBOLS". Every change of a symbol notifies 131072 on the project's
// program (NotificationHub). Its storage owner (IRgStorageOwnerSource) deletes it from the
// project: the framework's delete path of the library's symbol table handler.
//
// Trap: NameOf and AddressOf answer an empty text for "none"; an empty name is never stored.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/project/ProjectDocument.h"
#include "host/project/XmlExtras.h"
#include "mzblprsx/interfaces/IRgStorageOwnerSource.h"

namespace host {

class SymbolTable : public ProjectDocument, public virtual mzblprsx::IRgStorageOwnerSource {
 public:
  struct Symbol {
    std::string address;
    std::string name;
    XmlExtras extras;
    bool operator==(const Symbol&) const = default;
  };

  explicit SymbolTable(std::string name);

  std::string_view TypeName() const override { return "SymbolTable"; }

  // IRgStorageOwnerSource
  /// A new storage owner of the table (see StorageOwner).
  platform::Ref<mzblprsx::IRgStorageOwner> StorageOwner() override;

  /// The symbols in file (insertion) order.
  const std::vector<Symbol>& Symbols() const { return symbols_; }
  /// The name of an address; empty when it has none.
  std::string NameOf(std::string_view address) const;
  /// The address of a name; empty when no address has it.
  std::string AddressOf(std::string_view name) const;
  /// Gives an address a name: renames its symbol or appends a new one. Error 5 for an empty
  /// address or name, 457 when another address has the name.
  void SetSymbol(std::string address, std::string name, XmlExtras extras = {});
  /// Forgets the symbol of an address; false when it has none.
  bool RemoveSymbol(std::string_view address);
  /// Gives the symbol of `from` to `to` (a block that was renumbered), replacing any symbol
  /// `to` had; false when `from` has none.
  bool MoveSymbol(std::string_view from, std::string to);

 private:
  void Reindex();
  /// Touch, and notification 131072 on the project's program.
  void Changed();

  std::vector<Symbol> symbols_;
  std::unordered_map<std::string, size_t> byAddress_;  // folded address -> position
  std::unordered_map<std::string, size_t> byName_;     // folded name -> position
};

}  // namespace host
