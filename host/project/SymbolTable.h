// The symbol table of a project (kSymbolTable): symbolic names of addresses ("FB10" is
// "Motor"), looked up both ways. Addresses and names compare without regard to case; each
// address has at most one name and each name belongs to at most one address.
//
//   symbols->SetSymbol("FB10", "Motor");
//   symbols->NameOf("fb10");      // "Motor"
//   symbols->AddressOf("MOTOR");  // "FB10"
//
// The object identifier is "SYMBOLS". Every change of a symbol notifies 131072 on the project's
// program (NotificationHub), naming the block whose symbol changed. Its storage owner
// (IRgStorageOwnerSource) deletes it from the project: the framework's delete path of the library's
// symbol table handler. The library reads it through IRgSymbolTable (entry indexes are 0-based
// positions in file order; both look-ups are hash look-ups, since a transfer check asks for
// thousands of candidates).
//
// Trap: NameOf and AddressOf answer an empty text for "none"; an empty name is never stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/project/ProjectDocument.h"
#include "host/project/XmlExtras.h"
#include "mzblprsx/interfaces/IRgStorageOwnerSource.h"
#include "mzblprsx/interfaces/IRgSymbolTable.h"

namespace host {

class SymbolTable : public ProjectDocument,
                    public virtual mzblprsx::IRgStorageOwnerSource,
                    public virtual mzblprsx::IRgSymbolTable {
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

  // IRgSymbolTable
  int32_t Count() override { return static_cast<int32_t>(symbols_.size()); }
  /// The position of the address's symbol (without regard to case); -1 when it has none.
  int32_t FindEntry(const std::string& address) override;
  /// The position of the symbol of that name (without regard to case); -1 when none has it.
  int32_t FindSymbol(const std::string& symbol) override;
  /// A copy of the symbol at a position, as it is now; nothing outside the range.
  platform::Ref<mzblprsx::IRgSymbolEntry> Entry(int32_t index) override;

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
  /// What Entry hands out: the address and name at the time of the call.
  class EntryCopy : public mzblprsx::IRgSymbolEntry {
   public:
    EntryCopy(std::string address, std::string name)
        : address_(std::move(address)), name_(std::move(name)) {}
    std::string_view TypeName() const override { return "SymbolEntry"; }
    std::string Symbol() override { return name_; }
    std::string Address() override { return address_; }

   private:
    std::string address_;
    std::string name_;
  };

  static int32_t PositionIn(const std::unordered_map<std::string, size_t>& index,
                            std::string_view key);
  void Reindex();
  /// Touch, and notification 131072 on the project's program, naming the blocks of these
  /// addresses (the program when none of them is a block of it).
  void Changed(std::initializer_list<std::string_view> addresses);

  std::vector<Symbol> symbols_;
  std::unordered_map<std::string, size_t> byAddress_;  // folded address -> position
  std::unordered_map<std::string, size_t> byName_;     // folded name -> position
};

}  // namespace host
