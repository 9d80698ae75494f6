// The block and category overwrite dialogs: presets and results of both; for blocks what comes
// back on rename, system blocks, the checks of the new number and of an open editor, the proposal
// of standard symbols and the caption order; for categories the entries and the checks of the new
// name (taken, missing, no context).
#include <functional>

#include "DialogFixture.h"
#include "host/app/AppDocuments.h"
#include "host/app/HostApplication.h"
#include "host/project/Block.h"
#include "host/services/CategoryService.h"
#include "host/services/OptionService.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"

namespace dialogtest {
namespace {

/// Keeps the shown form alive past the dialog, to look at it after it was closed.
Ref<frmProjectDialogOverwrite> Keep(ui::Form& form) {
  return Ref<frmProjectDialogOverwrite>(
      std::shared_ptr<frmProjectDialogOverwrite>(form.shared_from_this(), &Dialog(form)));
}

using BlockDialog = DialogFixture;

TEST_F(BlockDialog, EachModeOfBothDialogsPresetsTheChoices) {
  struct Row {
    bool category;
    int32_t mode;
    const char* state;
  };
  const Row rows[] = {
      {false, 0, "enabled=rename,overwrite,ignore choice=ignore new=off all=on default=OK tip=-"},
      {false, 1, "enabled=rename,overwrite,ignore choice=rename new=on all=off default=OK tip=-"},
      {false, 2, "enabled=rename,overwrite choice=rename new=on all=off default=OK tip=-"},
      {false, 7, "enabled=rename,overwrite,ignore choice=none new=on all=on default=OK tip=-"},
      {true, 0, "enabled=rename,overwrite,ignore choice=rename new=on all=off default=OK tip=-"},
      {true, 1, "enabled=rename,overwrite,ignore choice=ignore new=off all=on default=OK tip=-"},
      {true, 2, "enabled=rename,overwrite choice=rename new=on all=off default=OK tip=-"},
      {true, -1, "enabled=rename,overwrite,ignore choice=none new=on all=on default=OK tip=-"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE((row.category ? "category, mode " : "block, mode ") + std::to_string(row.mode));
    looks.clear();
    Look().Click("cmdCancel");
    EXPECT_EQ(row.category ? ShowCategory(row.mode) : ShowFB10(row.mode), kCancel);
    EXPECT_EQ(looks, std::vector<std::string>{row.state});
    EXPECT_EQ(categoryName, "Motors") << "a cancelled rename gives nothing back";
  }
}

TEST_F(BlockDialog, TheFormShowsBothBlocksWithTheTextsOfTheLanguageModule) {
  Ref<frmProjectDialogOverwrite> form;
  loop->Do("keep", [&](ui::Form& f) { form = Keep(f); }).Click("cmdCancel");
  ShowFB10(1);
  ASSERT_TRUE(form);
  EXPECT_EQ(form->Caption(), Text(520));
  EXPECT_EQ(form->rgoptIgnore()->Caption(), Text(534));
  EXPECT_EQ(form->rgbexOld()->Render(), "[FB 10 | Motor] (disabled)");
  EXPECT_EQ(form->rgbexNew()->Render(), "[FB 12 | Motor (1)]");
  EXPECT_EQ(form->rgbexNew()->MaxSymbolLength(), 24);
  EXPECT_FALSE(form->IsLoaded()) << "the controller unloads the form";
}

TEST_F(BlockDialog, ButtonChoiceAndEntryOfBothDialogsGiveTheResult) {
  struct Row {
    bool category;
    const char* what;
    int32_t mode;
    std::function<void(ui::ScriptedModalLoop&)> script;
    int32_t result;
    const char* given;  // a block's "number symbol", a category's name
  };
  const auto overwriteOK = [](auto& l) { l.Click("rgoptOverwrite").Click("cmdOK"); };
  const auto overwriteAll = [](auto& l) { l.Click("rgoptOverwrite").Click("cmdAll"); };
  const auto ok = [](auto& l) { l.Click("cmdOK"); };
  const auto all = [](auto& l) { l.Click("cmdAll"); };
  const Row rows[] = {
      // Only a rename gives a block a new number or symbol.
      {false, "OK with overwrite", 1, overwriteOK, kOverwrite, "10 Motor"},
      {false, "All with overwrite", 1, overwriteAll, kOverwriteAll, "10 Motor"},
      {false, "OK with ignore", 0, ok, kIgnore, "10 Motor"},
      {false, "All with ignore", 0, all, kIgnoreAll, "10 Motor"},
      {false, "OK without a choice", 7, ok, kCancel, "10 Motor"},
      {false, "All without a choice", 7, all, kCancel, "10 Motor"},
      {false, "All clicked while disabled", 1,
       [](auto& l) { l.Click("cmdAll").Click("cmdCancel"); }, kCancel, "10 Motor"},
      {false, "the proposal accepted", 1, ok, kRename, "12 Motor (1)"},
      {false, "a typed rename", 2,
       [](auto& l) {
         l.TypeNumber("rgbexNew", "30").TypeText("rgbexNew", "Conveyor motor").Click("cmdOK");
       },
       kRename, "30 Conveyor motor"},
      {true, "OK with rename", 0, ok, kRename, "Motors (1)"},
      {true, "a typed name", 2,
       [](auto& l) { l.TypeText("rgbexNew", "Drives").PressKey(ui::VK_RETURN); }, kRename,
       "Drives"},
      {true, "OK with overwrite", 0, overwriteOK, kOverwrite, "Motors"},
      {true, "All with overwrite", 0, overwriteAll, kOverwriteAll, "Motors"},
      {true, "OK with ignore", 1, ok, kIgnore, "Motors"},
      {true, "All with ignore", 1, all, kIgnoreAll, "Motors"},
      {true, "Escape", 1, [](auto& l) { l.PressKey(ui::VK_ESCAPE); }, kCancel, "Motors"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.category ? "category: " : "block: ") + row.what);
    NewScript();
    row.script(*loop);
    categoryName = "Motors";
    EXPECT_EQ(row.category ? ShowCategory(row.mode) : ShowFB10(row.mode), row.result);
    EXPECT_EQ(row.category ? categoryName : std::to_string(number) + " " + symbol, row.given);
  }
}

TEST_F(BlockDialog, SystemBlocksAreNeverRenamed) {
  for (const int32_t type : {kSFC, kSDB}) {
    for (const int32_t mode : {0, 1, 2}) {
      looks.clear();
      std::string entry;
      Look().Do("entry", [&](ui::Form& f) { entry = Dialog(f).rgbexNew()->Render(); });
      loop->Click("rgoptRename").Click("cmdOK");  // the click does nothing
      number = 46;
      symbol = "STP";
      EXPECT_EQ(ShowBlock(type, mode, 1, "READ_CLK"), kIgnore) << type << "/" << mode;
      EXPECT_EQ(looks,
                std::vector<std::string>{
                    "enabled=overwrite,ignore choice=ignore new=off all=on default=OK "
                    "tip=Information: " +
                    Text(533)})
          << "type " << type << ", mode " << mode << " is ignored";
      EXPECT_NE(entry.find(" 46 | STP]"), std::string::npos)
          << "the existing number and symbol are shown, not the proposal: " << entry;
    }
  }
  EXPECT_NE(loop->Log().at(2).find("click rgoptRename (ignored)"), std::string::npos);
}

TEST_F(BlockDialog, ARefusedNumberMarksTheEntryUntilAGoodOneIsTaken) {
  const auto marked = [](frmProjectDialogOverwrite& d) {
    const bool red = d.rgbexNew()->BackColor() == frmProjectDialogOverwrite::kColorInputError;
    return TipOf(d, "") + (red ? "|red" : "|normal");
  };
  Ref<frmProjectDialogOverwrite> form;
  for (const char* typed : {"0", "11", "20"}) {
    loop->TypeNumber("rgbexNew", typed).Click("cmdOK");
    Look(marked).Do("keep", [&](ui::Form& f) { form = Keep(f); });
  }
  loop->TypeNumber("rgbexNew", "65535").Click("cmdOK");
  EXPECT_EQ(ShowFB10(1), kRename);
  const std::string invalid = "Error: " + Text(2101) + "|red";
  const std::string taken = "Error: " + Text(2100) + "|red";
  EXPECT_EQ(looks, (std::vector<std::string>{invalid, taken, taken})) << "after 0, 11 and 20";
  EXPECT_EQ(number, 65535);
  ASSERT_TRUE(form);
  EXPECT_EQ(form->rgbexNew()->BackColor(), static_cast<int32_t>(0x80000005))
      << "the accepted entry is back to the window colour";
}

class OpenBlockDialog : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    fb10 = env.Project()->Program()->FindBlock(kFB, 10);
    env.Application().OpenDocument(fb10, -1);
  }
  Ref<host::Block> fb10;
};

TEST_F(OpenBlockDialog, OverwritingAnOpenBlockIsRefusedButAllOnlyChecksInModeTwo) {
  loop->Click("rgoptOverwrite").Click("cmdOK");
  Look().Click("cmdCancel");
  EXPECT_EQ(ShowFB10(1), kCancel);
  EXPECT_EQ(
      looks.at(0),
      "enabled=rename,overwrite,ignore choice=overwrite new=off all=on default=OK tip=Error: " +
          Text(2106))
      << "the dialog stays open with the reason";

  for (const int32_t mode : {0, 1}) {
    loop->Click("rgoptOverwrite").Click("cmdAll");
    EXPECT_EQ(ShowFB10(mode), kOverwriteAll) << "mode " << mode << ": the caller checks";
  }
  looks.clear();
  loop->Click("rgoptOverwrite").Click("cmdAll");
  Look().Click("cmdCancel");
  EXPECT_EQ(ShowFB10(2), kCancel);
  EXPECT_NE(looks.at(0).find("tip=Error: " + Text(2106)), std::string::npos) << looks[0];

  SCOPED_TRACE("other blocks and closed editors pass");
  loop->Click("rgoptOverwrite").Click("cmdOK");
  number = 11;
  symbol = "BeltDrive";
  EXPECT_EQ(ShowBlock(kFB, 1), kOverwrite) << "FB11 has no open editor";
  env.Application().CloseDocument(env.Application().DocumentList()->Find(fb10));
  loop->Click("rgoptOverwrite").Click("cmdOK");
  EXPECT_EQ(ShowFB10(1), kOverwrite);
}

TEST_F(BlockDialog, ANewNumberBringsItsStandardSymbol) {
  const auto shown = [](frmProjectDialogOverwrite& f) { return f.rgbexNew()->Symbol(); };
  loop->TypeNumber("rgbexNew", "1");         // SFB1 is CTD
  Look(shown).TypeNumber("rgbexNew", "99");  // no standard symbol: cleared
  Look(shown).TypeText("rgbexNew", "Mine").TypeNumber("rgbexNew", "");  // no block: kept
  Look(shown).TypeNumber("rgbexNew", "3").Click("cmdOK");
  number = 4;
  symbol = "TON";
  EXPECT_EQ(ShowBlock(kSFB, 1, 6, ""), kRename);
  EXPECT_EQ(looks, (std::vector<std::string>{"CTD", "", "Mine"}));
  EXPECT_EQ(number, 3);
  EXPECT_EQ(symbol, "TP");
}

TEST_F(BlockDialog, AddressPriorityOrdersBothEntries) {
  const std::pair<const char*, const char*> rows[] = {{"1", "1 1"}, {"0", "0 0"}, {"2", "0 0"}};
  for (const auto& [priority, orders] : rows) {
    env.Options().Load("General/Settings/AddressPriority", priority);
    looks.clear();
    Look([](frmProjectDialogOverwrite& f) {
      return std::to_string(f.rgbexNew()->CaptionOrder()) + " " +
             std::to_string(f.rgbexOld()->CaptionOrder());
    }).Click("cmdCancel");
    ShowFB10(1);
    EXPECT_EQ(looks, std::vector<std::string>{orders}) << "priority " << priority << ": new, old";
  }
}

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
