// A block of a program: offline (class kBlockOffline) in a project, online (kBlockOnline) in the
// PLC. It carries what the block handlers show and what the comparison compares (body).
//
//   auto block = platform::MakeObject<Block>(false, BlockInfo::kFb, 10);   // "FB10"
//   block->SetHeader("Motor control");
//   program->AddBlock(block);
//
// The object identifier is the block name, "FB10": the type's name followed by the number. It
// changes when the block is renumbered (Program::RenumberBlock, the only way to renumber, so
// that the program's index stays right).
//
// The library reads and writes it through IRgBlock and IRgBlockSymbol. The symbol is the
// project's symbol table's name for the block's address; a block whose symbol cannot be written
// (online, outside a project, or in a project without symbol table) reports bit 64 in its
// SymbolState, so that the handlers leave the symbol alone. Every change of a project block's
// data notifies 8192, of a PLC block's 4 (NotificationHub): each side's program handler follows
// its own code.
//
// Project and PLC compare their blocks by what the PLC runs (ComparesEqual): a block reports
// through IRgBlockCompare how it compares with the block of the same type and number on the
// other side (ProjectRoot::Counterpart), looked up in the other program's index.
//
// Trap: a block's name is not settable; SetName fails.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/project/BlockInfo.h"
#include "host/project/ProjectDocument.h"
#include "mzblprsx/interfaces/IRgBlock.h"
#include "mzblprsx/interfaces/IRgBlockCompare.h"
#include "mzblprsx/interfaces/IRgBlockSymbol.h"
#include "platform/DateTime.h"

namespace host {

class Category;
class Program;
class SymbolTable;

class Block : public ProjectDocument,
              public virtual mzblprsx::IRgBlock,
              public virtual mzblprsx::IRgBlockSymbol,
              public virtual mzblprsx::IRgBlockCompare {
 public:
  /// Error 5 for an unknown type code or a number that is not valid for the type.
  Block(bool online, int32_t type, int32_t number);

  std::string_view TypeName() const override { return "Block"; }
  std::string ObjectID() override { return Name(); }
  /// "FB10".
  std::string Name() const override { return BlockInfo::MakeName(type_, number_); }
  /// Always error 5: the name is the type and number.
  void SetName(std::string name) override;

  bool Online() const { return online_; }
  int32_t Type() const { return type_; }
  int32_t Number() const { return number_; }
  /// "FB".
  std::string_view TypeText() const { return BlockInfo::TypeText(type_); }

  /// The symbol state bit that tells the handlers not to write the symbol back.
  static constexpr int32_t kSymbolReadOnly = 64;

  // IRgBlock
  int32_t BlockType() override { return type_; }
  int32_t Number() override { return number_; }
  std::string HeaderName() override { return header_; }
  void SetHeaderName(const std::string& name) override { SetHeader(name); }
  std::string Author() override { return author_; }
  void SetAuthor(const std::string& author) override;
  int32_t Language() override { return language_; }
  int32_t Size() override { return size_; }
  /// The date in the text form "YYYY-MM-DD HH:MM:SS" (as DateTime::ToString).
  std::string LastModifiedText() override;
  bool IsProtected() override { return protected_; }
  bool IsSystem() override { return system_; }
  /// The stored state, with kSymbolReadOnly added when the symbol cannot be written.
  int32_t SymbolState() override;
  int32_t MakeState() override { return makeState_; }
  /// False (arguments untouched) unless the block is an instance data block.
  bool InstanceOf(int32_t& blockType, int32_t& number) override;

  // IRgBlockSymbol
  /// The symbol table's name for the block; empty without symbol table (and online).
  std::string Symbol() override;
  /// Names the block in the symbol table (an empty symbol removes its name). Error 5 when the
  /// block has no symbol table to write to, 457 when another address has the symbol.
  void SetSymbol(const std::string& symbol) override;

  /// Compare states of CompareState.
  static constexpr int32_t kNoCounterpart = 0;
  static constexpr int32_t kEqual = 1;
  static constexpr int32_t kDifferent = 2;
  // IRgBlockCompare
  /// kNoCounterpart outside a program, while its project or PLC is paired with nothing, or when
  /// the other side has no block of this type and number; else kEqual or kDifferent by
  /// ComparesEqual.
  int32_t CompareState() override;

  /// True when the two blocks are the same to the PLC: same type, number, body, language,
  /// protection, system flag and instance owner. What only describes a block (header, author,
  /// size, date, symbol, attributes this host does not know) is not compared: a download dates
  /// the PLC's copy anew, and a PLC keeps no symbols.
  bool ComparesEqual(const Block& other) const;
  /// Takes every datum of `content` but its type and number (header, author, language, size,
  /// date, flags, body, instance owner, unknown attributes), notifying as each setter does.
  /// Error 5 (changing nothing) when the instance owner cannot be this block's.
  void TakeContentOf(const Block& content);

  const std::string& Header() const { return header_; }
  void SetHeader(std::string header);
  const std::string& Author() const { return author_; }
  /// Language code (see BlockInfo); 0 when none.
  int32_t Language() const { return language_; }
  /// Error 5 for a code BlockInfo does not know.
  void SetLanguage(int32_t language);
  std::string_view LanguageText() const { return BlockInfo::LanguageName(language_); }
  int32_t Size() const { return size_; }
  /// Error 5 for a negative size.
  void SetSize(int32_t size);
  platform::DateTime LastModified() const { return lastModified_; }
  void SetLastModified(platform::DateTime when);
  bool Protected() const { return protected_; }
  void SetProtected(bool value);
  bool System() const { return system_; }
  void SetSystem(bool value);
  /// The block's code and data, as compared between project and PLC.
  const std::string& Body() const { return body_; }
  void SetBody(std::string body);
  /// For an instance data block: the block it belongs to (FB, SFB or UDT); nothing otherwise.
  std::optional<BlockInfo::BlockName> InstanceOf() const { return instanceOf_; }
  /// Error 5 unless the block is a DB and the owner is an FB, SFB or UDT with a valid number.
  void SetInstanceOf(std::optional<BlockInfo::BlockName> owner);

  /// The host's own part of SymbolState and MakeState (0 unless set).
  void SetSymbolState(int32_t state) { symbolState_ = state; }
  void SetMakeState(int32_t state) { makeState_ = state; }

  /// The program that holds the block; nothing when it is in none.
  platform::Ref<Program> OwnerProgram() const;
  /// The category that lists the block; nothing when none does (offline only).
  platform::Ref<Category> OwnerCategory() const;

 private:
  /// The symbol table of the block's project, offline only; nothing when there is none.
  platform::Ref<SymbolTable> ProjectSymbols() const;
  /// Records a change of the block's data: the project is modified, 8192 is notified.
  void Changed();

  friend class Program;   // renumbers
  friend class Category;  // records membership

  bool online_;
  int32_t type_;
  int32_t number_;
  std::string header_;
  std::string author_;
  int32_t language_ = 0;
  int32_t size_ = 0;
  platform::DateTime lastModified_;
  bool protected_ = false;
  bool system_ = false;
  std::string body_;
  std::optional<BlockInfo::BlockName> instanceOf_;
  int32_t symbolState_ = 0;
  int32_t makeState_ = 0;
  std::weak_ptr<Category> category_;
};

}  // namespace host
