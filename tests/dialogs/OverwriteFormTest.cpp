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
    NewScript();
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
  Look().Click("rgoptRename");
  Look().Focus("cmdAll");  // disabled: nothing happens
  Look().Focus("rgoptOverwrite").PressKey(ui::VK_SPACE);
  Look().PressKey(ui::VK_RETURN);
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
  const auto styles = [](frmProjectDialogOverwrite& f) {
    std::string s;
    for (const auto& b : {f.cmdOK(), f.cmdAll(), f.cmdCancel()}) {
      s += b->IsDefaultStyle() ? "1" : "0";
    }
    return s;
  };
  Look(styles).Focus("cmdCancel");
  Look(styles).Focus("cmdAll");
  Look(styles).Focus("rgoptOverwrite");  // a choice leaves an enabled All the default
  Look(styles).Click("rgoptRename");
  Look(styles).Click("cmdCancel");
  EXPECT_EQ(ShowFB10(0), kCancel);
  EXPECT_EQ(mztest::Join(looks), "100, 001, 010, 010, 100");
}

TEST_F(FormTest, TheTipGoesWhenTheUserMovesOn) {
  const std::string taken = "Error: " + Text(2100);
  const auto tip = [](frmProjectDialogOverwrite& f) { return TipOf(f); };
  loop->TypeNumber("rgbexNew", "11").Click("cmdOK");
  Look(tip).Focus("rgoptRename");     // the same choice as at OK: the message stays
  Look(tip).Focus("rgoptOverwrite");  // another choice: the message no longer applies
  Look(tip).Click("cmdCancel");
  EXPECT_EQ(ShowFB10(1), kCancel);
  EXPECT_EQ(looks, (std::vector<std::string>{taken, taken, "-"}));

  looks.clear();
  loop->TypeNumber("rgbexNew", "11").Click("cmdOK").Focus("cmdCancel");
  Look(tip).PressKey(ui::VK_RETURN);
  EXPECT_EQ(ShowFB10(1), kCancel);
  EXPECT_EQ(looks, std::vector<std::string>{"-"}) << "a new default hides the tip";
}

TEST_F(FormTest, TheMainWindowOwnsTheDialogAndGetsTheFocusBack) {
  auto& app = env.Application();
  const int32_t main = app.GetWindowHandle(host::HostApplication::kMainFrameWindow);
  EXPECT_TRUE(ui::IsWindow(main));
  EXPECT_EQ(main, MainWindow()) << "only kind three is the main frame";
  EXPECT_TRUE(app.MainWindow()->Visible());
  for (const int32_t kind : {0, 1, 2, 4, 5, -1}) {
    EXPECT_EQ(app.GetWindowHandle(kind), 0) << "kind " << kind;
  }
  app.SetMainWindowExtension("Conveyor");
  EXPECT_EQ(app.MainWindow()->Caption(), "prjsnap - Conveyor");

  Look([](frmProjectDialogOverwrite& f) {
    const bool active = ui::UiState::Current().ActiveWindow() == f.HWnd();
    return std::to_string(ui::GetWindowLong(f.HWnd(), ui::GWL_HWNDPARENT)) +
           (active ? " active" : "");
  }).PressKey(ui::VK_ESCAPE);
  ShowFB10(1);
  EXPECT_EQ(looks, std::vector<std::string>{std::to_string(MainWindow()) + " active"});
  EXPECT_EQ(ui::GetFocus(), MainWindow()) << "the focus goes back where it was";
}

class PositionTest : public DialogFixture {
 protected:
  void Store(const platform::Variant& left, const platform::Variant& top) {
    env.Options().Load(std::string(frmProjectDialogOverwrite::kKeyLeft), left);
    env.Options().Load(std::string(frmProjectDialogOverwrite::kKeyTop), top);
  }
  /// Where the dialog stood while shown, in pixels of `twips`.
  std::pair<int32_t, int32_t> ShownAt(int32_t twips = 15) {
    std::pair<int32_t, int32_t> at{-99, -99};
    loop->Do("where",
             [&](ui::Form& f) {
               at = {f.Left() / twips, f.Top() / twips};
             })
        .Click("cmdCancel");
    ShowFB10(1);
    return at;
  }
  int32_t Stored(std::string_view key) { return env.Options().Value(std::string(key)).ToInt32(); }
};

TEST_F(PositionTest, StoredPositionIsPlacedOnTheScreenAndTheUsersMoveIsStored) {
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

  Store(-1, -1);
  loop->Do("drag", [](ui::Form& f) { f.Move(150 * 15, 75 * 15); }).PressKey(ui::VK_ESCAPE);
  ShowFB10(1);
  EXPECT_EQ(Stored(frmProjectDialogOverwrite::kKeyLeft), 150);
  EXPECT_EQ(Stored(frmProjectDialogOverwrite::kKeyTop), 75);
  EXPECT_TRUE(env.Options().Value(std::string(frmProjectDialogOverwrite::kKeyLeft)).Type() ==
              platform::VarType::Int32)
      << "stored as 32-bit numbers";

  SCOPED_TRACE("screen size and twips per pixel both count");
  ui::UiState::Current().SetScreen(800, 600, 12);  // the form: 395 x 304 pixels
  Store(-1, 500);
  EXPECT_EQ(ShownAt(12), std::make_pair(202, 296));
}

TEST_F(FormTest, TheWaitCursorIsSuspendedWhileTheDialogIsShownAndResumedIfItFails) {
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

  SCOPED_TRACE("a failed display leaves nothing behind");
  ui::UiState::Current().SetModalLoop(nullptr);
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
