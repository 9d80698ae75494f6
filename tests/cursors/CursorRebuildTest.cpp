// Rebuilding a cursor's list over the previous one: whatever the previous list held and the
// new one does not is let go, and items inserted in the middle since do not disturb the order.
#include "CursorFakes.h"
#include "mzblprsx/cursors/RgProjectCursorExplorer.h"

namespace cursortest {
namespace {

using mzblprsx::RgProjectCursorExplorer;
constexpr const char* kShowSystem = "General/Display/ShowSystemBlocks";

class CursorRebuild : public CursorFixture<RgProjectCursorExplorer> {
 protected:
  void Start(bool showSystem) {
    options->SetValue(kShowSystem, showSystem);
    Build(Obj("P", "RgProjectOffline",
              {Obj("Prog", "RgProgramOffline",
                   {Obj("C1", "RgCategory", {Fb(1), Fb(2)}),
                    Obj("Default", "RgCategoryDefault", {Fb(3), SystemBlock(4)})})}));
    cursor->SetOptionService(options);
    cursor->Attach(model);
  }
};

TEST_F(CursorRebuild, ItemsNoLongerListedAreLetGo) {
  Start(true);
  ASSERT_EQ(Listed(), "P Prog C1 FB1 FB2 FB3 SFC4");
  std::weak_ptr<platform::Object> system = ItemNamed("SFC4").Shared();
  options->SetValue(kShowSystem, false);  // hides at once: a rebuild
  EXPECT_EQ(Listed(), "P Prog C1 FB1 FB2 FB3");
  RemoveItem("SFC4");
  EXPECT_TRUE(system.expired()) << "neither the new list nor what is left of the old holds it";
}

TEST_F(CursorRebuild, InsertionsInTheMiddleThenARefreshGiveTreeOrder) {
  Start(false);
  model->SetAutoRefresh(false);  // a batch: the cursor follows each insertion in place
  AddBelow("C1", Fb(10), "FB1");
  AddBelow("Default", Fb(11));
  AddBelow("C1", Fb(12));
  model->SetAutoRefresh(true);  // and rebuilds when it ends
  EXPECT_EQ(Listed(), "P Prog C1 FB1 FB10 FB2 FB12 FB3 FB11");
  std::weak_ptr<platform::Object> inserted = ItemNamed("FB10").Shared();
  RemoveItem("C1");
  cursor->Refresh();
  EXPECT_EQ(Listed(), "P Prog FB3 FB11");
  EXPECT_TRUE(inserted.expired()) << "an item inserted in the middle is let go like the others";
}

}  // namespace
}  // namespace cursortest
