// The program handler's edits of the tree: where new blocks land, how categories split, move and
// go while their blocks stay, and how blocks move and are deleted.
#include "HandlerFixture.h"

#include "host/framework/NewBlockScript.h"
#include "host/project/BlockInfo.h"

namespace mztest {
namespace {

using host::BlockInfo;

// A[OB1 FB10] B[FC1 FC2 FC3] E[] with A the default category.
const std::string kProject =
    ProgramProject("default-category=\"1\" category-order=\"1 2 3\"",
                   CategoryXml(1, "A", "OB1 FB10") + CategoryXml(2, "B", "FC1 FC2 FC3") +
                       CategoryXml(3, "E") + BlockXml("OB", 1) + BlockXml("FB", 10) +
                       BlockXml("FC", 1) + BlockXml("FC", 2) + BlockXml("FC", 3));
const std::string kTree = "A[OB1 FB10] B[FC1 FC2 FC3] E[]";

class ProgramEdit : public HandlerFixture {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
    OpenText(kProject);
    ASSERT_EQ(Tree(), kTree);
  }

  /// A position by description: "" nothing, "project" the project item, "cat:<id>" a category
  /// item, else a block item by name.
  ItemRef Position(const std::string& what) {
    if (what.empty()) return {};
    if (what == "project") return ProjectItem();
    if (what.rfind("cat:", 0) == 0) return CategoryItem(std::stoi(what.substr(4)));
    return BlockItem(what);
  }

  /// Adds a block to the framework's program; the program's notification places its item.
  platform::Ref<host::Block> NewBlock(int32_t type, int32_t number) {
    auto block = platform::MakeObject<host::Block>(false, type, number);
    HostProgram()->AddBlock(block);
    return block;
  }

  void ExpectNoErrors() { EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources()); }
};

TEST_F(ProgramEdit, FrameworkCreatedBlockLandsAtTheCreatePosition) {
  const struct {
    const char* what;
    std::string position, tree;
  } rows[] = {
      {"no position: bottom of the default", "", "A[OB1 FB10 FB30] B[FC1 FC2 FC3] E[]"},
      {"a block: directly below it", "FC1", "A[OB1 FB10] B[FC1 FB30 FC2 FC3] E[]"},
      {"the last block of a category", "FC3", "A[OB1 FB10] B[FC1 FC2 FC3 FB30] E[]"},
      {"a category: at its top", "cat:2", "A[OB1 FB10] B[FB30 FC1 FC2 FC3] E[]"},
      {"an empty category: its only child", "cat:3", "A[OB1 FB10] B[FC1 FC2 FC3] E[FB30]"},
      {"another item: top of the default", "project", "A[FB30 OB1 FB10] B[FC1 FC2 FC3] E[]"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    OpenText(kProject);
    Program()->SetCreateBlockPosition(Position(row.position));
    NewBlock(BlockInfo::kFb, 30);
    Program()->SetCreateBlockPosition(nullptr);
    EXPECT_EQ(Tree(), row.tree);
    EXPECT_EQ(FrameworkTree(), Tree()) << "the categories' member lists follow the tree";
  }
  ExpectNoErrors();
}

TEST_F(ProgramEdit, AnInstanceGoesBelowTheBlockOrDataTypeItBelongsToWhenThatIsInTheTree) {
  auto db = platform::MakeObject<host::Block>(false, BlockInfo::kDb, 30);
  db->SetInstanceOf(BlockInfo::BlockName{BlockInfo::kFb, 10});
  HostProgram()->AddBlock(db);
  ASSERT_EQ(Tree(), "A[OB1 FB10 DB30] B[FC1 FC2 FC3] E[]");

  // Moved below FB10 even when asked for another place, and shown once.
  Program()->SetCreateBlockPosition(nullptr);
  platform::Ref<mzblprsx::IRgObject> object = db;
  ItemRef position = BlockItem("FC3");
  const ItemRef item = Program()->AddBlock(object, position, true);
  EXPECT_TRUE(platform::SameObject(item, BlockItem("DB30")));
  EXPECT_EQ(Tree(), "A[OB1 FB10 DB30] B[FC1 FC2 FC3] E[]");

  // Without the instance placement the position decides.
  Program()->AddBlock(object, position, false);
  EXPECT_EQ(Tree(), "A[OB1 FB10] B[FC1 FC2 FC3 DB30] E[]") << "an existing item is moved";
  Program()->AddBlock(object, position, true);
  EXPECT_EQ(Tree(), "A[OB1 FB10 DB30] B[FC1 FC2 FC3] E[]");
  ExpectNoErrors();

  OpenText(kProject);  // an instance of a data type goes below the data type
  HostProgram()->AddBlock(platform::MakeObject<host::Block>(false, BlockInfo::kUdt, 5));
  db = platform::MakeObject<host::Block>(false, BlockInfo::kDb, 31);
  db->SetInstanceOf(BlockInfo::BlockName{BlockInfo::kUdt, 5});
  HostProgram()->AddBlock(db);
  object = db;
  position = BlockItem("FC3");
  Program()->AddBlock(object, position, false);
  ASSERT_EQ(Tree(), "A[OB1 FB10 UDT5] B[FC1 FC2 FC3 DB31] E[]");
  Program()->AddBlock(object, position, true);
  EXPECT_EQ(Tree(), "A[OB1 FB10 UDT5 DB31] B[FC1 FC2 FC3] E[]");
  ExpectNoErrors();

  OpenText(kProject);
  db = platform::MakeObject<host::Block>(false, BlockInfo::kDb, 30);
  db->SetInstanceOf(BlockInfo::BlockName{BlockInfo::kFb, 99});
  Program()->SetCreateBlockPosition(CategoryItem(3));
  HostProgram()->AddBlock(db);
  object = db;
  position = CategoryItem(3);
  Program()->AddBlock(object, position, true);
  EXPECT_EQ(Tree(), "A[OB1 FB10] B[FC1 FC2 FC3] E[DB30]") << "FB99 is not in the tree";
}

TEST_F(ProgramEdit, AddingACategoryAfterABlockSplitsItsCategory) {
  const auto category = Program()->CreateCategory();
  ASSERT_TRUE(category);
  const ItemRef added = Program()->AddCategory(category, BlockItem("FC1"));
  ASSERT_TRUE(added);
  EXPECT_EQ(Text(added, "TYPE"), "RgCategory");
  const std::string name = Text(added, "NAME");
  EXPECT_EQ(Tree(), "A[OB1 FB10] B[FC1] " + name + "[FC2 FC3] E[]");
  EXPECT_EQ(StoredOrder(), "1, 2, " + category->ObjectID() + ", 3") << "the order is stored";
  EXPECT_EQ(FrameworkTree(), "A[OB1 FB10] B[FC1] E[] " + name + "[FC2 FC3]");
  ExpectNoErrors();
}

TEST_F(ProgramEdit, MovingTheFirstCategoryHandsItsBlocksToTheNextOne) {
  ItemRef a = CategoryItem(1), b = CategoryItem(2), none;
  EXPECT_FALSE(Program()->MoveCategory(b, b)) << "onto itself";
  EXPECT_FALSE(Program()->MoveCategory(none, a));
  EXPECT_EQ(Tree(), kTree);
  ExpectNoErrors();
  EXPECT_TRUE(Program()->MoveCategory(a, CategoryItem(3)));
  EXPECT_EQ(Tree(), "B[OB1 FB10 FC1 FC2 FC3] E[] A[]");
  EXPECT_EQ(StoredOrder(), "2, 3, 1");
  EXPECT_EQ(Text(a, "TYPE"), "RgCategoryDefault") << "it is still the default category";
}

TEST_F(ProgramEdit, DeletedCategoryHandsItsBlocksToTheDefaultCategoryAndFailsWithoutIt) {
  std::vector<std::string> ids{"2", "1", "99"};
  EXPECT_TRUE(Program()->DeleteCategories(ids)) << "the default category and 99 are passed over";
  EXPECT_EQ(Tree(), "A[OB1 FB10 FC1 FC2 FC3] E[]");
  EXPECT_FALSE(HostProgram()->FindCategory(2)) << "the framework's category is deleted";
  EXPECT_TRUE(HostBlock("FC2")) << "its blocks stay in the program";
  EXPECT_EQ(StoredOrder(), "1, 3");
  EXPECT_EQ(FrameworkTree(), Tree());
  ExpectNoErrors();

  OpenText(kProject);  // without a default category only a found category fails
  CategoryItem(1)->Data()->SetValue("TYPE", platform::Variant("RgCategory"), 3);
  std::vector<std::string> unknown{"99"}, two{"2"};
  EXPECT_TRUE(Program()->DeleteCategories(unknown)) << "nothing found, nothing to hand over";
  ExpectNoErrors();
  EXPECT_FALSE(Program()->DeleteCategories(two)) << "its blocks would have nowhere to go";
  ASSERT_FALSE(ErrorSources().empty());
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgPrjHandlerProgramOffline.DeleteCategories");
  EXPECT_TRUE(HostProgram()->FindCategory(2)) << "the category is kept";
}

TEST_F(ProgramEdit, MovingABlockSavesBothCategories) {
  // A name typed into a category item is written back by its handler's Save. One at a time:
  // a rename refreshes the other categories' names from the framework.
  ItemRef fc2 = BlockItem("FC2");
  ItemRef position = CategoryItem(3);
  CategoryItem(3)->Data()->SetValue("NAME", platform::Variant("Valves"), 3);
  EXPECT_TRUE(Program()->MoveBlock(fc2, position));
  EXPECT_EQ(HostProgram()->FindCategory(3)->Name(), "Valves") << "the category it joined";
  EXPECT_EQ(Tree(), "A[OB1 FB10] B[FC1 FC3] Valves[FC2]") << "an empty category: its only child";
  CategoryItem(3)->Data()->SetValue("NAME", platform::Variant("Pumps"), 3);
  position = CategoryItem(2);
  EXPECT_TRUE(Program()->MoveBlock(fc2, position));
  EXPECT_EQ(HostProgram()->FindCategory(3)->Name(), "Pumps") << "the category it left";
  ExpectNoErrors();
}

TEST_F(ProgramEdit, DeletedBlocksLeaveProgramAndTreeAndDeletingItAllKeepsTheDefaultCategory) {
  std::vector<std::string> ids{"FB10", "FC2", "FB99"};
  EXPECT_TRUE(Program()->DeleteBlocks(ids)) << "an identifier without block is passed over";
  EXPECT_FALSE(HostBlock("FB10"));
  EXPECT_EQ(Tree(), "A[OB1] B[FC1 FC3] E[]") << "the deletion's notification removed the items";
  Program()->Delete();
  EXPECT_EQ(Tree(), "A[]");
  EXPECT_EQ(HostProgram()->BlockCount(), 0u);
  EXPECT_EQ(HostProgram()->Categories().size(), 1u);
  ExpectNoErrors();
}

TEST_F(ProgramEdit, CreateBlockPlacesTheDialogsBlockAtThePositionOnlyWhileItRuns) {
  host::NewBlockRequest fb12;
  fb12.type = BlockInfo::kFb;
  fb12.number = 12;
  env.NewBlocks().Push(fb12);
  env.NewBlocks().PushCancel();
  const auto block = Program()->CreateBlock(BlockItem("FC1"));
  ASSERT_TRUE(block);
  EXPECT_EQ(block->ObjectID(), "FB12");
  EXPECT_EQ(Tree(), "A[OB1 FB10] B[FC1 FB12 FC2 FC3] E[]");
  EXPECT_FALSE(Program()->CreateBlockPosition()) << "the position held only during the dialog";

  EXPECT_FALSE(Program()->CreateBlock(BlockItem("FC1"))) << "cancelled";
  EXPECT_FALSE(Program()->CreateBlockPosition());
  ExpectNoErrors();
}

}  // namespace
}  // namespace mztest
