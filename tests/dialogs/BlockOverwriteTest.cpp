// The block overwrite dialog, with the category dialog's presets and results beside its own:
// what comes back on rename, system blocks, the checks of the new number and of an open editor,
// the proposal of standard symbols, and the caption order.
#include <functional>

#include "DialogFixture.h"
#include "host/app/AppDocuments.h"
#include "host/app/HostApplication.h"
#include "host/project/Block.h"
#include "host/services/OptionService.h"

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

TEST_F(BlockDialog, ButtonAndChoiceOfBothDialogsGiveTheResult) {
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
    loop = MakeObject<ui::ScriptedModalLoop>();
    ui::UiState::Current().SetModalLoop(loop);
    row.script(*loop);
    categoryName = "Motors";
    EXPECT_EQ(row.category ? ShowCategory(row.mode) : ShowFB10(row.mode), row.result);
    EXPECT_EQ(row.category ? categoryName : std::to_string(number) + " " + symbol, row.given);
  }
}

TEST_F(BlockDialog, RenameGivesBackWhatTheUserEntered) {
  loop->Click("cmdOK");
  EXPECT_EQ(ShowFB10(1), kRename);
  EXPECT_EQ(number, 12) << "the proposal, accepted";
  EXPECT_EQ(symbol, "Motor (1)");

  loop->TypeNumber("rgbexNew", "30").TypeText("rgbexNew", "Conveyor motor").Click("cmdOK");
  EXPECT_EQ(ShowFB10(2), kRename);
  EXPECT_EQ(number, 30);
  EXPECT_EQ(symbol, "Conveyor motor");
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
  struct Step {
    const char* typed;
    const char* tip;  // "" for none
    bool marked;
  };
  const std::string invalid = "Error: " + Text(2101);
  const std::string taken = "Error: " + Text(2100);
  const Step steps[] = {
      {"0", invalid.c_str(), true},
      {"11", taken.c_str(), true},
      {"20", taken.c_str(), true},
      {"65535", "", false},
  };
  Ref<frmProjectDialogOverwrite> form;
  std::vector<std::string> seen;
  for (const auto& step : steps) {
    loop->TypeNumber("rgbexNew", step.typed).Click("cmdOK");
    if (&step == &steps[3]) break;  // accepted: the form is closed
    loop->Do("look", [&](ui::Form& f) {
      auto& d = Dialog(f);
      seen.push_back(std::string(d.Tip()->IsVisible() ? d.Tip()->Render() : "") + "|" +
                     (d.rgbexNew()->BackColor() == frmProjectDialogOverwrite::kColorInputError
                          ? "red"
                          : "normal"));
      form = Keep(f);
    });
  }
  EXPECT_EQ(ShowFB10(1), kRename);
  ASSERT_EQ(seen.size(), 3u);
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i], std::string(steps[i].tip) + "|" + (steps[i].marked ? "red" : "normal"))
        << "after typing " << steps[i].typed;
  }
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

TEST_F(OpenBlockDialog, OverwritingAnOpenBlockIsRefused) {
  loop->Click("rgoptOverwrite").Click("cmdOK");
  Look().Click("cmdCancel");
  EXPECT_EQ(ShowFB10(1), kCancel);
  EXPECT_EQ(
      looks.at(0),
      "enabled=rename,overwrite,ignore choice=overwrite new=off all=on default=OK tip=Error: " +
          Text(2106))
      << "the dialog stays open with the reason";
}

TEST_F(OpenBlockDialog, AllChecksTheEditorOnlyInModeTwo) {
  for (const int32_t mode : {0, 1}) {
    loop->Click("rgoptOverwrite").Click("cmdAll");
    EXPECT_EQ(ShowFB10(mode), kOverwriteAll) << "mode " << mode << ": the caller checks";
  }
  looks.clear();
  loop->Click("rgoptOverwrite").Click("cmdAll");
  Look().Click("cmdCancel");
  EXPECT_EQ(ShowFB10(2), kCancel);
  EXPECT_NE(looks.at(0).find("tip=Error: " + Text(2106)), std::string::npos) << looks[0];
}

TEST_F(OpenBlockDialog, OtherBlocksAndClosedEditorsPass) {
  loop->Click("rgoptOverwrite").Click("cmdOK");
  number = 11;
  symbol = "BeltDrive";
  EXPECT_EQ(ShowBlock(kFB, 1), kOverwrite) << "FB11 has no open editor";

  env.Application().CloseDocument(env.Application().DocumentList()->Find(fb10));
  loop->Click("rgoptOverwrite").Click("cmdOK");
  EXPECT_EQ(ShowFB10(1), kOverwrite);
}

TEST_F(BlockDialog, ANewNumberBringsItsStandardSymbol) {
  std::vector<std::string> symbols;
  const auto note = [&](ui::Form& f) { symbols.push_back(Dialog(f).rgbexNew()->Symbol()); };
  loop->TypeNumber("rgbexNew", "1").Do("look", note);   // SFB1 is CTD
  loop->TypeNumber("rgbexNew", "99").Do("look", note);  // no standard symbol: cleared
  loop->TypeText("rgbexNew", "Mine").TypeNumber("rgbexNew", "").Do("look", note);  // no block
  loop->TypeNumber("rgbexNew", "3").Click("cmdOK");
  number = 4;
  symbol = "TON";
  EXPECT_EQ(ShowBlock(kSFB, 1, 6, ""), kRename);
  EXPECT_EQ(symbols, (std::vector<std::string>{"CTD", "", "Mine"}));
  EXPECT_EQ(number, 3);
  EXPECT_EQ(symbol, "TP");
}

TEST_F(BlockDialog, AddressPriorityOrdersBothEntries) {
  struct Row {
    const char* priority;
    int16_t order;
  };
  for (const Row& row : {Row{"1", 1}, Row{"0", 0}, Row{"2", 0}}) {
    env.Options().Load("General/Settings/AddressPriority", row.priority);
    std::vector<int16_t> orders;
    loop->Do(
            "look",
            [&](ui::Form& f) {
              orders = {Dialog(f).rgbexNew()->CaptionOrder(), Dialog(f).rgbexOld()->CaptionOrder()};
            })
        .Click("cmdCancel");
    ShowFB10(1);
    EXPECT_EQ(orders, (std::vector<int16_t>{row.order, row.order})) << "priority " << row.priority;
  }
}

}  // namespace
}  // namespace dialogtest
