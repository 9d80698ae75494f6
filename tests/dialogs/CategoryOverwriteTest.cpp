// The category overwrite dialog: its entries and the checks of the new name (taken, missing, no
// context). Its presets and results are tested beside the block dialog's.
#include <functional>

#include "DialogFixture.h"
#include "host/services/CategoryService.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"

namespace dialogtest {
namespace {

using CategoryDialog = DialogFixture;

TEST_F(CategoryDialog, TheEntriesShowPlainNames) {
  Look([](frmProjectDialogOverwrite& f) {
    return f.Caption() + "|" + f.lblText()->Caption() + "|" + f.rgbexOld()->Render() + "|" +
           f.rgbexNew()->Render();
  }).Click("cmdCancel");
  ShowCategory(0);
  // The new entry shows the category service's proposal.
  EXPECT_EQ(looks, std::vector<std::string>{Text(529) + "|" + Text(530) +
                                            "|[Motors] (disabled)|[Motors (1)]"});
}

TEST_F(CategoryDialog, ARefusedNameKeepsTheDialogOpenAndOnlyARenameIsChecked) {
  for (const char* typed : {"diagnostics", ""}) {  // names compare without regard to case
    loop->TypeText("rgbexNew", typed).Click("cmdOK");
    Look([](frmProjectDialogOverwrite& f) {
      const bool red = f.rgbexNew()->BackColor() == frmProjectDialogOverwrite::kColorInputError;
      return TipOf(f) + (red ? " red" : "");
    });
  }
  loop->TypeText("rgbexNew", "Belts").Click("cmdOK");
  EXPECT_EQ(ShowCategory(0), kRename);
  EXPECT_EQ(looks, (std::vector<std::string>{"Error: " + Text(2110) + " red",
                                             "Error: " + Text(2111) + " red"}));
  EXPECT_EQ(categoryName, "Belts");

  categoryName = "Motors";
  loop->TypeText("rgbexNew", "Diagnostics").Click("rgoptOverwrite").Click("cmdOK");
  EXPECT_EQ(ShowCategory(0), kOverwrite) << "the entry's text does not matter for an overwrite";
}

/// The host's category service, except that it has lost the program when asked to check a name.
class ContextLostService final : public host::CategoryService {
 public:
  std::string_view TypeName() const override { return "ContextLostService"; }
  int32_t CheckName(Ref<platform::Object>, const std::string&) override { return 0; }
};

class ContextLostDialog : public DialogFixture {
 protected:
  static void UseService(std::function<Ref<platform::Object>()> factory) {
    platform::ClassRegistry::Instance().Register(mzblprsx::clsid::kCategoryService, "",
                                                 std::move(factory));
  }
  // The snap-in creates its category service on first use and keeps it: swap the class first.
  void SetUp() override {
    UseService([] { return MakeObject<ContextLostService>(); });
    DialogFixture::SetUp();
  }
  void TearDown() override {
    DialogFixture::TearDown();
    UseService([] { return MakeObject<host::CategoryService>(); });
  }
};

TEST_F(ContextLostDialog, ANameThatCannotBeCheckedIsRefused) {
  loop->Click("cmdOK");
  Look().Click("cmdCancel");
  EXPECT_EQ(ShowCategory(0), kCancel);
  EXPECT_EQ(looks.at(0),
            "enabled=rename,overwrite,ignore choice=rename new=on all=off default=OK "
            "tip=Error: Internal Error!  Context is missing!");
}

}  // namespace
}  // namespace dialogtest
