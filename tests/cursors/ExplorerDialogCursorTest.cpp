// The dialogs' cursor: its filter per mode and option (the option read through the snap-in that
// owns the model), access by position, key and item, detaching, and the real online tree.
#include "core/SnapInFixture.h"
#include "host/services/OptionService.h"
#include "mzblprsx/core/LibraryClasses.h"
#include "mzblprsx/cursors/RgProjectCursorExplorerDialog.h"
#include "support/FakeFactory.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using mzblprsx::RgProjectCursorExplorerDialog;
constexpr auto kDownload = mzblprsx::RgProjectExplorerDialogCursorModeDownload;
constexpr auto kUpload = mzblprsx::RgProjectExplorerDialogCursorModeUpload;
constexpr auto kOpenBlock = mzblprsx::RgProjectExplorerDialogCursorModeOpenBlock;

class DialogCursor : public SnapInFixture {
 protected:
  void SetUp() override {
    env.Errors().SetPolicy(host::ErrorPolicy::Fail);
    Start();
    Initialized();
    model->Initialize();
    model->SetFactory(platform::MakeObject<FakeFactory>());
    model->SetOwner(snapIn);
    // P { HW, HW2, Prog { C1 {FB1, SFC4 (system), VAT1}, Default {FB3} }, Sym }
    project = Obj(
        "P", "RgProjectOffline",
        {Obj("HW", "RgHwConfigOffline"), Obj("HW2", "RgHwConfigOnline"),
         Obj("Prog", "RgProgramOffline",
             {Obj("C1", "RgCategory",
                  {Fb(1), SystemBlock(4),
                   Obj("VAT1", "RgBlockOffline.VAT", {}, {{"BLOCKTYPE", 1}, {"SYSTEM", false}})}),
              Obj("Default", "RgCategoryDefault", {Fb(3)})}),
         Obj("Sym", "RgSymbolTable")});
    model->AddProject(project);
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
      out += (out.empty() ? "" : " ") +
             (byName ? item->DataValue("NAME").ToString() : NameOf(item));
    return out;
  }
  Item Named(const char* name) { return ItemOf(model, FindObject(project, name)); }

  Ref<FakeObject> project;
  Model model = platform::CreateObjectAs<mzblprsx::RgProjectModel>(mzblprsx::clsid::kProjectModel);
  Ref<RgProjectCursorExplorerDialog> cursor = platform::MakeObject<RgProjectCursorExplorerDialog>();
};

TEST_F(DialogCursor, FilterByModeAndOptionSearchesBelowRejectedItems) {
  const struct {
    int32_t mode;
    bool show;
    const char* listed;
  } cases[] = {{kDownload, false, "HW HW2 C1 FB1 FB3"}, {kDownload, true, "HW HW2 C1 FB1 FB3"},
               {kUpload, false, "HW HW2 C1 FB1 FB3"},   {kUpload, true, "HW HW2 C1 FB1 SFC4 FB3"},
               {kOpenBlock, false, "C1 FB1 FB3"},       {kOpenBlock, true, "C1 FB1 SFC4 FB3"}};
  for (const auto& c : cases) {
    ShowSystem(c.show);
    cursor->SetCursorMode(c.mode);
    cursor->Attach(model);
    EXPECT_EQ(Listed(), c.listed) << c.mode << " " << c.show;
  }
  cursor->SetCursorMode(kDownload);
  EXPECT_EQ(Listed(), "C1 FB1 SFC4 FB3") << "the mode alone searches nothing";
  cursor->Refresh();
  EXPECT_EQ(Listed(), "HW HW2 C1 FB1 FB3");
  EXPECT_TRUE(mzblprsx::FindLibraryClass("mzblprsx.RgProjectCursorExplorerDialog"));
}

TEST_F(DialogCursor, ItemIndexFindAndDetach) {
  cursor->Attach(model);
  const Item fb1 = Named("FB1");
  EXPECT_EQ(cursor->Count().Type(), platform::VarType::Int32);
  EXPECT_EQ(cursor->Count().ToInt32(), 5);
  EXPECT_EQ(cursor->Index(fb1), 4);
  EXPECT_EQ(cursor->Index(Named("Prog")), 0);
  EXPECT_TRUE(SameObject(cursor->Item(Variant(4.0)), fb1));
  EXPECT_TRUE(SameObject(cursor->Item(Variant(RgProjectCursorExplorerDialog::ItemKey(fb1))), fb1));
  EXPECT_TRUE(cursor->Find(fb1));
  EXPECT_FALSE(cursor->Find(Named("Sym")));
  EXPECT_FALSE(cursor->Find(nullptr));
  EXPECT_EQ(ErrorOf([&] { cursor->Item(Variant(int32_t{6})); }), platform::errc::kSubscript);
  cursor->Attach(nullptr);
  EXPECT_EQ(ErrorOf([&] { cursor->Item(Variant(int32_t{1})); }), platform::errc::kObjectNotSet);
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgProjectCursorExplorerDialog.Property Get Item");
  env.Errors().SetPolicy(host::ErrorPolicy::Absorb);
  EXPECT_FALSE(cursor->Find(fb1)) << "absorbed: the default result";
  cursor->Attach(model);
  EXPECT_EQ(cursor->Count().ToInt32(), 5) << "attached again after a Detach";
  env.Errors().ClearReports();
}

TEST_F(DialogCursor, OnTheRealTreesOfProjectAndPlc) {
  env.OpenProjectText(ProjectXml(), "t.prj.xml");
  env.ConnectPlcText(PlcText(R"(<hardware name="Station"/><program name="Program">
    <block type="OB" number="1"/><block type="SFC" number="1" system="true"/></program>)"),
                     "t.plc.xml");
  ShowSystem(true);
  cursor->SetCursorMode(kUpload);
  cursor->Attach(snapIn->OnlineModel());
  EXPECT_EQ(Listed(true), "Station OB1 SFC1");
  cursor->SetCursorMode(kDownload);
  cursor->Attach(snapIn->OfflineModel());
  EXPECT_EQ(Listed(true), "Station OB1 Motors FB10 DB10 FB11 FC1");
  cursor->Detach();
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

}  // namespace
}  // namespace mztest
