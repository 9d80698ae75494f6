// The details print cursor: what each mode lists (system blocks by their type names, shown by
// the option), item access, and when it searches again.
#include "core/SnapInFixture.h"
#include "host/services/OptionService.h"
#include "mzblprsx/cursors/RgProjectCursorDetailsPrint.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"
#include "support/FakeFactory.h"

namespace mztest {
namespace {

class PrintCursor : public SnapInFixture {
 protected:
  void SetUp() override {
    Start();
    Initialized();
    model->Initialize();
    model->SetFactory(platform::MakeObject<FakeFactory>());
    model->SetOwner(snapIn);
    // FB5 says SYSTEM but is of no system type; SFB2 and SDB7 are of system types.
    const auto c1 =
        Obj("C1", "RgCategory",
            {Fb(1), SystemBlock(4), Obj("SFB2", "RgBlockOffline.SFB"), Fb(5, {{"SYSTEM", true}})});
    const auto other =
        Obj("Default", "RgCategoryDefault", {Fb(3), Obj("SDB7", "RgBlockOnline.SDB")});
    model->AddProject(project = Obj("P", "RgProjectOffline",
                                    {Obj("HW", "RgHwConfigOffline"),
                                     Obj("Files", "RgFilesOnMMC", {Obj("a.bin", "RgMMCFile")}),
                                     Obj("Prog", "RgProgramOffline", {c1, other})}));
  }
  void TearDown() override {
    cursor.Reset();
    model->Terminate();
    SnapInFixture::TearDown();
  }
  std::string Listed() {
    std::vector<Item> items;
    for (int32_t i = 1; i <= cursor->Count().ToInt32(); ++i) items.push_back(cursor->Item(i));
    return Names(items);
  }

  Ref<FakeObject> project;
  Model model = platform::CreateObjectAs<mzblprsx::RgProjectModel>(mzblprsx::clsid::kProjectModel);
  Ref<mzblprsx::RgProjectCursorDetailsPrint> cursor =
      platform::CreateObjectAs<mzblprsx::RgProjectCursorDetailsPrint>(
          "mzblprsx.RgProjectCursorDetailsPrint");
};

TEST_F(PrintCursor, EachModeListsItsKindsAndSystemTypesOnlyWithTheOption) {
  const std::pair<int32_t, const char*> rows[] = {{0, "HW Files C1 FB1 FB5 FB3"},
                                                  {0, "HW Files C1 FB1 SFC4 SFB2 FB5 FB3 SDB7"},
                                                  {1, "C1 FB1 FB5 FB3"},
                                                  {1, "C1 FB1 SFC4 SFB2 FB5 FB3 SDB7"},
                                                  {2, "a.bin"},
                                                  {7, ""}};
  bool show = false;
  for (const auto& [mode, listed] : rows) {
    SCOPED_TRACE(std::to_string(mode) + (show ? " shown" : " hidden"));
    env.Options().SetValue("General/Display/ShowSystemBlocks", show);
    cursor->SetCursorMode(mode);
    cursor->Attach(model);  // reads the option
    EXPECT_EQ(Listed(), listed);
    show = !show;
  }
  EXPECT_EQ(cursor->Count().Type(), platform::VarType::Int16) << "nothing counts a short 0";
}

TEST_F(PrintCursor, ItemsByPositionTextOrObjectAndSearchedAgainOnlyOnAChangedMode) {
  for (const int32_t i : {-1, 0, 1}) EXPECT_FALSE(cursor->Item(i)) << "empty cursor " << i;
  cursor->SetCursorMode(mzblprsx::RgPrjCursorPrintDetailsModeProgram);
  cursor->Attach(model);  // C1 FB1 FB5 FB3
  const Item fb5 = ItemOf(model, FindObject(project, "FB5"));
  EXPECT_EQ(cursor->Count().Type(), platform::VarType::Int32);
  EXPECT_TRUE(SameObject(cursor->Item(Variant("3")), fb5) && SameObject(cursor->Item(3.4), fb5));
  EXPECT_TRUE(SameObject(cursor->Item(Variant(FindObject(project, "FB5"))), fb5));
  for (const Variant& index : {Variant(int32_t{0}), Variant(int32_t{5}), Variant("FB5"),
                               Variant(FindObject(project, "HW")), Variant(true)}) {
    EXPECT_FALSE(cursor->Item(index)) << index.ToString();
  }
  ItemOf(model, FindObject(project, "C1"))->Items()->AddNew(Fb(9), nullptr, nullptr);
  cursor->SetCursorMode(mzblprsx::RgPrjCursorPrintDetailsModeProgram);
  EXPECT_EQ(Listed(), "C1 FB1 FB5 FB3") << "the same mode keeps the items";
  cursor->SetCursorMode(mzblprsx::RgPrjCursorPrintDetailsModeProject);
  EXPECT_EQ(Listed(), "HW Files C1 FB1 FB5 FB9 FB3");
  cursor->Detach();
  EXPECT_EQ(cursor->Count().ToInt32(), 0);
}

}  // namespace
}  // namespace mztest
