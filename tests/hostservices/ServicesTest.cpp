// The block, category and symbol services and the program's documents through the interfaces
// the library gets them by: refusals leave the project as it was, successes announce themselves.
#include <gtest/gtest.h>

#include "OpenProjectTest.h"
#include "host/framework/ObjectArray.h"
#include "host/services/BlockService.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgCategory.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"
#include "mzblprsx/interfaces/IRgProgram.h"
#include "mzblprsx/interfaces/IRgSymbolService.h"

namespace hostsvc {
namespace {

namespace clsid = mzblprsx::clsid;
namespace errc = platform::errc;
using host::BlockInfo;
using mzblprsx::IRgSymbolTable;

Ref<platform::Object> Service(std::string_view classId, Ref<platform::Object> offline,
                              Ref<platform::Object> online = nullptr) {
  return platform::CreateObjectAs<mzblprsx::IRgServiceFactory>(clsid::kServiceFactory)
      ->GetService(std::string(classId), std::move(offline), std::move(online), "Offline");
}

class BlockServiceTest : public OpenProjectTest {
 protected:
  Ref<host::BlockService> service =
      Service(clsid::kBlockService, program).Cast<host::BlockService>();
  Ref<mzblprsx::IRgBlockInfo> info =
      platform::CreateObjectAs<mzblprsx::IRgBlockInfo>(clsid::kBlockInfo);
};

TEST_F(BlockServiceTest, StandsInForItsProgramCreatesAndRenumbersBlocks) {
  EXPECT_TRUE(info->HasBlock(service, BlockInfo::kFb, 10));
  EXPECT_EQ(service->CreateBlock(Request(BlockInfo::kFc, 0))->Name(), "FC2") << "lowest free";
  EXPECT_EQ(service->CreateBlock(Request(BlockInfo::kFb, 30, "Pump"))->Symbol(), "Pump");
  EXPECT_EQ(sink->Take(), "batch block 1:FC2 | batch block 1:FB30 | batch program 131072:FB30");
  EXPECT_EQ(ErrorOf([&] { service->CreateBlock(Request(BlockInfo::kFb, 10)); }),
            errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { service->CreateBlock(Request(BlockInfo::kOb, 300)); }),
            errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { service->CreateBlock(Request(BlockInfo::kFb, 31, "MOTOR")); }),
            errc::kDuplicateKey);
  EXPECT_FALSE(BlockNamed("FB31")) << "a refused symbol leaves no block behind";
  EXPECT_EQ(sink->Take(), "");

  const struct {
    const char* block;
    int32_t number;
    bool accepted;
    const char* why;
  } renumbers[] = {
      {"FB10", 11, false, "FB11 exists"},           {"FB11", 12, false, "FB11 is protected"},
      {"FB10", 0, false, "no block number"},        {"OB1", 256, false, "above the highest OB"},
      {"FB10", 10, true, "its own: nothing to do"},
  };
  for (const auto& c : renumbers) {
    EXPECT_EQ(service->Renumber(BlockNamed(c.block), c.number), c.accepted) << c.why;
    EXPECT_EQ(sink->Take(), "") << c.why << ": nothing changed";
  }
  EXPECT_FALSE(service->Renumber(plc->Program()->FindBlockById("OB1"), 2)) << "not its program";
  EXPECT_EQ(ErrorOf([&] { service->Renumber(nullptr, 2); }), errc::kObjectNotSet);
  ASSERT_TRUE(service->Renumber(BlockNamed("FB10"), 20));
  EXPECT_EQ(sink->Take(), "batch block 128:FB20 | batch program 131072:FB20");
  EXPECT_EQ(BlockNamed("FB20")->Symbol(), "Motor") << "the symbol went with the block";
}

TEST_F(BlockServiceTest, DeleteBlocksDeletesAllWithOneNotificationOrNone) {
  const auto array = [](std::vector<Ref<mzblprsx::IRgObject>> objects) {
    auto list = platform::MakeObject<host::ObjectArray>();
    for (auto& object : objects) list->Add(object);
    return list;
  };
  const auto foreign = plc->Program()->FindBlockById("OB1");
  EXPECT_EQ(ErrorOf([&] {
              service->DeleteBlocks(array({BlockNamed("OB1"), foreign}), 0);
            }),
            errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { service->DeleteBlocks(nullptr, 0); }), errc::kObjectNotSet);
  EXPECT_TRUE(BlockNamed("OB1")) << "a bad entry deletes nothing";

  service->DeleteBlocks(array({BlockNamed("FB10"), BlockNamed("DB10")}), 0);
  EXPECT_EQ(sink->Take(), "batch block 2:FB10,DB10");
  EXPECT_EQ(Members(*CategoryNamed("2")), "FB11") << "deleted blocks leave their category";
}

TEST_F(BlockServiceTest, BlockExistsAnswersForTheProgramOfTheServiceOnItsSide) {
  const auto online = Service(clsid::kBlockService, nullptr, plc->Program());
  const struct {
    bool offlineService;
    int32_t type;
    int32_t number;
    int32_t location;
    bool exists;
    const char* why;
  } cases[] = {
      {true, BlockInfo::kFb, 10, 1, true, "FB10 is in the project"},
      {true, BlockInfo::kFc, 1, 1, true, "a block listed by no category counts too"},
      {true, BlockInfo::kFb, 12, 1, false, "FB12 is nowhere"},
      {true, BlockInfo::kDb, 11, 1, false, "same number as FB11, other type"},
      {true, BlockInfo::kFb, 10, 2, false, "the offline program is not the PLC's"},
      {false, BlockInfo::kFb, 10, 2, true, "FB10 is in the PLC"},
      {false, BlockInfo::kFc, 1, 2, false, "FC1 is only offline"},
      {false, BlockInfo::kOb, 1, 1, false, "the PLC's program is not the offline one"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(info->BlockExists(c.offlineService ? Ref<platform::Object>(service) : online, c.type,
                                c.number, c.location),
              c.exists)
        << c.why;
  }

  service->CreateBlock(Request(BlockInfo::kFb, 12));
  EXPECT_TRUE(info->BlockExists(service, BlockInfo::kFb, 12, 1)) << "a created block exists";
  program->RemoveBlock(*BlockNamed("FB10"));
  EXPECT_FALSE(info->BlockExists(service, BlockInfo::kFb, 10, 1)) << "a deleted one does not";
  const auto unbound = platform::MakeObject<host::BlockService>(nullptr, nullptr, "Offline");
  EXPECT_FALSE(info->BlockExists(unbound, BlockInfo::kFb, 12, 1)) << "bound to no program";
  for (const int32_t location : {0, 3}) {
    EXPECT_EQ(ErrorOf([&] { info->BlockExists(service, BlockInfo::kFb, 12, location); }),
              errc::kInvalidCall)
        << "location " << location;
  }
  EXPECT_EQ(ErrorOf([&] { info->BlockExists(BlockNamed("FB11"), BlockInfo::kFb, 12, 1); }),
            errc::kTypeMismatch);
}

class CategoryServiceTest : public OpenProjectTest {
 protected:
  Ref<mzblprsx::IRgCategoryService> service =
      platform::CreateObjectAs<mzblprsx::IRgCategoryService>(clsid::kCategoryService);
  // "1:Blocks 2:Motors"
  std::string Categories() {
    std::string text;
    for (const auto& category : service->Categories(program)) {
      text += (text.empty() ? "" : " ") + category->ObjectID() + ":" + category->DisplayName();
    }
    return text;
  }
  // "Blocks: OB1, Motors: FB10 DB10 FB11"
  std::string CategoryNames(const host::Program& of) const {
    std::string text;
    for (const auto& category : of.Categories()) {
      text += (text.empty() ? "" : ", ") + category->Name() + ": " + Members(*category);
    }
    return text;
  }
};

TEST_F(CategoryServiceTest, TakesTheProgramAsProgramProjectOrBlockServiceFindsAndProposesNames) {
  const auto blocks = platform::MakeObject<host::BlockService>(program, nullptr, "Offline");
  for (const Ref<platform::Object>& given :
       {Ref<platform::Object>(program), Ref<platform::Object>(project),
        Ref<platform::Object>(blocks)}) {
    EXPECT_EQ(service->DefaultCategoryID(given), "1") << given->TypeName();
  }
  EXPECT_EQ(ErrorOf([&] { service->Categories(nullptr); }), errc::kObjectNotSet);
  EXPECT_EQ(ErrorOf([&] { service->Categories(plc->Program()); }), errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { service->Categories(BlockNamed("FB10")); }), errc::kTypeMismatch);

  EXPECT_TRUE(SameObject(service->FindCategory(program, "motors"), CategoryNamed("2")));
  EXPECT_TRUE(SameObject(service->FindCategory(project, "BLOCKS"), CategoryNamed("1")))
      << "the project stands for its program";
  for (const char* absent : {"Pumps", "", "Motors "}) {
    EXPECT_FALSE(service->FindCategory(program, absent)) << "'" << absent << "'";
    EXPECT_NE(service->CheckName(program, absent), 3) << "'" << absent << "' is no clash";
  }
  EXPECT_EQ(ErrorOf([&] { service->FindCategory(plc->Program(), "Motors"); }), errc::kInvalidCall);

  service->CreateCategory(program, "Motors (1)", 0);
  service->CreateCategory(program, "Valves (x)", 0);
  service->CreateCategory(program, "(1)", 0);
  const struct {
    const char* name;
    const char* proposal;
    const char* why;
  } cases[] = {
      {"Pumps", "Pumps", "a free name is its own proposal"},
      {"Motors", "Motors (2)", "Motors (1) is taken as well"},
      {"MOTORS (1)", "MOTORS (2)", "the index is rebuilt from the base, not appended"},
      {"Motors (9)", "Motors (9)", "a free indexed name stays"},
      {"Valves (x)", "Valves (x) (1)", "(x) is no index"},
      {"(1)", "(1) (1)", "a name that is only an index is its own base"},
      {"Blocks", "Blocks (1)", "the default category is a category like the others"},
      {"", "", "nothing to derive a name from"},
      {"  ", "", "a blank name is missing"},
  };
  for (const auto& c : cases) {
    const std::string proposal = service->ProposeCategoryName(program, c.name);
    EXPECT_EQ(proposal, c.proposal) << "'" << c.name << "': " << c.why;
    if (*c.proposal != '\0') {
      EXPECT_EQ(service->CheckName(program, proposal), 1) << proposal << " must be usable";
    }
  }
  EXPECT_EQ(ErrorOf([&] { service->ProposeCategoryName(nullptr, "Motors"); }), errc::kObjectNotSet);
}

TEST_F(CategoryServiceTest, NamesAreCheckedAndMadeUniqueWithoutRegardToCase) {
  service->CreateCategory(program, "Motors (2)", 0);
  EXPECT_EQ(Categories(), "1:Blocks 2:Motors 3:Motors (2)");
  EXPECT_EQ(sink->Take(), "batch program 256:PROGRAM");
  const std::pair<const char*, const char*> unique[] = {
      {"Pumps", "Pumps"}, {"MOTORS", "MOTORS (3)"}, {"Blocks", "Blocks (2)"}};
  for (const auto& [base, expected] : unique)
    EXPECT_EQ(service->UniqueName(program, base), expected);
  const std::pair<const char*, int32_t> checks[] = {{"New", 1}, {" \t", 2}, {"motors", 3}};
  for (const auto& [name, code] : checks)
    EXPECT_EQ(service->CheckName(program, name), code) << name;

  EXPECT_EQ(ErrorOf([&] { service->CreateCategory(program, "PUMPS (2)", 0); }), 0);
  EXPECT_EQ(ErrorOf([&] { service->CreateCategory(program, "pumps (2)", 0); }),
            errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { service->CreateCategory(program, "", 0); }), errc::kInvalidCall);
  const auto motors = CategoryNamed("2").Cast<mzblprsx::IRgCategory>();
  EXPECT_EQ(ErrorOf([&] { motors->Rename("blocks"); }), errc::kDuplicateKey);
  sink->Take();
  motors->Rename("MOTORS");
  EXPECT_EQ(motors->Name(), "MOTORS") << "its own name in another case is no clash";
  EXPECT_EQ(sink->Take(), "batch program 256:PROGRAM");
}

TEST_F(CategoryServiceTest, TheDefaultCategoryIsCreatedOnlyWhenMissing) {
  EXPECT_TRUE(SameObject(service->CreateDefaultCategory(program), CategoryNamed("1")));
  const auto blocks = CategoryNamed("1");
  blocks->Delete();
  EXPECT_FALSE(BlockNamed("OB1")->OwnerCategory()) << "its blocks stay, listed by none";
  EXPECT_NO_THROW(blocks->Delete()) << "the library deletes through the handler, then again";
  sink->Take();
  const auto again = service->CreateDefaultCategory(program);
  EXPECT_EQ(again->ObjectID() + ":" + again->DisplayName(), "1:Blocks") << "the default's id";
  EXPECT_EQ(sink->Take(), "batch program 256:PROGRAM");

  program->SetDefaultCategoryId(0);
  const auto fresh = service->CreateDefaultCategory(program);
  EXPECT_EQ(fresh->ObjectID() + ":" + fresh->DisplayName(), "3:Blocks (2)");
  EXPECT_EQ(service->DefaultCategoryID(program), "3");
}

TEST_F(CategoryServiceTest, DeleteCategoryHandsItsBlocksToTheDefaultCategory) {
  const auto motors = CategoryNamed("2");
  service->DeleteCategory(program, motors);
  EXPECT_EQ(sink->Take(), "batch program 256:PROGRAM") << "what the program handler listens to";
  EXPECT_EQ(CategoryNames(*program), "Blocks: OB1 FB10 DB10 FB11")
      << "the blocks are appended to the default category in their order";
  EXPECT_TRUE(BlockNamed("FB10")) << "the blocks stay in the program";
  EXPECT_NO_THROW(motors->Delete()) << "the library's second delete does nothing";

  const auto reloaded = host::ProjectFile::ParseProject(
      host::ProjectFile::SerializeProject(*project), "saved.prj.xml");
  EXPECT_EQ(CategoryNames(*reloaded->Program()), "Blocks: OB1 FB10 DB10 FB11")
      << "a saved and loaded project shows the blocks in the default category";
}

TEST_F(CategoryServiceTest, RefusedDeletionsChangeNothingAndNoProgramChecksNoName) {
  const auto reloaded = host::ProjectFile::ParseProject(ProjectXml(), "other.prj.xml");
  const std::string before = CategoryNames(*program);
  const struct {
    Ref<mzblprsx::IRgObject> category;
    int32_t error;
    const char* why;
  } cases[] = {
      {CategoryNamed("1"), errc::kInvalidCall, "the default category takes the blocks"},
      {reloaded->Program()->FindCategoryById("2"), errc::kInvalidCall, "another program's"},
      {BlockNamed("FB10"), errc::kInvalidCall, "a block is no category"},
      {nullptr, errc::kObjectNotSet, "nothing"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf([&] { service->DeleteCategory(program, c.category); }), c.error) << c.why;
  }
  program->SetDefaultCategoryId(7);
  sink->Take();
  EXPECT_EQ(ErrorOf([&] { service->DeleteCategory(program, CategoryNamed("2")); }),
            errc::kInvalidCall)
      << "no default category to take the blocks";
  EXPECT_EQ(CategoryNames(*program), before);
  EXPECT_EQ(sink->Take(), "");

  const auto empty = service->CreateCategory(program, "Empty", 0);
  service->DeleteCategory(program, empty);
  EXPECT_FALSE(service->FindCategory(program, "Empty"))
      << "a category without blocks needs no default category";

  const auto unbound = platform::MakeObject<host::BlockService>(nullptr, nullptr, "Offline");
  EXPECT_EQ(service->CheckName(nullptr, "Motors"), 0) << "no program given";
  EXPECT_EQ(service->CheckName(unbound, "Motors"), 0) << "a block service bound to none";
  program->Delete();
  EXPECT_EQ(service->CheckName(project, "Motors"), 0) << "a project without program";
  EXPECT_EQ(ErrorOf([&] { service->CheckName(plc->Program(), "Motors"); }), errc::kInvalidCall)
      << "the PLC's program is a wrong program, not a missing one";
}

// "Motor@FB10", or "-" when the index has no entry.
std::string EntryAt(IRgSymbolTable& table, int32_t index) {
  const auto entry = table.Entry(index);
  return entry ? entry->Symbol() + "@" + entry->Address() : "-";
}

using SymbolServiceTest = OpenProjectTest;

TEST_F(SymbolServiceTest, TheProjectTableAndTheStandardSymbolsAreLookedUpBothWays) {
  const auto service = Service(clsid::kSymbolService, project).Cast<mzblprsx::IRgSymbolService>();
  const auto table = service->SymbolTable();
  ASSERT_TRUE(table) << "the project has a symbol table";
  EXPECT_TRUE(SameObject(table, project->Symbols())) << "the project's own table, not a copy";
  ASSERT_EQ(table->Count(), 2);
  EXPECT_EQ(EntryAt(*table, table->FindEntry("fb10")), "Motor@FB10") << "address without case";
  EXPECT_EQ(EntryAt(*table, table->FindSymbol("CYCLE")), "Cycle@OB1") << "name without case";
  EXPECT_LT(table->FindEntry("FB11"), 0) << "an address without a symbol";
  EXPECT_LT(table->FindSymbol("Pump"), 0) << "a name no address has";
  for (const int32_t outside : {-1, 2}) EXPECT_FALSE(table->Entry(outside)) << outside;

  const auto before = table->Entry(table->FindEntry("FB10"));
  project->Symbols()->RemoveSymbol("FB10");
  EXPECT_EQ(EntryAt(*table, table->FindSymbol("Cycle")), "Cycle@OB1")
      << "positions after a removed entry are still right";
  EXPECT_LT(table->FindSymbol("Motor"), 0);
  EXPECT_EQ(before->Symbol(), "Motor") << "an entry handed out earlier is a copy";

  project->Symbols()->SetSymbol("FB10", "Conveyor");
  ASSERT_TRUE(BlockNamed("FB10"));
  program->RenumberBlock(*BlockNamed("FB10"), 20);
  EXPECT_EQ(EntryAt(*table, table->FindSymbol("conveyor")), "Conveyor@FB20")
      << "the symbol went with the renumbered block";
  EXPECT_LT(table->FindEntry("FB10"), 0);

  const auto standard = service->PredefinedSymbols(0);
  ASSERT_TRUE(standard);
  EXPECT_EQ(EntryAt(*standard, standard->FindEntry("SFC20")), "BLKMOV@SFC20");
  EXPECT_EQ(EntryAt(*standard, standard->FindEntry("sfb4")), "TON@SFB4");
  EXPECT_EQ(EntryAt(*standard, standard->FindEntry("OB1")), "CYCL_EXC@OB1");
  EXPECT_LT(standard->FindEntry("FB1"), 0) << "user blocks have no standard symbol";

  ASSERT_GT(standard->Count(), 20);
  for (int32_t i = 0; i < standard->Count(); ++i) {
    const auto entry = standard->Entry(i);
    const auto name = BlockInfo::ParseName(entry->Address());
    ASSERT_TRUE(name) << entry->Address() << " is a block name";
    EXPECT_TRUE(name->type == BlockInfo::kOb || name->type == BlockInfo::kSfb ||
                name->type == BlockInfo::kSfc)
        << entry->Address() << " is a system block or an organization block";
    EXPECT_TRUE(BlockInfo::ValidNumber(name->type, name->number))
        << entry->Address() << ": a number the dialog can ask for";
    EXPECT_EQ(standard->FindSymbol(entry->Symbol()), i) << entry->Symbol() << " is found both ways";
  }

  standard.Cast<host::SymbolTable>()->SetSymbol("SFC20", "Changed");
  const auto fresh = service->PredefinedSymbols(0);
  EXPECT_EQ(EntryAt(*fresh, fresh->FindEntry("SFC20")), "BLKMOV@SFC20")
      << "a caller's change does not reach the next caller";
  for (const int32_t kind : {-1, 1, 2}) EXPECT_FALSE(service->PredefinedSymbols(kind)) << kind;

  project->Symbols()->Delete();
  EXPECT_FALSE(service->SymbolTable()) << "the project has no symbol table any more";
  EXPECT_TRUE(service->PredefinedSymbols(0)) << "the standard symbols do not need the project";
}

using ProgramDocumentsTest = OpenProjectTest;

TEST_F(ProgramDocumentsTest, OnlyOfflineBlocksOfTheProgramAreDocuments) {
  const auto documents = Ref<platform::Object>(program).Cast<mzblprsx::IRgProgram>()->Documents();
  const std::string lowerKey = "{82dfe9f0-bc17-11d2-a007-0060081d6d99}";
  EXPECT_TRUE(SameObject(documents->Item(lowerKey, "fb10"), BlockNamed("FB10")))
      << "key and name compare without regard to case";
  const std::string block(clsid::kBlockOffline);
  const std::pair<std::string, const char*> absent[] = {
      {block, "FB99"},                                // no such block
      {block, "Motors"},                              // a category is no block document
      {block, ""},                                    // no name
      {std::string(clsid::kBlockOnline), "FB10"},     // not this program's class
      {std::string(clsid::kSymbolTable), "SYMBOLS"},  // not a program document
  };
  for (const auto& [key, name] : absent) EXPECT_FALSE(documents->Item(key, name)) << key << name;

  const auto plcDocuments = Ref<platform::Object>(plc->Program()).Cast<mzblprsx::IRgProgram>();
  EXPECT_FALSE(plcDocuments->Documents()->Item(block, "FB10"))
      << "the PLC's program holds online blocks only";
}

}  // namespace
}  // namespace hostsvc
