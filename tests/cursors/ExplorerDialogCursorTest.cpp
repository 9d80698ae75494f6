// The dialogs' cursor: its filter per mode and option (read through the snap-in that owns the
// model), access by position, key and item, detaching, and the real trees of project and PLC.
#include "core/SnapInFixture.h"
#include "host/services/OptionService.h"
#include "mzblprsx/core/LibraryClasses.h"
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
                                    {Obj("HW", "RgHwConfigOffline"), Obj("HW2", "RgHwConfigOnline"),
                                     Obj("Prog", "RgProgramOffline",
                                         {Obj("C1", "RgCategory", {Fb(1), SystemBlock(4), vat}),
                                          Obj("Default", "RgCategoryDefault", {Fb(3)})})}));
  }
  void TearDown() override {
    cursor.Reset();
    model->Terminate();
    SnapInFixture::TearDown();
  }
  void ShowSystem(bool on) { env.Options().SetValue("General/Display/ShowSystemBlocks", on); }
  std::string Listed(bool byName = false) {
    std::string out;
    for (const Item& item : cursor->NewEnum())
      out +=
          (out.empty() ? "" : " ") + (byName ? item->DataValue("NAME").ToString() : NameOf(item));
    return out;
  }
  Item Named(const char* name) { return ItemOf(model, FindObject(project, name)); }

  Ref<FakeObject> project;
  Model model = platform::CreateObjectAs<mzblprsx::RgProjectModel>(mzblprsx::clsid::kProjectModel);
  Ref<Cursor> cursor = platform::CreateObjectAs<Cursor>("mzblprsx.RgProjectCursorExplorerDialog");
};

TEST_F(DialogCursor, FilterByModeAndOptionSearchesBelowRejectedItems) {
  const char* const listed[3][2] = {{"HW HW2 C1 FB1 FB3", "HW HW2 C1 FB1 FB3"},
                                    {"HW HW2 C1 FB1 FB3", "HW HW2 C1 FB1 SFC4 FB3"},
                                    {"C1 FB1 FB3", "C1 FB1 SFC4 FB3"}};
  for (const int32_t mode : {0, 1, 2}) {
    for (const bool show : {false, true}) {
      ShowSystem(show);
      cursor->SetCursorMode(mode);
      cursor->Attach(model);
      EXPECT_EQ(Listed(), listed[mode][show]) << "download, upload, open block " << mode << show;
    }
  }
  cursor->SetCursorMode(mzblprsx::RgProjectExplorerDialogCursorModeDownload);
  EXPECT_EQ(Listed(), "C1 FB1 SFC4 FB3") << "the mode alone searches nothing";
  cursor->Refresh();
  EXPECT_EQ(Listed(), "HW HW2 C1 FB1 FB3");
}

TEST_F(DialogCursor, ItemIndexFindAndDetach) {
  cursor->Attach(model);
  const Item fb1 = Named("FB1");
  EXPECT_EQ(cursor->Count().Type(), platform::VarType::Int32);
  EXPECT_EQ(cursor->Index(fb1) * 10 + cursor->Index(Named("Prog")), 40);
  EXPECT_TRUE(SameObject(cursor->Item(Variant(4.0)), fb1));
  EXPECT_TRUE(SameObject(cursor->Item(Variant(Cursor::ItemKey(Named("FB1")))), fb1));
  EXPECT_FALSE(cursor->Find(Named("Prog")) || cursor->Find(nullptr));
  cursor->Attach(nullptr);
  EXPECT_EQ(ErrorOf([&] { cursor->Item(Variant(int32_t{1})); }), platform::errc::kObjectNotSet);
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgProjectCursorExplorerDialog.Property Get Item");
  env.Errors().ClearReports();
  EXPECT_TRUE(mzblprsx::FindLibraryClass("mzblprsx.RgProjectSelectionHandler"));
}

TEST_F(DialogCursor, OnThePlcsTree) {
  env.ConnectPlcText(PlcText(R"(<hardware name="Station"/><program name="Program">
    <block type="OB" number="1"/><block type="SFC" number="1" system="true"/></program>)"),
                     "t.plc.xml");
  ShowSystem(true);
  cursor->SetCursorMode(mzblprsx::RgProjectExplorerDialogCursorModeUpload);
  cursor->Attach(snapIn->OnlineModel());
  EXPECT_EQ(Listed(true), "Station OB1 SFC1");
  env.DisconnectPlc();  // before the snap-in ends, as the host does
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

}  // namespace
}  // namespace mztest
