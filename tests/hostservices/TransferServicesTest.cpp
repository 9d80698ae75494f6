// The host services that the transfer checks and the overwrite dialogs ask: symbol look-ups,
// whether a block exists, category names and deletion, and the open state of block documents,
// each through the interface the library holds.
#include <gtest/gtest.h>

#include "OpenProjectTest.h"
#include "host/services/BlockService.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
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
      ->GetService(std::string(classId), std::move(offline), std::move(online), "");
}

// "Motor@FB10", or "-" when the index has no entry.
std::string EntryAt(IRgSymbolTable& table, int32_t index) {
  const auto entry = table.Entry(index);
  return entry ? entry->Symbol() + "@" + entry->Address() : "-";
}

// --- Symbols

class SymbolServiceTest : public OpenProjectTest {
 protected:
  Ref<mzblprsx::IRgSymbolService> service =
      Service(clsid::kSymbolService, project).Cast<mzblprsx::IRgSymbolService>();
};

TEST_F(SymbolServiceTest, TheProjectTableIsLookedUpByAddressAndBySymbol) {
  const auto table = service->SymbolTable();
  ASSERT_TRUE(table) << "the project has a symbol table";
  EXPECT_TRUE(SameObject(table, project->Symbols())) << "the project's own table, not a copy";
  ASSERT_EQ(table->Count(), 2);
  EXPECT_EQ(EntryAt(*table, table->FindEntry("fb10")), "Motor@FB10") << "address without case";
  EXPECT_EQ(EntryAt(*table, table->FindSymbol("CYCLE")), "Cycle@OB1") << "name without case";
  EXPECT_LT(table->FindEntry("FB11"), 0) << "an address without a symbol";
  EXPECT_LT(table->FindSymbol("Pump"), 0) << "a name no address has";
  for (const int32_t outside : {-1, 2}) EXPECT_FALSE(table->Entry(outside)) << outside;
}

TEST_F(SymbolServiceTest, LookUpsFollowChangesOfTheTable) {
  const auto table = service->SymbolTable();
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
}

TEST_F(SymbolServiceTest, PredefinedSymbolsNameTheSystemBlocks) {
  const auto table = service->PredefinedSymbols(0);
  ASSERT_TRUE(table);
  EXPECT_EQ(EntryAt(*table, table->FindEntry("SFC20")), "BLKMOV@SFC20");
  EXPECT_EQ(EntryAt(*table, table->FindEntry("sfb4")), "TON@SFB4");
  EXPECT_EQ(EntryAt(*table, table->FindEntry("OB1")), "CYCL_EXC@OB1");
  EXPECT_LT(table->FindEntry("FB1"), 0) << "user blocks have no standard symbol";

  ASSERT_GT(table->Count(), 20);
  for (int32_t i = 0; i < table->Count(); ++i) {
    const auto entry = table->Entry(i);
    const auto name = BlockInfo::ParseName(entry->Address());
    ASSERT_TRUE(name) << entry->Address() << " is a block name";
    EXPECT_TRUE(name->type == BlockInfo::kOb || name->type == BlockInfo::kSfb ||
                name->type == BlockInfo::kSfc)
        << entry->Address() << " is a system block or an organization block";
    EXPECT_TRUE(BlockInfo::ValidNumber(name->type, name->number))
        << entry->Address() << ": a number the dialog can ask for";
    EXPECT_EQ(table->FindSymbol(entry->Symbol()), i) << entry->Symbol() << " is found both ways";
  }

  table.Cast<host::SymbolTable>()->SetSymbol("SFC20", "Changed");
  const auto fresh = service->PredefinedSymbols(0);
  EXPECT_EQ(EntryAt(*fresh, fresh->FindEntry("SFC20")), "BLKMOV@SFC20")
      << "a caller's change does not reach the next caller";
  for (const int32_t kind : {-1, 1, 2}) EXPECT_FALSE(service->PredefinedSymbols(kind)) << kind;

  project->Symbols()->Delete();
  EXPECT_FALSE(service->SymbolTable()) << "the project has no symbol table any more";
  EXPECT_TRUE(service->PredefinedSymbols(0)) << "the standard symbols do not need the project";
}

// --- Block existence

class BlockExistsTest : public OpenProjectTest {
 protected:
  Ref<mzblprsx::IRgBlockInfo> info =
      platform::CreateObjectAs<mzblprsx::IRgBlockInfo>(clsid::kBlockInfo);
  Ref<platform::Object> offline = Service(clsid::kBlockService, program);
  Ref<platform::Object> online = Service(clsid::kBlockService, nullptr, plc->Program());
};

TEST_F(BlockExistsTest, AnswersForTheProgramOfTheBlockServiceOnItsSide) {
  struct Case {
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
  for (const Case& c : cases) {
    EXPECT_EQ(info->BlockExists(c.offlineService ? offline : online, c.type, c.number, c.location),
              c.exists)
        << c.why;
  }
}

TEST_F(BlockExistsTest, FollowsTheProgramAndRefusesWhatIsNoBlockService) {
  ASSERT_FALSE(info->BlockExists(offline, BlockInfo::kFb, 12, 1));
  offline.Cast<host::BlockService>()->CreateBlock(Request(BlockInfo::kFb, 12));
  EXPECT_TRUE(info->BlockExists(offline, BlockInfo::kFb, 12, 1)) << "a created block exists";
  program->RemoveBlock(*BlockNamed("FB10"));
  EXPECT_FALSE(info->BlockExists(offline, BlockInfo::kFb, 10, 1)) << "a deleted one does not";

  const auto unbound = platform::MakeObject<host::BlockService>(nullptr, nullptr, "Offline");
  EXPECT_FALSE(info->BlockExists(unbound, BlockInfo::kFb, 12, 1)) << "bound to no program";
  for (const int32_t location : {0, 3}) {
    EXPECT_EQ(ErrorOf([&] { info->BlockExists(offline, BlockInfo::kFb, 12, location); }),
              errc::kInvalidCall)
        << "location " << location;
  }
  EXPECT_EQ(ErrorOf([&] { info->BlockExists(BlockNamed("FB11"), BlockInfo::kFb, 12, 1); }),
            errc::kTypeMismatch);
}

// --- Categories

class CategoryTransferTest : public OpenProjectTest {
 protected:
  Ref<mzblprsx::IRgCategoryService> service =
      platform::CreateObjectAs<mzblprsx::IRgCategoryService>(clsid::kCategoryService);
  std::string CategoryNames(const host::Program& of) const {
    std::string text;
    for (const auto& category : of.Categories()) {
      text += (text.empty() ? "" : ", ") + category->Name() + ": " + Members(*category);
    }
    return text;
  }
};

TEST_F(CategoryTransferTest, ProposalsAreFreeNamesCountedFromTheBase) {
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

TEST_F(CategoryTransferTest, FindCategoryComparesAsCheckNameDoes) {
  EXPECT_TRUE(SameObject(service->FindCategory(program, "motors"), CategoryNamed("2")));
  EXPECT_TRUE(SameObject(service->FindCategory(project, "BLOCKS"), CategoryNamed("1")))
      << "the project stands for its program";
  for (const char* absent : {"Pumps", "", "Motors "}) {
    EXPECT_FALSE(service->FindCategory(program, absent)) << "'" << absent << "'";
    EXPECT_NE(service->CheckName(program, absent), 3) << "'" << absent << "' is no clash";
  }
  EXPECT_EQ(ErrorOf([&] { service->FindCategory(plc->Program(), "Motors"); }), errc::kInvalidCall);
}

TEST_F(CategoryTransferTest, CheckNameAnswersZeroWithoutAProgram) {
  const auto unbound = platform::MakeObject<host::BlockService>(nullptr, nullptr, "Offline");
  EXPECT_EQ(service->CheckName(nullptr, "Motors"), 0) << "no program given";
  EXPECT_EQ(service->CheckName(unbound, "Motors"), 0) << "a block service bound to none";
  program->Delete();
  EXPECT_EQ(service->CheckName(project, "Motors"), 0) << "a project without program";
  EXPECT_EQ(ErrorOf([&] { service->CheckName(plc->Program(), "Motors"); }), errc::kInvalidCall)
      << "the PLC's program is a wrong program, not a missing one";
}

TEST_F(CategoryTransferTest, DeleteCategoryHandsItsBlocksToTheDefaultCategory) {
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

TEST_F(CategoryTransferTest, RefusedDeletionsChangeNothing) {
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
}

// --- Program documents

class ProgramDocumentsTest : public OpenProjectTest {
 protected:
  Ref<mzblprsx::IRgProgramDocuments> documents =
      Ref<platform::Object>(program).Cast<mzblprsx::IRgProgram>()->Documents();
};

TEST_F(ProgramDocumentsTest, OnlyOfflineBlocksOfTheProgramAreDocuments) {
  const std::string lowerKey = "{82dfe9f0-bc17-11d2-a007-0060081d6d99}";
  EXPECT_TRUE(SameObject(documents->Item(lowerKey, "fb10"), BlockNamed("FB10")))
      << "key and name compare without regard to case";
  const struct {
    std::string key;
    const char* name;
    const char* why;
  } absent[] = {
      {std::string(clsid::kBlockOffline), "FB99", "no such block"},
      {std::string(clsid::kBlockOffline), "Motors", "a category is no block document"},
      {std::string(clsid::kBlockOffline), "", "no name"},
      {std::string(clsid::kBlockOnline), "FB10", "the online class is not this program's"},
      {std::string(clsid::kSymbolTable), "SYMBOLS", "other objects are not program documents"},
  };
  for (const auto& c : absent) EXPECT_FALSE(documents->Item(c.key, c.name)) << c.why;

  const auto plcDocuments = Ref<platform::Object>(plc->Program()).Cast<mzblprsx::IRgProgram>();
  EXPECT_FALSE(plcDocuments->Documents()->Item(std::string(clsid::kBlockOffline), "FB10"))
      << "the PLC's program holds online blocks only";
}

}  // namespace
}  // namespace hostsvc
