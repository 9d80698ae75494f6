// The block and category services through the interfaces the library gets them by: refusals
// leave the project as it was, successes announce themselves once.
#include <gtest/gtest.h>

#include "OpenProjectTest.h"
#include "host/framework/ObjectArray.h"
#include "host/services/BlockService.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgCategory.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"

namespace hostsvc {
namespace {

namespace clsid = mzblprsx::clsid;
using host::BlockInfo;

class BlockServiceTest : public OpenProjectTest {
 protected:
  Ref<host::BlockService> service =
      platform::CreateObjectAs<mzblprsx::IRgServiceFactory>(clsid::kServiceFactory)
          ->GetService(std::string(clsid::kBlockService), program, nullptr, "Offline")
          .Cast<host::BlockService>();
  Ref<mzblprsx::IRgObjectArray> ArrayOf(std::vector<Ref<mzblprsx::IRgObject>> objects) {
    auto array = platform::MakeObject<host::ObjectArray>();
    for (auto& object : objects) array->Add(object);
    return array;
  }
};

TEST_F(BlockServiceTest, RenumberRefusesWhatTheProgramCannotTake) {
  struct Case {
    const char* block;
    int32_t number;
    bool accepted;
    const char* why;
  } cases[] = {
      {"FB10", 11, false, "FB11 exists"},           {"FB11", 12, false, "FB11 is protected"},
      {"FB10", 0, false, "no block number"},        {"OB1", 256, false, "above the highest OB"},
      {"FB10", 10, true, "its own: nothing to do"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(service->Renumber(BlockNamed(c.block), c.number), c.accepted) << c.why;
    EXPECT_EQ(sink->Take(), "") << c.why << ": nothing changed";
  }
  EXPECT_FALSE(service->Renumber(plc->Program()->FindBlockById("OB1"), 2)) << "not its program";
  EXPECT_EQ(ErrorOf([&] { service->Renumber(nullptr, 2); }), platform::errc::kObjectNotSet);

  ASSERT_TRUE(service->Renumber(BlockNamed("FB10"), 20));
  EXPECT_EQ(sink->Take(), "batch block 128:FB20 | batch program 131072:FB20");
  EXPECT_EQ(BlockNamed("FB20")->Symbol(), "Motor") << "the symbol went with the block";
}

TEST_F(BlockServiceTest, DeleteBlocksDeletesAllWithOneNotificationOrNone) {
  const auto foreign = plc->Program()->FindBlockById("OB1");
  EXPECT_EQ(ErrorOf([&] {
              service->DeleteBlocks(ArrayOf({BlockNamed("OB1"), foreign}), 0);
            }),
            platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { service->DeleteBlocks(nullptr, 0); }), platform::errc::kObjectNotSet);
  EXPECT_TRUE(BlockNamed("OB1")) << "a bad entry deletes nothing";

  service->DeleteBlocks(ArrayOf({BlockNamed("FB10"), BlockNamed("DB10")}), 0);
  EXPECT_EQ(sink->Take(), "batch block 2:FB10,DB10");
  EXPECT_EQ(Members(*CategoryNamed("2")), "FB11") << "deleted blocks leave their category";
}

TEST_F(BlockServiceTest, StandsInForItsProgramAndCreatesBlocks) {
  const auto info = platform::CreateObjectAs<mzblprsx::IRgBlockInfo>(clsid::kBlockInfo);
  EXPECT_TRUE(info->HasBlock(service, BlockInfo::kFb, 10));

  EXPECT_EQ(service->CreateBlock(Request(BlockInfo::kFc, 0))->Name(), "FC2") << "lowest free";
  EXPECT_EQ(service->CreateBlock(Request(BlockInfo::kFb, 30, "Pump"))->Symbol(), "Pump");
  EXPECT_EQ(sink->Take(), "batch block 1:FC2 | batch block 1:FB30 | batch program 131072:FB30");
  EXPECT_EQ(ErrorOf([&] { service->CreateBlock(Request(BlockInfo::kFb, 10)); }),
            platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { service->CreateBlock(Request(BlockInfo::kOb, 300)); }),
            platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { service->CreateBlock(Request(BlockInfo::kFb, 31, "MOTOR")); }),
            platform::errc::kDuplicateKey);
  EXPECT_FALSE(BlockNamed("FB31")) << "a refused symbol leaves no block behind";
  EXPECT_EQ(sink->Take(), "");
}

class CategoryServiceTest : public OpenProjectTest {
 protected:
  Ref<mzblprsx::IRgCategoryService> service =
      platform::CreateObjectAs<mzblprsx::IRgCategoryService>(clsid::kCategoryService);
  std::string Categories() {
    std::string text;
    for (const auto& category : service->Categories(program)) {
      text += (text.empty() ? "" : " ") + category->ObjectID() + ":" + category->DisplayName();
    }
    return text;
  }
};

TEST_F(CategoryServiceTest, TakesTheProgramAsProgramProjectOrBlockService) {
  const auto blocks = platform::MakeObject<host::BlockService>(program, nullptr, "Offline");
  for (const Ref<platform::Object>& given :
       {Ref<platform::Object>(program), Ref<platform::Object>(project),
        Ref<platform::Object>(blocks)}) {
    EXPECT_EQ(service->DefaultCategoryID(given), "1") << given->TypeName();
  }
  EXPECT_EQ(ErrorOf([&] { service->Categories(nullptr); }), platform::errc::kObjectNotSet);
  EXPECT_EQ(ErrorOf([&] { service->Categories(plc->Program()); }), platform::errc::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { service->Categories(BlockNamed("FB10")); }),
            platform::errc::kTypeMismatch);
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
            platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { service->CreateCategory(program, "", 0); }),
            platform::errc::kInvalidCall);
  const auto motors = CategoryNamed("2").Cast<mzblprsx::IRgCategory>();
  EXPECT_EQ(ErrorOf([&] { motors->Rename("blocks"); }), platform::errc::kDuplicateKey);
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

}  // namespace
}  // namespace hostsvc
