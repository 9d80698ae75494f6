// The offline tree as the factory builds it: the project's children in their fixed order, the
// program's categories in the stored order, and the blocks inside them.
#include "HandlerFixture.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "platform/Text.h"

namespace mztest {
namespace {

class TreeOrder : public HandlerFixture {};

// A framework object of whatever class identifier it is given.
class ObjectOfClass : public mzblprsx::IRgObject {
 public:
  explicit ObjectOfClass(std::string classId) : classId_(std::move(classId)) {}
  std::string_view TypeName() const override { return "ObjectOfClass"; }
  std::string ClassID() override { return classId_; }
  std::string ObjectID() override { return "1"; }
  std::string DisplayName() override { return "Odd"; }
  void Delete() override {}

 private:
  std::string classId_;
};

TEST_F(TreeOrder, AClassIdentifierInAnotherCaseGetsNoHandler) {
  OpenText(SampleText());
  env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  const auto lower = [](std::string_view id) {
    std::string out(id);
    for (char& c : out) c = platform::text::LowerAscii(c);
    return platform::MakeObject<ObjectOfClass>(out);
  };
  namespace clsid = mzblprsx::clsid;
  const ItemRef plc = snapIn->OnlineModel()->Items()->First();
  const std::pair<ItemRef, std::string_view> rows[] = {
      {ProjectItem(), clsid::kBlockOffline}, {plc, clsid::kVarTables}, {plc, clsid::kMemoryCard}};
  for (const auto& [parent, classId] : rows) {
    SCOPED_TRACE(std::string(classId));
    const ItemRef item = parent->Items()->AddNew(lower(classId), nullptr, nullptr);
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->HandlerObject()) << "the identifier must match exactly, case included";
    parent->Items()->Remove(item);
  }
}

TEST_F(TreeOrder, SampleShowsStoredOrderReadsBackAsSavedAndChildrenComeInFixedOrder) {
  OpenText(SampleText());
  const std::string tree = Tree();
  EXPECT_EQ(tree,
            "Motors[FB10 DB10 FB11 DB11] Blocks[OB1 OB100 FC1 DB100 UDT1 SFC46] "
            "Conveyor logic[FB20 DB20 FC2 OB35] Diagnostics[OB82 FC5]")
      << "order 2 1 3, then category 4; blocks no category lists end the default category";
  EXPECT_EQ(StoredOrder(), "2, 1, 3, 4") << "the category the order did not name is stored";
  EXPECT_EQ(project->FileObject()->SaveCount(), 1) << "the changed structure saves the project";
  EXPECT_FALSE(project->IsModified());
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());

  const std::string saved = project->FileObject()->SavedText();
  ASSERT_FALSE(saved.empty());
  OpenText(saved);
  EXPECT_EQ(Tree(), tree) << "member lists and stored order follow the tree";
  EXPECT_EQ(project->FileObject()->SaveCount(), 0) << "a tree that reads as stored saves nothing";

  OpenText(
      "<project name=\"Plant\" guid=\"{11111111-2222-3333-4444-555555555555}\">"
      "<program name=\"Program\"/><documentation name=\"Docs\"/>"
      "<hardware name=\"Station\" size=\"64\"/></project>");
  EXPECT_EQ(Text(ProjectItem(), "DISPLAY_TITLE"), "Plant");
  EXPECT_EQ(Names(ProjectItem()), "Station Docs Program")
      << "symbol table, variable tables and references are missing; the rest keep their order";
}

const std::string kThreeBlocks = BlockXml("OB", 1) + BlockXml("FB", 10) + BlockXml("FC", 1);

TEST_F(TreeOrder, BuildsTheTreeAndStoresTheOrderWhenItChanged) {
  // Enough blocks that their identifiers share places in the fill's index: A lists the even ones
  // from the top down, B the odd ones, the program holds them in number order.
  std::string even, odd, many;
  for (int n = 60; n >= 1; --n) (n % 2 ? odd : even) += "FB" + std::to_string(n) + " ";
  for (int n = 1; n <= 60; ++n) many += BlockXml("FB", n);
  even.pop_back();
  odd.pop_back();
  const struct {
    const char* what;
    std::string attributes, content, tree, storedOrder;  // the order after the build
    int32_t saves;
  } rows[] = {
      {"all named", "default-category=\"1\" category-order=\"2 1\"",
       CategoryXml(1, "A", "OB1 FC1") + CategoryXml(2, "B", "FB10") + kThreeBlocks,
       "B[FB10] A[OB1 FC1]", "2, 1", 0},
      {"gone category skipped", "default-category=\"1\" category-order=\"7 2 1\"",
       CategoryXml(1, "A", "OB1 FC1") + CategoryXml(2, "B", "FB10") + kThreeBlocks,
       "B[FB10] A[OB1 FC1]", "7, 2, 1", 0},
      {"unnamed appended in program order", "default-category=\"1\" category-order=\"3\"",
       CategoryXml(1, "A", "OB1") + CategoryXml(2, "B", "FB10") + CategoryXml(3, "C", "FC1") +
           kThreeBlocks,
       "C[FC1] A[OB1] B[FB10]", "3, 1, 2", 1},
      {"no stored order", "default-category=\"2\"",
       CategoryXml(2, "B", "FB10") + CategoryXml(1, "A", "OB1 FC1") + kThreeBlocks,
       "B[FB10] A[OB1 FC1]", "2, 1", 1},
      {"members in the category's own order", "default-category=\"1\" category-order=\"1\"",
       CategoryXml(1, "A", "FC1 OB1 FB10") + kThreeBlocks, "A[FC1 OB1 FB10]", "1", 0},
      {"uncategorised end the default in program order",
       "default-category=\"2\" category-order=\"1 2\"",
       CategoryXml(1, "A", "FB10") + CategoryXml(2, "Default", "") + kThreeBlocks,
       "A[FB10] Default[OB1 FC1]", "1, 2", 1},
      {"many blocks in their categories' order", "default-category=\"1\" category-order=\"1 2\"",
       CategoryXml(1, "A", even) + CategoryXml(2, "B", odd) + many,
       "A[" + even + "] B[" + odd + "]", "1, 2", 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    OpenText(ProgramProject(row.attributes, row.content));
    EXPECT_EQ(Tree(), row.tree);
    EXPECT_EQ(StoredOrder(), row.storedOrder);
    EXPECT_EQ(project->FileObject()->SaveCount(), row.saves);
  }
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(TreeOrder, AMissingDefaultCategoryIsCreatedFirstAndTheLastChildTypedDefaultIsIt) {
  for (const auto& [attributes, id] : {std::pair{"default-category=\"5\" category-order=\"1\"", 5},
                                       std::pair{"category-order=\"1\"", 2}}) {
    SCOPED_TRACE(attributes);
    OpenText(ProgramProject(attributes, CategoryXml(1, "A", "FB10") + kThreeBlocks));
    const ItemRef first = ProgramItem()->Items()->First();
    EXPECT_EQ(Text(first, "TYPE"), "RgCategoryDefault");
    EXPECT_EQ(Text(first, "RgObjectID"), std::to_string(id));
    EXPECT_EQ(Names(first), "OB1 FC1") << "the blocks no category names are shown";
    EXPECT_EQ(HostProgram()->DefaultCategoryId(), id) << "the framework's default, created";
    EXPECT_EQ(StoredOrder(), std::to_string(id) + ", 1") << "the created category is stored first";
    EXPECT_NE(project->FileObject()->SavedText().find("default-category=\"" + std::to_string(id)),
              std::string::npos)
        << "the save writes the new default";
    EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
  }

  // The last child typed default is the default category.
  OpenText(
      ProgramProject("default-category=\"1\" category-order=\"1 2\"",
                     CategoryXml(1, "A", "OB1") + CategoryXml(2, "B", "FB10 FC1") + kThreeBlocks));
  EXPECT_TRUE(platform::SameObject(Program()->GetDefaultCategory(), CategoryItem(1)));
  CategoryItem(2)->Data()->SetValue("TYPE", platform::Variant("RgCategoryDefault"), 3);
  EXPECT_TRUE(platform::SameObject(Program()->GetDefaultCategory(), CategoryItem(2)));
}

}  // namespace
}  // namespace mztest
