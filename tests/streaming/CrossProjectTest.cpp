// A copy between two applications, each with its own environment on its own thread, exchanging
// only the three byte forms as a clipboard would: the receiver inserts the blocks and categories,
// and a save and reload of its project shows them where they were put.
#include <gtest/gtest.h>

#include <thread>

#include "handlers/HandlerFixture.h"
#include "host/project/ProjectFile.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/ui/ScriptedModalLoop.h"
#include "platform/ui/UiState.h"
#include "streaming/StreamFakes.h"

namespace mztest {
namespace {

struct Clipboard {
  std::vector<uint8_t> list;
  std::vector<uint8_t> data;
  std::vector<uint8_t> source;
};

/// Copies the selection ("C2" a category, else block names) of the conveyor sample in an
/// application of its own, on a thread of its own.
Clipboard CopyFromAnotherApplication(const std::vector<std::string>& selection) {
  Clipboard clipboard;
  std::thread([&] {
    host::Environment env;
    DllRegisterServer();
    auto snapIn = platform::MakeObject<mzblprsx::RgProjectSnapin>();
    env.Application().AddSnapIn("ProjectSnapIn", snapIn);
    snapIn->Init(platform::Variant(platform::XmlElement::Parse("<SNAPIN/>")),
                 env.ApplicationObject());
    snapIn->Attach(nullptr);
    snapIn->DoVerb(1, platform::Variant(), false);
    std::ifstream in(SampleFile("conveyor.prj.xml"));
    std::stringstream text;
    text << in.rdbuf();
    const auto project = env.OpenProjectText(text.str(), "conveyor.prj.xml");
    {
      const auto list = snapIn->OfflineModel()->ItemList();
      auto items = platform::MakeObject<FakeItemList>();
      for (const std::string& name : selection) {
        platform::Ref<platform::Object> object;
        if (name[0] == 'C') {
          object = project->Program()->FindCategoryById(name.substr(1));
        } else {
          object = project->Program()->FindBlockById(name);
        }
        if (list->Find(4, platform::Variant(object))) items->items.push_back(list->FoundItem());
      }
      const auto service = snapIn->Services()->RgObjectStreamService(1);
      const auto carried = service->GetStreamItems(items, 1);
      clipboard.list = service->StreamItemList(carried);
      clipboard.data = service->StreamItemData(carried);
      clipboard.source = service->StreamObjectSource();
    }
    snapIn->PreDetach();
    snapIn->Detach();
    env.Application().RemoveSnapIn("ProjectSnapIn");
  }).join();
  return clipboard;
}

class CrossProjectTest : public HandlerFixture {};

TEST_F(CrossProjectTest, CopiedBlocksAndCategoriesSurviveASaveAndReload) {
  const Clipboard clipboard = CopyFromAnotherApplication({"C2", "FB10", "DB10", "FB20"});
  OpenText(ProgramProject("default-category=\"1\"",
                          CategoryXml(1, "Blocks", "OB1") + BlockXml("OB", 1) + BlockXml("FC", 9)));
  const auto service = snapIn->Services()->RgObjectStreamService(1);
  const int32_t source = service->CheckSourceFromSameApplication(clipboard.source);
  EXPECT_EQ(source, 2) << "another application's project";
  const int32_t action = service->CanInsertStreamData(clipboard.list, source);
  EXPECT_EQ(action, 3) << "copy or move";
  ItemRef position;
  Ref<mzblprsx::RgProjectItems> inserted;
  ASSERT_TRUE(service->InsertStreamData(clipboard.data, 1, position, inserted, source));
  EXPECT_EQ(Tree(), "Blocks[OB1 FC9 FB20] Motors[FB10 DB10]")
      << "the category holds the blocks it listed; FB20 went to the default place";
  ASSERT_TRUE(inserted);
  EXPECT_EQ(inserted->Count(), 4) << "the category and three blocks";

  const std::string saved = host::ProjectFile::SerializeProject(*project);
  const auto reloaded = host::ProjectFile::ParseProject(saved, "reloaded.prj.xml");
  ASSERT_TRUE(reloaded->Program()->FindBlockById("FB10"));
  EXPECT_EQ(reloaded->Program()->FindBlockById("FB10")->Body(), HostBlock("FB10")->Body());
  OpenText(saved);
  EXPECT_EQ(Tree(), "Blocks[OB1 FC9 FB20] Motors[FB10 DB10]") << "the same tree after reload";
}

TEST_F(CrossProjectTest, ABlockTheTargetHoldsIsNotOverwrittenWithoutAnAnswer) {
  const Clipboard clipboard = CopyFromAnotherApplication({"FB10", "FC1"});
  OpenText(ProgramProject("default-category=\"1\"",
                          CategoryXml(1, "Blocks", "FB10") + BlockXml("FB", 10, "body=\"mine\"")));
  const auto service = snapIn->Services()->RgObjectStreamService(1);
  ItemRef position;
  Ref<mzblprsx::RgProjectItems> inserted;
  // The dialog is closed without an answer: that one block is cancelled, the rest goes on.
  auto loop = platform::MakeObject<platform::ui::ScriptedModalLoop>();
  loop->CloseBox();
  platform::ui::UiState::Current().SetModalLoop(loop);
  ASSERT_TRUE(service->InsertStreamData(clipboard.data, 1, position, inserted, 2));
  EXPECT_EQ(HostBlock("FB10")->Body(), "mine");
  EXPECT_TRUE(HostBlock("FC1"));
  EXPECT_EQ(Tree(), "Blocks[FB10 FC1]");
  platform::ui::UiState::Current().SetModalLoop(nullptr);
}

}  // namespace
}  // namespace mztest
