// The host's followers of a project tree built as the library's offline factory builds it (with no
// handlers): CategorySync keeps the categories' block lists in the tree's order, so that a
// reloaded project shows the same tree; DeletedItemSweeper takes out items of deleted objects.
#include <gtest/gtest.h>

#include <unordered_set>

#include "OpenProjectTest.h"
#include "host/app/HwConfigSnapIn.h"
#include "host/framework/ObjectArray.h"
#include "host/model/ProjectItem.h"
#include "host/model/ProjectModel.h"
#include "host/services/BlockService.h"
#include "mzblprsx/interfaces/IRgHwConfigSnapIn.h"
#include "mzblprsx/interfaces/IRgItemMover.h"
#include "mzblprsx/interfaces/IRgProjectModelFactory.h"
#include "mzblprsx/interfaces/IRgSICommandTarget.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"

namespace hostsvc {
namespace {

namespace clsid = mzblprsx::clsid;
using Item = Ref<mzblprsx::RgProjectItem>;

// Project children in order; in the program its categories, each with its own blocks, then the
// blocks no category lists at the end of the default category.
class TreeFactory final : public mzblprsx::IRgProjectModelFactory {
 public:
  std::string_view TypeName() const override { return "TreeFactory"; }
  Item AddProject(Ref<mzblprsx::RgProjectModel> model, Ref<platform::Object> project) override {
    const auto root = model->Items()->AddNew(project, nullptr, nullptr);
    for (const auto& child : project.Cast<host::OfflineProject>()->Children()->Children()) {
      const auto item = root->Items()->AddNew(child, nullptr, nullptr);
      const auto program = child.As<host::Program>();
      if (!program) continue;
      std::unordered_set<const host::Block*> listed;
      Item fallback;
      for (const auto& category : program->Categories()) {
        const auto categoryItem = item->Items()->AddNew(category, nullptr, nullptr);
        if (category->Id() == program->DefaultCategoryId()) fallback = categoryItem;
        for (const auto& block : std::vector(category->Members())) {
          categoryItem->Items()->AddNew(block, nullptr, nullptr);
          listed.insert(block.Get());
        }
      }
      for (const auto& block : program->Blocks()) {
        if (fallback && !listed.count(block.Get())) fallback->Items()->AddNew(block, {}, {});
      }
    }
    return root;
  }
  void InitializeItem(Item, Ref<platform::Object>) override {}
  void RefreshProject(Ref<mzblprsx::RgProjectModel>, Ref<platform::Object>) override {}
  void RemoveProject(Ref<mzblprsx::RgProjectModel> model, Ref<platform::Object>) override {
    model->Items()->Clear();
  }
  void TerminateItem(Item) override {}
};

// The ids of an item's children's objects, "FB10 DB10".
std::string Children(const Item& parent) {
  std::string text;
  for (int32_t i = 1; i <= parent->Items()->Count(); ++i) {
    const auto* node = dynamic_cast<const host::ProjectItem*>(parent->Items()->Item(i).Get());
    const auto object = node->FrameworkObject().As<mzblprsx::IRgObject>();
    text += (i > 1 ? " " : "") + (object ? object->ObjectID() : "?");
  }
  return text;
}

class TreeTest : public OpenProjectTest {
 public:
  TreeTest() { Build(model, project); }
  ~TreeTest() override { model->Terminate(); }

  static void Build(const Ref<host::ProjectModel>& model, const Ref<platform::Object>& project) {
    model->SetFactory(platform::MakeObject<TreeFactory>());
    model->AddProject(project);
  }
  Item Of(const Ref<platform::Object>& object) {
    const auto list = model->ItemList();
    return list->Find(4, platform::Variant(object)) ? list->FoundItem() : Item();
  }
  Item Of(const char* blockOrCategory) {
    if (const auto block = BlockNamed(blockOrCategory)) return Of(block);
    return Of(CategoryNamed(blockOrCategory));
  }
  void Move(const Item& item, const Item& to, const Item& before, const Item& after) {
    const auto mover = platform::CreateObjectAs<mzblprsx::IRgItemMover>(clsid::kItemMover);
    mover->SetParents(item->Parent(), to);
    mover->AddItem(item, before, after);
    mover->Execute();
  }

  // Created through the class registry: with the host's followers attached.
  Ref<host::ProjectModel> model =
      platform::CreateObjectAs<host::ProjectModel>(clsid::kProjectModel);
};

TEST_F(TreeTest, BuildingListsOnlyWhatNoCategoryListedAndMovingCategoriesNothing) {
  EXPECT_EQ(Members(*CategoryNamed("2")), "FB10 DB10 FB11");
  EXPECT_EQ(Members(*CategoryNamed("1")), "OB1 FC1") << "FC1 joined the default category";

  CategoryNamed("1")->InsertMember(BlockNamed("FC1"));  // already there
  project->SetModified(false);
  const auto again = platform::CreateObjectAs<host::ProjectModel>(clsid::kProjectModel);
  Build(again, project);
  again->RemoveProject(project);
  EXPECT_FALSE(project->IsModified()) << "building and taking down a listed tree changes nothing";

  const auto motors = Of("2");
  const auto programItem = motors->Parent();
  Move(motors, nullptr, nullptr, nullptr);  // parked, as the library moves a category
  programItem->Items()->Add(motors, Of("1"), nullptr);
  EXPECT_EQ(Children(programItem), "2 1");
  motors->Items()->Remove(Of("DB10"));
  EXPECT_EQ(Members(*CategoryNamed("2")), "FB10 DB10 FB11")
      << "removed items and whole category moves change no list";
}

TEST_F(TreeTest, MovedAndNewBlockItemsAreListedAfterTheirPreviousSibling) {
  Move(Of("FB11"), Of("1"), nullptr, Of("OB1"));
  EXPECT_EQ(Members(*CategoryNamed("1")), "OB1 FB11 FC1");
  EXPECT_EQ(Members(*CategoryNamed("2")), "FB10 DB10") << "taken out of its old category";
  Move(Of("DB10"), Of("2"), Of("FB10"), nullptr);
  EXPECT_EQ(Members(*CategoryNamed("2")), "DB10 FB10") << "to the top of its own category";

  const auto fc5 = platform::MakeObject<host::Block>(false, host::BlockInfo::kFc, 5);
  program->AddBlock(fc5);
  sink->Take();
  const auto ghost = Of("2")->Items()->AddNew(CategoryNamed("1"), nullptr, Of("DB10"));
  Of("2")->Items()->AddNew(fc5, nullptr, ghost);  // after an item that is no block
  EXPECT_EQ(Children(Of("2")), "DB10 1 FC5 FB10");
  EXPECT_EQ(Members(*CategoryNamed("2")), "DB10 FC5 FB10");
  EXPECT_EQ(sink->Take(), "") << "member lists follow the tree without notifications";
}

TEST_F(TreeTest, TheHardwareSnapInSavesItsStationAndItemsOfDeletedObjectsGo) {
  project->Hardware()->SetSize(4096);
  project->Hardware()->SetModified(true);
  const auto hwConfig = env.Application().SnapIn("SnapInHWConfig");
  const auto target = hwConfig.Cast<mzblprsx::IRgSICommandTarget>();
  EXPECT_TRUE(target->DoVerb(host::HwConfigSnapIn::kVerbSave, platform::Variant(), false));
  EXPECT_FALSE(project->Hardware()->IsModified());
  EXPECT_EQ(project->FileObject()->SaveCount(), 1);
  EXPECT_TRUE(target->DoVerb(host::HwConfigSnapIn::kVerbSave, platform::Variant(), false));
  EXPECT_EQ(project->FileObject()->SaveCount(), 1) << "nothing changed: nothing written";

  auto array = platform::MakeObject<host::ObjectArray>();
  array->Add(BlockNamed("FB10"));
  platform::MakeObject<host::BlockService>(program, nullptr, "Offline")->DeleteBlocks(array, 0);
  EXPECT_EQ(Children(Of("2")), "DB10 FB11");

  project->Symbols()->StorageOwner()->Remove(-1.0, 128, platform::Variant());
  const auto snapIn = hwConfig.Cast<mzblprsx::IRgHwConfigSnapIn>();
  snapIn->Delete(0);
  EXPECT_FALSE(project->Hardware()) << "the snap-in deletes the open project's station";
  EXPECT_EQ(Children(Of(project)), "VARTABLES REFERENCES DOCUMENTATION PROGRAM");
  EXPECT_NO_THROW(snapIn->Delete(0)) << "nothing left to delete";

  const size_t listening = project->Notifications().SubscriberCount();
  model->RemoveProject(project);
  EXPECT_EQ(project->Notifications().SubscriberCount(), listening - 1) << "the sweeper left";
}

TEST_F(TreeTest, AReloadedProjectShowsTheSameTree) {
  const auto pumps = platform::MakeObject<host::Category>(program->NextCategoryId(), "Pumps");
  program->AddCategory(pumps);
  const auto pumpsItem = Of("2")->Parent()->Items()->AddNew(pumps, nullptr, Of("2"));
  Move(Of("FB11"), pumpsItem, nullptr, nullptr);
  Move(Of("FC1"), pumpsItem, nullptr, Of("FB11"));
  Move(Of("OB1"), Of("2"), nullptr, nullptr);
  platform::MakeObject<host::BlockService>(program, nullptr, "Offline")
      ->Renumber(BlockNamed("FB10"), 12);
  program->SetCategoryOrder({"2", "3", "1"});
  const auto tree = [&](TreeTest& t, const Ref<host::Program>& p) {
    std::string text;
    for (const auto& category : p->Categories()) text += "|" + Children(t.Of(category));
    return text;
  };
  const std::string before = tree(*this, program);
  ASSERT_EQ(before, "||FB12 DB10 OB1|FB11 FC1");

  project->FileObject()->Save(0);
  const auto reloaded =
      host::ProjectFile::ParseProject(project->FileObject()->SavedText(), "again.prj.xml");
  EXPECT_EQ(reloaded->Program()->CategoryOrder(), (std::vector<std::string>{"2", "3", "1"}));
  EXPECT_EQ(reloaded->Symbols()->NameOf("FB12"), "Motor");
  model->RemoveProject(project);
  Build(model, reloaded);
  EXPECT_EQ(tree(*this, reloaded->Program()), before);
  EXPECT_FALSE(reloaded->IsModified()) << "every block was listed where the tree shows it";
}

}  // namespace
}  // namespace hostsvc
