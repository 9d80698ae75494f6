// The dialogs' cursor: filter per mode and option, access, detaching, and a PLC's real tree.
#include "core/SnapInFixture.h"
#include "host/services/OptionService.h"
#include "mzblprsx/cursors/RgProjectCursorExplorerDialog.h"
#include "support/FakeFactory.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using Cursor = mzblprsx::RgProjectCursorExplorerDialog;

class DialogCursor : public SnapInFixture {
 protected:
  void SetUp() override {
    env.Errors().SetPolicy(host::ErrorPolicy::Fail);
    Start();
    Initialized();
    model->Initialize();
    model->SetFactory(platform::MakeObject<FakeFactory>());
    model->SetOwner(snapIn);
    const auto vat = Obj("VAT1", "RgBlockOffline.VAT", {}, {{"BLOCKTYPE", 1}, {"SYSTEM", false}});
    model->AddProject(project = Obj("P", "RgProjectOffline",
                                    {Obj("HW", "RgHwConfigOffline"),
                                     Obj("Prog", "RgProgramOffline",
                                         {Obj("C1", "RgCategory", {Fb(1), SystemBlock(4), vat}),
                                          Obj("Default", "RgCategoryDefault", {Fb(3)})})}));
  }
  void TearDown() override {
    cursor.Reset();
    model->Terminate();
    SnapInFixture::TearDown();
  }

  Ref<FakeObject> project;
  Model model = platform::CreateObjectAs<mzblprsx::RgProjectModel>(mzblprsx::clsid::kProjectModel);
  Ref<Cursor> cursor = platform::CreateObjectAs<Cursor>("mzblprsx.RgProjectCursorExplorerDialog");
};

TEST_F(DialogCursor, FiltersByModeAndOptionFindsByIndexOrKeyAndListsAPlcsTree) {
  const char* const listed[3][2] = {{"HW C1 FB1 FB3", "HW C1 FB1 FB3"},
                                    {"HW C1 FB1 FB3", "HW C1 FB1 SFC4 FB3"},
                                    {"C1 FB1 FB3", "C1 FB1 SFC4 FB3"}};
  for (const int32_t i : {0, 1, 2, 3, 4, 5}) {  // download, upload, open block; option off, on
    env.Options().SetValue("General/Display/ShowSystemBlocks", i % 2 == 1);
    cursor->SetCursorMode(i / 2);
    cursor->Attach(model);
    EXPECT_EQ(Names(cursor->NewEnum()), listed[i / 2][i % 2]) << i;
  }
  cursor->SetCursorMode(mzblprsx::RgProjectExplorerDialogCursorModeDownload);
  cursor->Refresh();
  EXPECT_EQ(Names(cursor->NewEnum()), "HW C1 FB1 FB3") << "the mode applies at the next search";
  cursor->Attach(model);
  const Item fb1 = ItemOf(model, FindObject(project, "FB1"));
  EXPECT_EQ(cursor->Index(fb1) * 10 + cursor->Index(model->Items()->First()), 30);
  EXPECT_TRUE(SameObject(cursor->Item(Variant(3.0)), fb1));
  EXPECT_TRUE(SameObject(cursor->Item(Variant(Cursor::ItemKey(fb1))), fb1));
  EXPECT_FALSE(cursor->Find(model->Items()->First()) || cursor->Find(nullptr));
  cursor->Attach(nullptr);
  EXPECT_EQ(ErrorOf([&] { cursor->Item(Variant(int32_t{1})); }), platform::errc::kObjectNotSet);
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgProjectCursorExplorerDialog.Property Get Item");
  EXPECT_TRUE(platform::CreateObject("mzblprsx.RgProjectSelectionHandler"));
  env.ConnectPlcText(PlcXml(), "t.plc.xml");
  cursor->Attach(snapIn->OnlineModel());
  EXPECT_EQ(cursor->Count().Type(), platform::VarType::Int32);
  EXPECT_EQ(cursor->Count().ToInt32(), 3) << "hardware, OB1, FB10; no PLC, card, file, program";
  env.DisconnectPlc();  // before the snap-in ends, as the host does
}

}  // namespace
}  // namespace mztest
