// The program of a project (kProgramOffline) or of the PLC (kProgramOnline): its blocks in
// file order with constant-time lookup by type and number and by object identifier, and, offline,
// its categories, its default category and its stored category order.
//
//   auto fb10 = program->FindBlockById("FB10");             // or FindBlock(BlockInfo::kFb, 10)
//   program->SetCategoryOrder({"2", "1"});
//   auto bytes = program->CategoryOrderBytes();             // UTF-16LE "C\t2\0C\t1\0"
//
// The stored category order is the data block that the library's program handler writes: one
// record per category, "C", a tab, the category identifier and a NUL, as UTF-16LE bytes. The
// program keeps it as the list of identifiers; it may name categories that no longer exist.
//
// The library reads it through IRgProgram (default category, documents), IRgAttributeStorage (the
// data block kCategoryOrderBlock is the stored category order; other blocks are kept in memory
// only) and IRgBlockContainer (where the new-block dialog creates blocks). The program is its own
// document collection (IRgProgramDocuments): its blocks are the documents, and their open state is
// the one the application's editors set (ProjectDocument). Its block and category operations
// raise the notifications that NotificationHub lists.
//
// Loading (LoadBlock, LoadBlocks) is how blocks reach a program from the other side, a
// download into the PLC or an upload into the project: a block the program holds already takes
// the loaded data in place, keeping its object, its place and its category, so that every view
// on it follows with one notification (4 in the PLC, 8192 in a project); a new one is appended
// (1). Removing goes through RemoveBlocks (2).
//
// Trap: an online program has no categories; the category operations fail on it.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/project/ProjectDocument.h"
#include "mzblprsx/interfaces/IRgAttributeStorage.h"
#include "mzblprsx/interfaces/IRgBlockContainer.h"
#include "mzblprsx/interfaces/IRgProgram.h"
#include "mzblprsx/interfaces/IRgProgramDocuments.h"

namespace host {

class Block;
class Category;

class Program : public ProjectDocument,
                public virtual mzblprsx::IRgProgram,
                public virtual mzblprsx::IRgAttributeStorage,
                public virtual mzblprsx::IRgBlockContainer,
                public virtual mzblprsx::IRgProgramDocuments {
 public:
  /// Answers of CheckCategoryName (the category service's codes).
  static constexpr int32_t kNameOk = 1;
  static constexpr int32_t kNameMissing = 2;
  static constexpr int32_t kNameExists = 3;

  Program(bool online, std::string name);

  std::string_view TypeName() const override { return "Program"; }

  // IRgProgram
  int32_t DefaultCategoryID() override { return defaultCategoryId_; }
  /// The program itself, as its document collection.
  platform::Ref<mzblprsx::IRgProgramDocuments> Documents() override;
  // IRgProgramDocuments
  /// The block of that name ("FB12", letters without regard to case) when the key is the
  /// offline block class (without regard to case); nothing otherwise, and always nothing for
  /// the PLC's program, whose blocks are of the online class.
  platform::Ref<mzblprsx::IRgDocument> Item(const std::string& documentTypeKey,
                                            const std::string& name) override;
  // IRgAttributeStorage
  /// The stored category order's bytes for kCategoryOrderBlock; empty for an unknown name.
  std::vector<uint8_t> DataBlock(const std::string& name) override;
  /// For kCategoryOrderBlock as SetCategoryOrderBytes (error 5 online or for a bad order).
  void SetDataBlock(const std::string& name, const std::vector<uint8_t>& bytes) override;
  // IRgBlockContainer
  platform::Ref<mzblprsx::IRgObject> ContainerObject() override;

  bool Online() const { return online_; }

  // Blocks.
  size_t BlockCount() const { return blocks_.size(); }
  /// The blocks in file (insertion) order.
  std::vector<platform::Ref<Block>> Blocks() const;
  /// Nothing when the program holds no such block.
  platform::Ref<Block> FindBlock(int32_t type, int32_t number) const;
  /// By block name ("FB10", letters without regard to case); nothing when none.
  platform::Ref<Block> FindBlockById(std::string_view objectId) const;
  /// Appends a block (notification 1). Error 457 when the program holds a block of that type
  /// and number, error 5 when the block is online and the program offline (or the other way)
  /// or is in a program.
  void AddBlock(const platform::Ref<Block>& block);
  /// Drops the block (and unlists it from its category; notification 2); false when it is not
  /// here.
  bool RemoveBlock(Block& block);
  /// Drops several blocks at once, in time linear in the program's size, with one notification
  /// 2 for them all; returns how many.
  size_t RemoveBlocks(const std::vector<platform::Ref<Block>>& blocks);
  /// Gives the block a new number (notification 128); its symbol moves with it. Error 5 when it
  /// is not here or the number is not valid for its type, 457 when another block has it.
  void RenumberBlock(Block& block, int32_t number);
  /// Loads a copy of `content` (a block of either side, in a program or not) under its type and
  /// number: the block of that type and number takes its data (TakeContentOf), or a new block
  /// of this program's side is appended. Returns the program's block. Error 5 (changing
  /// nothing) for an instance owner the block cannot have.
  platform::Ref<Block> LoadBlock(const Block& content);
  /// LoadBlock for each block in order, with one delivery for them all; an entry that is
  /// nothing is skipped. Returns the program's blocks in the order given.
  std::vector<platform::Ref<Block>> LoadBlocks(const std::vector<platform::Ref<Block>>& contents);

  /// The program of the other side (the PLC's for a project's program, the project's for the
  /// PLC's) while the two are paired (ProjectRoot::Counterpart); nothing otherwise and when the
  /// other side has no program.
  platform::Ref<Program> Counterpart() const;

  // Categories (offline only).
  /// The categories in file (insertion) order.
  const std::vector<platform::Ref<Category>>& Categories() const { return categories_; }
  platform::Ref<Category> FindCategory(int32_t id) const;
  /// By object identifier ("2"); nothing when none.
  platform::Ref<Category> FindCategoryById(std::string_view objectId) const;
  /// Appends a category. Error 457 for an identifier in use, 5 online or when it is in a program.
  void AddCategory(const platform::Ref<Category>& category);
  /// Drops the category; its blocks stay in the program, listed by no category.
  bool RemoveCategory(Category& category);
  /// An identifier no category of the program has (one above the highest).
  int32_t NextCategoryId() const;
  /// The category of that name, compared as CheckCategoryName compares (without regard to
  /// case); nothing when none has it.
  platform::Ref<Category> FindCategoryByName(std::string_view name,
                                             const Category* except = nullptr) const;
  /// Whether a category may take the name: kNameMissing for an empty or blank name,
  /// kNameExists when a category other than `except` has it without regard to case, else
  /// kNameOk.
  int32_t CheckCategoryName(std::string_view name, const Category* except = nullptr) const;
  /// 0 when the program has no default category. It may name a category that does not exist:
  /// the library creates it.
  int32_t DefaultCategoryId() const { return defaultCategoryId_; }
  /// Error 5 for a negative identifier or online.
  void SetDefaultCategoryId(int32_t id);

  /// The stored category order as category identifiers.
  const std::vector<std::string>& CategoryOrder() const { return categoryOrder_; }
  /// Error 5 (changing nothing) when an identifier is not a category identifier ("2": decimal,
  /// no sign, no leading zero, at least 1) or is named twice, or online.
  void SetCategoryOrder(std::vector<std::string> ids);
  /// The stored order in its byte form.
  std::vector<uint8_t> CategoryOrderBytes() const { return EncodeCategoryOrder(categoryOrder_); }
  /// Sets the stored order from its byte form; empty identifiers are dropped (they name no
  /// category), the rest must pass SetCategoryOrder.
  void SetCategoryOrderBytes(std::span<const uint8_t> bytes);

  /// "C\t<id>\0" per identifier, as UTF-16LE.
  static std::vector<uint8_t> EncodeCategoryOrder(const std::vector<std::string>& ids);
  /// Splits the text at NUL, each non-empty record at the tabs, and takes the second field of
  /// every record whose first field is "C" (without regard to case).
  static std::vector<std::string> DecodeCategoryOrder(std::span<const uint8_t> bytes);
  /// True for the decimal text of an identifier from 1 to 2147483647 without sign or leading 0.
  static bool IsCategoryIdText(std::string_view text);

 protected:
  void RemoveChild(ProjectObject& child) override;

 private:
  static int64_t KeyOf(int32_t type, int32_t number) {
    return (static_cast<int64_t>(type) << 32) | static_cast<uint32_t>(number);
  }
  void RequireOffline(std::string_view what) const;
  /// Notification 256: the categories, their names or the default category changed.
  void CategoriesChanged();

  bool online_;
  std::list<platform::Ref<Block>> blocks_;
  std::unordered_map<int64_t, std::list<platform::Ref<Block>>::iterator> blockIndex_;
  std::vector<platform::Ref<Category>> categories_;
  std::unordered_map<int32_t, platform::Ref<Category>> categoryIndex_;
  int32_t defaultCategoryId_ = 0;
  std::vector<std::string> categoryOrder_;
  std::map<std::string, std::vector<uint8_t>> dataBlocks_;  // other named data blocks
};

}  // namespace host
