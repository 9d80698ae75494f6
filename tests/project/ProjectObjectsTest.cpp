// The framework project objects through their public operations: containers, lookups, numbering,
// membership, deletion, the modified flag, the stored category order, symbols and the memory card.
#include <gtest/gtest.h>

#include "mzblprsx/interfaces/IRgDocument.h"
#include "platform/Text.h"
#include "support/HostTestSupport.h"

namespace host {
namespace {

namespace clsid = mzblprsx::clsid;
using mztest::ErrorOf;
using platform::MakeObject;
using platform::Ref;

class SampleObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project_ = ProjectFile::ParseProject(EmbeddedProjectXml(), "conveyor.prj.xml");
    program_ = project_->Program();
  }
  Ref<Block> BlockNamed(const char* name) const { return program_->FindBlockById(name); }
  Ref<OfflineProject> project_;
  Ref<Program> program_;
};

TEST_F(SampleObjectsTest, LookUpsFindAndAddingRefusesWhatTheProgramCannotTake) {
  auto objects = project_->Objects();
  auto program = objects->ItemByClass(std::string(clsid::kProgramOffline));
  EXPECT_TRUE(SameObject(program, program_));

  const std::string lower = platform::text::FoldCase(clsid::kProgramOffline);
  std::string why;
  EXPECT_NE(ErrorOf([&] { objects->ItemByClass(lower); }, &why), 0)
      << "identifiers compare as exact texts";
  EXPECT_EQ(why, "'Conveyor' has no object of class " + lower);
  EXPECT_TRUE(SameObject(objects->FindByClass(std::string(clsid::kProgramOffline)), program_));
  EXPECT_FALSE(objects->FindByClass(lower)) << "the look-up that answers 'none' raises nothing";

  EXPECT_EQ(ErrorOf([&] { objects->Item(0); }), platform::errc::kSubscript);
  EXPECT_EQ(ErrorOf([&] { objects->Item(7); }), platform::errc::kSubscript);

  EXPECT_TRUE(SameObject(BlockNamed("fb10"), program_->FindBlock(BlockInfo::kFb, 10)));
  EXPECT_FALSE(BlockNamed("FB010")) << "only the canonical name is a block name";
  EXPECT_FALSE(BlockNamed("Motor"));
  EXPECT_FALSE(program_->FindBlock(BlockInfo::kFb, 99));

  EXPECT_EQ(ErrorOf([&] { program_->AddBlock(MakeObject<Block>(false, BlockInfo::kFb, 10)); }),
            platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { program_->AddBlock(MakeObject<Block>(true, BlockInfo::kFb, 99)); }),
            platform::errc::kInvalidCall);
  auto other = MakeObject<Program>(false, "Other");
  EXPECT_EQ(ErrorOf([&] { other->AddBlock(BlockNamed("FB10")); }), platform::errc::kInvalidCall)
      << "a block is in one program at a time";
  EXPECT_EQ(ErrorOf([&] { MakeObject<Block>(false, BlockInfo::kOb, 256); }),
            platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { MakeObject<Block>(false, 2, 1); }), platform::errc::kInvalidCall);

  EXPECT_EQ(program_->NextCategoryId(), 5);
  EXPECT_EQ(ErrorOf([&] { program_->AddCategory(MakeObject<Category>(2, "Again")); }),
            platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { MakeObject<Category>(0, "Zero"); }), platform::errc::kInvalidCall);
  auto online = MakeObject<Program>(true, "Program");
  EXPECT_EQ(ErrorOf([&] { online->AddCategory(MakeObject<Category>(1, "C")); }),
            platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { online->SetCategoryOrder({"1"}); }), platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { online->SetDefaultCategoryId(1); }), platform::errc::kInvalidCall);

  auto document = BlockNamed("FB10").As<mzblprsx::IRgDocument>();
  ASSERT_TRUE(document) << "blocks open in editors";
  EXPECT_FALSE(document->IsOpen());
  BlockNamed("FB10")->SetOpen(true);
  BlockNamed("FB10")->SetModified(true);
  EXPECT_TRUE(document->IsOpen());
  EXPECT_TRUE(document->IsModified());
  EXPECT_FALSE(project_->IsModified()) << "an editor's unsaved edits are not project data yet";
  EXPECT_FALSE(program_->FindCategory(1).As<mzblprsx::IRgDocument>())
      << "categories do not open in editors";
}

TEST(ProjectContainerTest, ChildrenTakeTheirFixedPlaceAndAFailingLookUpIsNone) {
  auto project = MakeObject<OfflineProject>("{G}", "P");
  project->AddObject(MakeObject<Program>(false, "Program"));
  project->AddObject(MakeObject<HardwareConfig>(false, "Station"));
  project->AddObject(MakeObject<SymbolTable>("Symbols"));
  auto objects = project->Objects();
  ASSERT_EQ(objects->Count(), 3);
  EXPECT_EQ(objects->Item(1)->ClassID(), clsid::kHwConfigOffline);
  EXPECT_EQ(objects->Item(2)->ClassID(), clsid::kSymbolTable);
  EXPECT_EQ(objects->Item(3)->ClassID(), clsid::kProgramOffline);

  EXPECT_EQ(ErrorOf([&] { project->AddObject(MakeObject<Program>(false, "Second")); }),
            platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { project->AddObject(MakeObject<Program>(true, "Online")); }),
            platform::errc::kInvalidCall)
      << "an offline project holds no PLC program";
  auto plc = MakeObject<PlcProject>("{H}", "PLC");
  EXPECT_EQ(ErrorOf([&] { plc->AddObject(MakeObject<SymbolTable>("S")); }),
            platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { project->Delete(); }), platform::errc::kInvalidCall)
      << "a project is closed, not deleted";

  struct RaisingList : mzblprsx::IRgObjectList {
    std::string_view TypeName() const override { return "RaisingList"; }
    int32_t Count() override { return 0; }
    Ref<mzblprsx::IRgObject> Item(int32_t) override { return {}; }
    Ref<mzblprsx::IRgObject> ItemByClass(const std::string& classId) override {
      throw platform::Error(platform::errc::kInvalidCall, "no " + classId);
    }
  };
  EXPECT_FALSE(MakeObject<RaisingList>()->FindByClass("{X}"));
}

TEST_F(SampleObjectsTest, RenumberingAndMovingKeepTheBlocksPlaceInTheProgram) {
  auto fc2 = BlockNamed("FC2");
  auto category = fc2->OwnerCategory();
  const auto position = category->IndexOfMember(*fc2);
  program_->RenumberBlock(*fc2, 12);
  EXPECT_EQ(fc2->ObjectID(), "FC12");
  EXPECT_TRUE(SameObject(BlockNamed("FC12"), fc2));
  EXPECT_FALSE(BlockNamed("FC2")) << "the old number is free again";
  EXPECT_EQ(category->IndexOfMember(*fc2), position);
  EXPECT_EQ(program_->Blocks()[8]->Name(), "FC12") << "the block keeps its place in the program";

  EXPECT_EQ(ErrorOf([&] { program_->RenumberBlock(*fc2, 1); }), platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { program_->RenumberBlock(*fc2, 0); }), platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { fc2->SetName("FC99"); }), platform::errc::kInvalidCall)
      << "renaming a block is renumbering it";
  EXPECT_EQ(fc2->Number(), 12) << "failed renumbering changed nothing";

  auto diagnostics = program_->FindCategory(4);
  auto fb10 = BlockNamed("FB10");
  diagnostics->InsertMember(fb10, 0);
  EXPECT_TRUE(SameObject(fb10->OwnerCategory(), diagnostics));
  EXPECT_EQ(program_->FindCategory(2)->IndexOfMember(*fb10), -1);
  EXPECT_EQ(diagnostics->IndexOfMember(*fb10), 0);

  diagnostics->InsertMember(fb10);  // within the same category: moved to the end
  EXPECT_EQ(diagnostics->IndexOfMember(*fb10), 2);
  EXPECT_EQ(diagnostics->Members().size(), 3u);

  auto stranger = MakeObject<Block>(false, BlockInfo::kFb, 999);
  EXPECT_EQ(ErrorOf([&] { diagnostics->InsertMember(stranger); }), platform::errc::kInvalidCall)
      << "a category lists only blocks of its own program";
}

TEST_F(SampleObjectsTest, DeletedBlocksAndCategoriesLeaveProgramAndCategoriesAndAreFreed) {
  std::weak_ptr<Block> watch;
  {
    auto fb10 = BlockNamed("FB10");
    watch = fb10.Shared();
    auto motors = fb10->OwnerCategory();
    fb10->Delete();
    EXPECT_FALSE(BlockNamed("FB10"));
    EXPECT_EQ(motors->IndexOfMember(*fb10), -1);
    EXPECT_FALSE(fb10->OwnerProgram());
    EXPECT_FALSE(fb10->OwnerCategory());
    EXPECT_EQ(ErrorOf([&] { fb10->Delete(); }), platform::errc::kInvalidCall)
        << "a removed block is in no container to delete it from";
  }
  EXPECT_TRUE(watch.expired()) << "nothing in the project keeps a deleted block alive";
  EXPECT_EQ(program_->BlockCount(), 15u);

  SetUp();  // the sample again
  const size_t removed =
      program_->RemoveBlocks({BlockNamed("FB10"), BlockNamed("FB11"), BlockNamed("FB10"), nullptr,
                              MakeObject<Block>(false, BlockInfo::kFb, 500)});
  EXPECT_EQ(removed, 2u) << "duplicates, nothing and foreign blocks are skipped";
  std::vector<std::string> members;
  for (const auto& block : program_->FindCategory(2)->Members()) members.push_back(block->Name());
  EXPECT_EQ(members, (std::vector<std::string>{"DB10", "DB11"}));
  EXPECT_EQ(program_->BlockCount(), 14u);

  SetUp();
  std::weak_ptr<Category> category;
  {
    auto motors = program_->FindCategory(2);
    category = motors.Shared();
    motors->Delete();
  }
  EXPECT_TRUE(category.expired());
  EXPECT_FALSE(program_->FindCategoryById("2"));
  ASSERT_TRUE(BlockNamed("FB10"));
  EXPECT_FALSE(BlockNamed("FB10")->OwnerCategory());
  EXPECT_EQ(program_->CategoryOrder(), (std::vector<std::string>{"2", "1", "3"}))
      << "the stored order is the library's data; a stale entry is skipped when read";
}

TEST_F(SampleObjectsTest, EveryChangeMarksTheProjectModifiedButUnchangedValuesDoNot) {
  const std::vector<std::pair<const char*, std::function<void()>>> changes{
      {"block header", [&] { BlockNamed("FB10")->SetHeader("New"); }},
      {"block body", [&] { BlockNamed("FB10")->SetBody("x"); }},
      {"category name", [&] { program_->FindCategory(2)->SetName("Drives"); }},
      {"category member", [&] { program_->FindCategory(2)->RemoveMember(*BlockNamed("FB10")); }},
      {"category order", [&] { program_->SetCategoryOrder({"1"}); }},
      {"default category", [&] { program_->SetDefaultCategoryId(4); }},
      {"symbol", [&] { project_->Symbols()->SetSymbol("FC2", "Interlock"); }},
      {"hardware", [&] { project_->Hardware()->SetState(1); }},
      {"project name", [&] { project_->SetName("Renamed"); }},
  };
  for (const auto& [what, change] : changes) {
    project_->SetModified(false);
    change();
    EXPECT_TRUE(project_->IsModified()) << what;
  }
  project_->SetModified(false);
  BlockNamed("FB10")->SetSize(BlockNamed("FB10")->Size());
  program_->SetCategoryOrder(program_->CategoryOrder());
  project_->Symbols()->SetSymbol("FB10", "Motor", project_->Symbols()->Symbols()[1].extras);
  EXPECT_FALSE(project_->IsModified()) << "setting a value it already has is no change";
}

std::vector<uint8_t> Utf16(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (char c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(0);
  }
  return bytes;
}

TEST(CategoryOrderTest, CategoryOrderIsReadAndWrittenAsUtf16RecordsAndValidated) {
  const auto bytes = Program::EncodeCategoryOrder({"2", "10"});
  const std::vector<uint8_t> expected{'C', 0,    '\t', 0,   '2', 0,   0, 0, 'C',
                                      0,   '\t', 0,    '1', 0,   '0', 0, 0, 0};
  EXPECT_EQ(bytes, expected);
  EXPECT_TRUE(Program::EncodeCategoryOrder({}).empty());
  EXPECT_EQ(Program::DecodeCategoryOrder(bytes), (std::vector<std::string>{"2", "10"}));

  struct Row {
    const char* name;
    std::string text;
    std::vector<std::string> ids;
  };
  const std::vector<Row> rows{
      {"lower-case c", std::string("c\t4\0", 4), {"4"}},
      {"other record kinds are skipped", std::string("B\t9\0C\t3\0", 8), {"3"}},
      {"a record without tab is skipped", std::string("C3\0C\t5\0", 7), {"5"}},
      {"empty records are skipped", std::string("\0\0C\t6\0", 6), {"6"}},
      {"fields after the second are ignored", std::string("C\t7\tx\0", 6), {"7"}},
      {"the last record needs no NUL", "C\t8", {"8"}},
      {"an empty identifier is taken as it is", std::string("C\t\0", 3), {""}},
      {"a longer first field is not C", std::string("CC\t1\0", 5), {}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Program::DecodeCategoryOrder(Utf16(row.text)), row.ids) << row.name;
  }
  EXPECT_TRUE(Program::DecodeCategoryOrder({}).empty());
  const std::vector<uint8_t> odd{'C', 0, '\t', 0, '2', 0, 0, 0, 'C'};
  EXPECT_EQ(Program::DecodeCategoryOrder(odd), std::vector<std::string>{"2"})
      << "an odd trailing byte is dropped";

  auto program = MakeObject<Program>(false, "P");
  program->SetCategoryOrderBytes(Utf16(std::string("C\t2\0C\t\0C\t1\0", 11)));
  EXPECT_EQ(program->CategoryOrder(), (std::vector<std::string>{"2", "1"}))
      << "empty identifiers name no category and are dropped";
  EXPECT_EQ(program->CategoryOrderBytes(), Program::EncodeCategoryOrder({"2", "1"}));

  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"1", "1"}, {"x"}, {"0"}, {"01"}, {"-1"}, {""}, {"2147483648"}}) {
    EXPECT_EQ(ErrorOf([&] { program->SetCategoryOrder(bad); }), platform::errc::kInvalidCall)
        << bad.front();
    EXPECT_EQ(program->CategoryOrder(), (std::vector<std::string>{"2", "1"}));
  }
  EXPECT_EQ(ErrorOf([&] { program->SetCategoryOrderBytes(Utf16(std::string("C\t3 \0", 5))); }),
            platform::errc::kInvalidCall);
  program->SetCategoryOrder({"2147483647"});
  EXPECT_EQ(program->CategoryOrder().front(), "2147483647");
}

TEST(SymbolTableTest, LooksUpBothWaysWithoutRegardToCaseAndKeepsNamesUnique) {
  auto table = MakeObject<SymbolTable>("Symbols");
  table->SetSymbol("FB10", "Motor");
  table->SetSymbol("I 0.0", "Stop");
  EXPECT_EQ(table->NameOf("fb10"), "Motor");
  EXPECT_EQ(table->AddressOf("STOP"), "I 0.0");
  EXPECT_EQ(table->NameOf("FB11"), "");
  EXPECT_EQ(table->AddressOf("Pump"), "");

  table->SetSymbol("fb10", "Drive");  // renames, keeps the stored address and place
  EXPECT_EQ(table->Symbols().front().address, "FB10");
  EXPECT_EQ(table->Symbols().front().name, "Drive");
  EXPECT_EQ(table->AddressOf("Motor"), "") << "the old name is free";

  EXPECT_EQ(ErrorOf([&] { table->SetSymbol("FB11", "drive"); }), platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { table->SetSymbol("FB11", ""); }), platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { table->SetSymbol("", "X"); }), platform::errc::kInvalidCall);

  EXPECT_TRUE(table->RemoveSymbol("FB10"));
  EXPECT_FALSE(table->RemoveSymbol("FB10"));
  EXPECT_EQ(table->AddressOf("Stop"), "I 0.0") << "lookups stay right after a removal";
  EXPECT_EQ(table->AddressOf("Drive"), "");
}

TEST(MemoryCardTest, FileNamesStayUniqueOnTheCardWithoutRegardToCase) {
  auto card = MakeObject<MemoryCard>("MMC");
  auto a = MakeObject<MMCFile>("A.bin");
  auto b = MakeObject<MMCFile>("B.bin");
  card->AddFile(a);
  card->AddFile(b);
  EXPECT_EQ(ErrorOf([&] { card->AddFile(MakeObject<MMCFile>("a.BIN")); }),
            platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { b->SetName("A.BIN"); }), platform::errc::kDuplicateKey);
  EXPECT_EQ(b->Name(), "B.bin");
  b->SetName("C.bin");
  EXPECT_EQ(b->ObjectID(), "C.bin") << "a file is identified by its name";
  EXPECT_TRUE(SameObject(card->FindFile("c.BIN"), b));
  EXPECT_FALSE(card->FindFile("B.bin"));
  EXPECT_EQ(ErrorOf([&] { MakeObject<MMCFile>(""); }), platform::errc::kInvalidCall);

  std::weak_ptr<MMCFile> watch = a.Shared();
  a->Delete();
  a.Reset();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(card->Files().size(), 1u);
}

}  // namespace
}  // namespace host
