// The block list dialog: which buttons can be pressed, the double click, and what each way out
// gives back as items and open mode.
#include "ExplorerDialogFixture.h"
#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/dialogs/RgProjectDialogBlockList.h"

namespace dialogtest {
namespace {

class BlockListDialogTest : public ExplorerDialogFixture {
 protected:
  /// "FB10 mode=1": the items and the mode the dialog gave back.
  std::string Open(int32_t location = mzblprsx::RgProjectLocationOffline) {
    int32_t mode = -1;
    const auto items =
        MakeObject<mzblprsx::RgProjectDialogBlockList>()->OpenBlock(snapIn, location, mode);
    return Names(items) + " mode=" + std::to_string(mode);
  }
};

TEST_F(BlockListDialogTest, OpenAndPropertiesNeedABlockAndADoubleClickOpensIt) {
  Look("rgcmdBlockOpen");  // the first row, a block, is selected
  // An empty category pressed stands for nothing; Ctrl on the release takes the category itself.
  Click("Spare").Click("Spare", ui::kCtrlMask);
  Look("rgcmdBlockOpen");
  Click("Motors");  // its blocks
  Look("rgcmdBlockProperties");
  loop->Click("rgcmdBlockProperties");
  EXPECT_EQ(Open(), "FB10 FB11 DB10 mode=2");
  EXPECT_EQ(mztest::Join(looks),
            "OB1 focus=OB1 on, Spare focus=Spare off, FB10 FB11 DB10 focus=Motors on");

  Click("FB11").Key(ui::VK_RETURN);
  EXPECT_EQ(Open(), "FB11 mode=1") << "Enter opens";
  Click("OB1");
  loop->Click("rgcmdBlockOpen");
  EXPECT_EQ(Open(mzblprsx::RgProjectLocationOnline), "OB1 mode=1");
  EXPECT_EQ(mztest::Join(ErrorSources()), "");

  SCOPED_TRACE("a double click opens the item under it");
  looks.clear();
  // On empty space nothing happens (the release there clears the selection).
  Click("FB10");
  Step("double click below",
       [](frmProjectExplorerDialog& form) { form.rgpexExplorer()->DoubleClickRow(0); });
  Look("rgcmdBlockOpen");
  Click("OB1", ui::kCtrlMask);
  Step("double click FB11", [](frmProjectExplorerDialog& form) {
    // With Ctrl the press adds FB11 to OB1; the double click leaves it alone.
    form.rgpexExplorer()->DoubleClickRow(Row(form, "FB11"), ui::kCtrlMask);
  });
  EXPECT_EQ(Open(), "FB11 mode=1");
  EXPECT_EQ(mztest::Join(looks), "focus=FB10 off");
}

TEST_F(BlockListDialogTest, EveryWayOutButOpenGivesNothing) {
  for (const char* way : {"Cancel", "Escape", "close box"}) {
    SCOPED_TRACE(way);
    Click("FB10");
    if (way == std::string("Cancel")) loop->Click("rgcmdCancel");
    if (way == std::string("Escape")) loop->PressKey(ui::VK_ESCAPE);
    if (way == std::string("close box")) loop->CloseBox();
    EXPECT_EQ(Open(), " mode=0");
  }
  // Another location has no tree and no parameter file.
  Step("look", [this](frmProjectExplorerDialog& form) {
    looks.push_back(std::to_string(form.rgpexExplorer()->ItemCount()) + " rows, file '" +
                    form.rgpexExplorer()->ParameterFile() + "', " + form.Caption());
  }).PressKey(ui::VK_ESCAPE);
  EXPECT_EQ(Open(mzblprsx::RgProjectLocationUnknown), " mode=0");
  EXPECT_EQ(looks.back(), "0 rows, file '', Open Block");

  int32_t mode = 7;
  EXPECT_FALSE(MakeObject<mzblprsx::RgProjectDialogBlockList>()->OpenBlock(nullptr, 1, mode));
  EXPECT_EQ(mode, 7) << "without a snap-in the mode stays";
  // Its own position key.
  EXPECT_FALSE(env.Options().Value("mzblprsx/OpenBlock/Left").IsEmpty());
}

}  // namespace
}  // namespace dialogtest
