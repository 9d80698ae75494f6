// The project objects through the interfaces the handlers call, and the framework objects the
// library creates by identifier: object finder, scripted new-block dialog, subscription.
#include <gtest/gtest.h>

#include "OpenProjectTest.h"
#include "host/framework/NewBlockScript.h"
#include "host/framework/NotifySubscription.h"
#include "mzblprsx/interfaces/IRgAttributeStorage.h"
#include "mzblprsx/interfaces/IRgBlockSymbol.h"
#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgNewBlockDialog.h"
#include "mzblprsx/interfaces/IRgObjectFinder.h"
#include "mzblprsx/interfaces/IRgStorageOwnerSource.h"

namespace hostsvc {
namespace {

namespace clsid = mzblprsx::clsid;
using host::Block;
using host::BlockInfo;

using FrameworkObjectsTest = OpenProjectTest;

TEST_F(FrameworkObjectsTest, ABlocksSymbolIsItsNameInTheTableTheStorageOwnerDeletes) {
  const auto fc1 = BlockNamed("FC1").Cast<mzblprsx::IRgBlockSymbol>();
  fc1->SetSymbol("Scale");
  EXPECT_EQ(project->Symbols()->AddressOf("SCALE"), "FC1");
  EXPECT_EQ(ErrorOf([&] { fc1->SetSymbol("motor"); }), platform::errc::kDuplicateKey);
  BlockNamed("FB10")->SetSymbol("");
  EXPECT_EQ(project->Symbols()->NameOf("FB10"), "") << "an empty symbol removes the name";
  EXPECT_EQ(sink->Take(), "batch program 131072:FC1 | batch program 131072:FB10")
      << "each names the block whose symbol changed";
  EXPECT_EQ(BlockNamed("FC1")->SymbolState() & Block::kSymbolReadOnly, 0);

  const auto table = project->Symbols();
  const auto source = table.Cast<mzblprsx::IRgStorageOwnerSource>();
  EXPECT_EQ(ErrorOf([&] { source->StorageOwner()->Remove(0.0, 128, {}); }),
            platform::errc::kInvalidCall)
      << "only the whole object can be removed, and only with the delete flag";
  // The library's delete path: prepare, commit the document, remove the whole object.
  source->StorageOwner()->Prepare();
  table.Cast<mzblprsx::IRgDocument>()->Commit();
  source->StorageOwner()->Remove(-1.0, 128, platform::Variant());
  EXPECT_FALSE(project->Symbols());
  EXPECT_EQ(sink->Take(), "single symbols 128:SYMBOLS | single project 256:" + kGuid +
                              " | batch program 131072:PROGRAM");
  EXPECT_EQ(ErrorOf([&] { source->StorageOwner()->Remove(-1.0, 128, {}); }),
            platform::errc::kInvalidCall)
      << "it is gone already";

  EXPECT_EQ(fc1->Symbol(), "") << "no symbol table, no symbol";
  EXPECT_NE(BlockNamed("FC1")->SymbolState() & Block::kSymbolReadOnly, 0)
      << "the handlers must not write it back";
  EXPECT_EQ(ErrorOf([&] { fc1->SetSymbol("Scale"); }), platform::errc::kInvalidCall);
  EXPECT_NE(plc->Program()->FindBlockById("OB1")->SymbolState() & Block::kSymbolReadOnly, 0)
      << "the PLC keeps no symbols";
}

TEST_F(FrameworkObjectsTest, TheProgramStoresItsCategoryOrderAndTheFinderFindsByIdentifierOrName) {
  const auto storage = program.Cast<mzblprsx::IRgAttributeStorage>();
  EXPECT_EQ(storage->DataBlock(mzblprsx::kCategoryOrderBlock),
            host::Program::EncodeCategoryOrder({"2", "1"}));
  storage->SetDataBlock(mzblprsx::kCategoryOrderBlock, host::Program::EncodeCategoryOrder({"1"}));
  EXPECT_EQ(program->CategoryOrder(), std::vector<std::string>{"1"});
  EXPECT_EQ(ErrorOf([&] {
              storage->SetDataBlock(mzblprsx::kCategoryOrderBlock,
                                    host::Program::EncodeCategoryOrder({"x"}));
            }),
            platform::errc::kInvalidCall);
  storage->SetDataBlock("Other", {1, 2});
  EXPECT_EQ(storage->DataBlock("Other"), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(sink->Take(), "") << "stored data announces nothing";

  struct Case {
    Ref<platform::Object> bound;
    std::string_view classId;
    const char* name;
    std::string expected;
  } cases[] = {
      {program, clsid::kBlockOffline, "fb10", "block:FB10"},
      {program, clsid::kBlockOffline, "FB12", "none"},
      {program, clsid::kBlockOnline, "FB10", "none"},
      {program, clsid::kCategory, "2", "category:2"},
      {program, clsid::kCategory, "motors", "category:2"},
      {program, clsid::kHwConfigOffline, "HW", "none"},
      {project, clsid::kHwConfigOffline, "Station", "hw:HW"},
      {project, clsid::kBlockOffline, "DB10", "block:DB10"},
      {plc, clsid::kBlockOnline, "OB1", "plcblock:OB1"},
      {plc, clsid::kMMCFile, "A.BIN", "file:a.bin"},
  };
  const auto finder = platform::CreateObjectAs<mzblprsx::IRgObjectFinder>(clsid::kObjectFinder);
  EXPECT_EQ(ErrorOf([&] { finder->Find(std::string(clsid::kBlockOffline), "FB10"); }),
            platform::errc::kInvalidCall)
      << "bound to nothing yet";
  for (const Case& c : cases) {
    finder->Bind(c.bound);
    const auto found = finder->Find(std::string(c.classId), c.name);
    EXPECT_EQ(found ? ShortClass(found->ClassID()) + ":" + found->ObjectID() : "none", c.expected)
        << c.bound->TypeName() << " " << ShortClass(c.classId) << " " << c.name;
  }
  EXPECT_EQ(ErrorOf([&] { finder->Bind(BlockNamed("FB10")); }), platform::errc::kTypeMismatch);
}

TEST_F(FrameworkObjectsTest, TheNewBlockDialogFollowsItsScriptTheSubscriptionItsBinding) {
  const auto run = [&](const Ref<platform::Object>& container) {
    return platform::CreateObjectAs<mzblprsx::IRgNewBlockDialog>(clsid::kNewBlockDialog)
        ->CreateBlockOffline(container);
  };
  env.NewBlocks().Push(Request(BlockInfo::kFc, 7));
  env.NewBlocks().PushCancel();
  env.NewBlocks().Push(Request(BlockInfo::kFb, 10));
  EXPECT_EQ(run(program)->ObjectID(), "FC7");
  EXPECT_EQ(sink->Take(), "batch block 1:FC7");
  EXPECT_FALSE(run(program)) << "the user cancelled";
  EXPECT_EQ(ErrorOf([&] { run(program); }), platform::errc::kDuplicateKey)
      << "an answer the program cannot take is an error, not a cancel";
  EXPECT_FALSE(run(program)) << "an empty script cancels";
  EXPECT_EQ(env.NewBlocks().Log().size(), 4u);
  EXPECT_EQ(env.NewBlocks().Log()[1], "cancelled");
  EXPECT_EQ(ErrorOf([&] { run(project); }), platform::errc::kTypeMismatch);
  EXPECT_EQ(ErrorOf([&] { run(plc->Program()); }), platform::errc::kInvalidCall);

  auto subscription =
      platform::CreateObjectAs<host::NotifySubscription>(clsid::kNotifySubscription);
  const auto heard = platform::MakeObject<RecordingSink>();
  subscription->Subscribe(heard, nullptr);
  BlockNamed("FB10")->SetHeader("x");
  plc->Hardware()->SetSize(1);
  EXPECT_EQ(heard->Take(), "batch block 8192:FB10 | single plchw 64:HW") << "project and PLC";

  const auto loose = platform::MakeObject<Block>(false, BlockInfo::kFb, 1);
  EXPECT_EQ(ErrorOf([&] { subscription->Subscribe(heard, loose); }), platform::errc::kInvalidCall);
  EXPECT_EQ(subscription->HubCount(), 2u) << "a refused subscription keeps the old one";

  subscription->Subscribe(heard, BlockNamed("OB1"));  // replaces the first
  BlockNamed("FB10")->SetHeader("y");
  BlockNamed("OB1")->SetHeader("y");
  EXPECT_EQ(heard->Take(), "batch block 8192:OB1");
  subscription.Reset();
  BlockNamed("OB1")->SetHeader("z");
  EXPECT_EQ(heard->Take(), "") << "it ends with the subscription object";
}

}  // namespace
}  // namespace hostsvc
