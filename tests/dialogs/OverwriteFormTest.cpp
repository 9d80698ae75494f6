// The overwrite form's own behaviour, driven through the block dialog: the ways out, Enter and
// the default button, the message tip, the owner window and focus, the stored position and the
// wait cursor around the modal display.
#include <functional>

#include "DialogFixture.h"
#include "host/app/HostApplication.h"
#include "host/framework/ErrorService.h"
#include "host/services/OptionService.h"

namespace dialogtest {
namespace {

using FormTest = DialogFixture;

TEST_F(FormTest, EveryWayOutButOKAndAllCancels) {
  struct Row {
    const char* way;
    std::function<void(ui::ScriptedModalLoop&)> script;
  };
  const Row rows[] = {
      {"Escape", [](auto& l) { l.PressKey(ui::VK_ESCAPE); }},
      {"Escape in the entry",
       [](auto& l) { l.TypeNumber("rgbexNew", "13").PressKey(ui::VK_ESCAPE); }},
      {"close box", [](auto& l) { l.CloseBox(); }},
      {"Alt+F4", [](auto& l) { l.AltF4(); }},
      {"Cancel", [](auto& l) { l.Click("cmdCancel"); }},
      {"Enter on Cancel", [](auto& l) { l.Focus("cmdCancel").PressKey(ui::VK_RETURN); }},
  };
  for (const auto& row : rows) {
    loop = MakeObject<ui::ScriptedModalLoop>();
    ui::UiState::Current().SetModalLoop(loop);
    row.script(*loop);
    EXPECT_EQ(ShowFB10(1), kCancel) << row.way;
    EXPECT_EQ(number, 10) << row.way << ": a cancelled rename gives nothing back";
    EXPECT_EQ(symbol, "Motor") << row.way;
    EXPECT_EQ(loop->Remaining(), 0u) << row.way;
  }
  EXPECT_EQ(ErrorTexts(), "") << "the close box is swallowed, never unloads behind our back";
}

TEST_F(FormTest, EnterInTheNewEntryClicksTheDefaultButton) {
  loop->TypeNumber("rgbexNew", "14").PressKey(ui::VK_RETURN);
  EXPECT_EQ(ShowFB10(1), kRename) << "OK is the default while the entry has the focus";
  EXPECT_EQ(number, 14);

  loop->Focus("cmdCancel").Focus("rgbexNew").PressKey(ui::VK_RETURN);
  EXPECT_EQ(ShowFB10(1), kRename) << "focusing the entry hands the default back to OK";

  loop->Click("rgoptOverwrite").Focus("cmdAll").PressKey(ui::VK_RETURN);
  EXPECT_EQ(ShowFB10(0), kOverwriteAll) << "Enter on a focused All clicks All";
}

TEST_F(FormTest, AllCannotStayDefaultWhileRenameIsChosen) {
  loop->Click("rgoptIgnore").Focus("cmdAll");
  Look();
  loop->Click("rgoptRename");
  Look();
  loop->Focus("cmdAll");  // disabled: nothing happens
  Look();
  loop->Focus("rgoptOverwrite").PressKey(ui::VK_SPACE);
  Look();
  loop->PressKey(ui::VK_RETURN);
  EXPECT_EQ(ShowFB10(0), kOverwrite);
  EXPECT_EQ(looks,
            (std::vector<std::string>{
                "enabled=rename,overwrite,ignore choice=ignore new=off all=on default=All tip=-",
                "enabled=rename,overwrite,ignore choice=rename new=on all=off default=OK tip=-",
                "enabled=rename,overwrite,ignore choice=rename new=on all=off default=OK tip=-",
                "enabled=rename,overwrite,ignore choice=overwrite new=off all=on default=OK tip=-",
            }))
      << "All disabled with rename; a choice keeps OK as default rather than moving it to All";
}

TEST_F(FormTest, ExactlyOneButtonLooksLikeTheDefault) {
  std::string styles;
  const auto look = [&](ui::Form& form) {
    auto& f = Dialog(form);
    for (const auto& b : {f.cmdOK(), f.cmdAll(), f.cmdCancel()}) {
      styles += b->IsDefaultStyle() ? "1" : "0";
    }
    styles += " ";
  };
  loop->Do("look", look).Focus("cmdCancel").Do("look", look).Focus("cmdAll").Do("look", look);
  loop->Focus("rgoptOverwrite").Do("look", look);  // a choice leaves an enabled All the default
  loop->Click("rgoptRename").Do("look", look).Click("cmdCancel");
  EXPECT_EQ(ShowFB10(0), kCancel);
  EXPECT_EQ(styles, "100 001 010 010 100 ");
}

TEST_F(FormTest, TheTipGoesWhenTheUserMovesOn) {
  const std::string taken = "Error: " + Text(2100);
  loop->TypeNumber("rgbexNew", "11").Click("cmdOK");
  Look();
  loop->Focus("rgoptRename");  // the same choice as at OK: the message stays
  Look();
  loop->Focus("rgoptOverwrite");  // another choice: the message no longer applies
  Look();
  loop->Click("cmdCancel");
  EXPECT_EQ(ShowFB10(1), kCancel);
  ASSERT_EQ(looks.size(), 3u);
  EXPECT_NE(looks[0].find("tip=" + taken), std::string::npos) << looks[0];
  EXPECT_NE(looks[1].find("tip=" + taken), std::string::npos) << looks[1];
  EXPECT_NE(looks[2].find("tip=-"), std::string::npos) << looks[2];

  looks.clear();
  loop->TypeNumber("rgbexNew", "11").Click("cmdOK").Focus("cmdCancel");
  Look();
  loop->PressKey(ui::VK_RETURN);
  EXPECT_EQ(ShowFB10(1), kCancel);
  EXPECT_NE(looks.at(0).find("tip=-"), std::string::npos) << "a new default hides the tip";
}

TEST_F(FormTest, TheMainWindowOwnsTheDialogAndGetsTheFocusBack) {
  int32_t owner = 0;
  bool active = false;
  loop->Do("look",
           [&](ui::Form& form) {
             owner = ui::GetWindowLong(form.HWnd(), ui::GWL_HWNDPARENT);
             active = ui::UiState::Current().ActiveWindow() == form.HWnd();
           })
      .PressKey(ui::VK_ESCAPE);
  ShowFB10(1);
  EXPECT_EQ(owner, MainWindow());
  EXPECT_TRUE(active);
  EXPECT_EQ(ui::GetFocus(), MainWindow()) << "the focus goes back where it was";
}

TEST(HostMainWindow, OnlyKindThreeIsTheMainFrame) {
  host::Environment env;
  auto& app = env.Application();
  const int32_t main = app.GetWindowHandle(host::HostApplication::kMainFrameWindow);
  EXPECT_TRUE(ui::IsWindow(main));
  EXPECT_EQ(main, app.MainWindow()->HWnd());
  EXPECT_TRUE(app.MainWindow()->Visible());
  for (const int32_t kind : {0, 1, 2, 4, 5, -1}) {
    EXPECT_EQ(app.GetWindowHandle(kind), 0) << "kind " << kind;
  }
  app.SetMainWindowExtension("Conveyor");
  EXPECT_EQ(app.MainWindow()->Caption(), "prjsnap - Conveyor");
}

class PositionTest : public DialogFixture {
 protected:
  void Store(const platform::Variant& left, const platform::Variant& top) {
    env.Options().Load(std::string(frmProjectDialogOverwrite::kKeyLeft), left);
    env.Options().Load(std::string(frmProjectDialogOverwrite::kKeyTop), top);
  }
  /// Where the dialog stood while shown, in pixels.
  std::pair<int32_t, int32_t> ShownAt() {
    std::pair<int32_t, int32_t> at{-99, -99};
    loop->Do("where", [&](ui::Form& f) { at = {f.Left() / 15, f.Top() / 15}; }).Click("cmdCancel");
    ShowFB10(1);
    return at;
  }
  int32_t Stored(std::string_view key) { return env.Options().Value(std::string(key)).ToInt32(); }
};

TEST_F(PositionTest, StoredPositionIsPlacedOnTheScreen) {
  // The form is 316 x 243 pixels on a 1280 x 1024 screen.
  struct Row {
    platform::Variant left, top;
    int32_t x, y;
    const char* why;
  };
  const Row rows[] = {
      {-1, -1, 482, 390, "-1 centres"},
      {100, 200, 100, 200, "a position inside the screen is kept"},
      {"300", "40", 300, 40, "stored as text"},
      {1200, 900, 964, 781, "pulled back to end at the right and bottom edges"},
      {964, 781, 964, 781, "ending exactly at the edges is fine"},
      {-5, -40, -5, -40, "other negative values are used as they are"},
      {-1, 1000, 482, 781, "each coordinate on its own"},
  };
  for (const auto& row : rows) {
    Store(row.left, row.top);
    EXPECT_EQ(ShownAt(), std::make_pair(row.x, row.y)) << row.why;
    EXPECT_EQ(Stored(frmProjectDialogOverwrite::kKeyLeft), row.x) << row.why << ": saved on close";
    EXPECT_EQ(Stored(frmProjectDialogOverwrite::kKeyTop), row.y) << row.why;
  }
}

TEST_F(PositionTest, ScreenSizeAndTwipsPerPixelBothCount) {
  ui::UiState::Current().SetScreen(800, 600, 12);  // the form: 395 x 304 pixels
  Store(-1, 500);
  std::pair<int32_t, int32_t> at;
  loop->Do("where", [&](ui::Form& f) { at = {f.Left() / 12, f.Top() / 12}; }).Click("cmdCancel");
  ShowFB10(1);
  EXPECT_EQ(at, std::make_pair(202, 296));
}

TEST_F(PositionTest, TheUsersMoveIsStored) {
  Store(-1, -1);
  loop->Do("drag", [](ui::Form& f) { f.Move(150 * 15, 75 * 15); }).PressKey(ui::VK_ESCAPE);
  ShowFB10(1);
  EXPECT_EQ(Stored(frmProjectDialogOverwrite::kKeyLeft), 150);
  EXPECT_EQ(Stored(frmProjectDialogOverwrite::kKeyTop), 75);
  EXPECT_TRUE(env.Options().Value(std::string(frmProjectDialogOverwrite::kKeyLeft)).Type() ==
              platform::VarType::Int32)
      << "stored as 32-bit numbers";
}

TEST_F(FormTest, TheWaitCursorIsSuspendedWhileTheDialogIsShown) {
  auto& app = env.Application();
  app.DoWaitCursor(1);  // the paste runs inside a wait
  const auto before = app.WaitCursorLog().size();
  bool hourglassShown = true;
  loop->Do("look", [&](ui::Form&) { hourglassShown = app.WaitCursorShown(); }).Click("cmdCancel");
  ShowFB10(1);
  EXPECT_FALSE(hourglassShown) << "the user answers with the normal cursor";
  EXPECT_TRUE(app.WaitCursorShown()) << "the wait goes on afterwards";
  EXPECT_EQ(std::vector<int32_t>(app.WaitCursorLog().begin() + before, app.WaitCursorLog().end()),
            (std::vector<int32_t>{-1, 1}));
  app.DoWaitCursor(-1);
}

TEST_F(FormTest, AFailedDisplayLeavesNothingBehind) {
  ui::UiState::Current().SetModalLoop(nullptr);
  auto& app = env.Application();
  app.DoWaitCursor(1);
  EXPECT_EQ(ShowFB10(1), kCancel) << "the absorbed error leaves the default result";
  EXPECT_NE(ErrorTexts().find("mzblprsx.frmProjectDialogOverwrite.ShowDialog: No modal loop"),
            std::string::npos)
      << ErrorTexts();
  EXPECT_EQ(app.WaitCursorDepth(), 1) << "the wait is resumed although the display failed";
  EXPECT_EQ(app.WaitCursorImbalances(), 0);
  EXPECT_EQ(ui::GetFocus(), MainWindow()) << "the form was unloaded";
  app.DoWaitCursor(-1);
}

}  // namespace
}  // namespace dialogtest
