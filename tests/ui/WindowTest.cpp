// Windows, focus, messages, the message spy, the message tip and the per-thread state.
#include <gtest/gtest.h>

#include <thread>

#include "UiTestForm.h"
#include "platform/ui/MessageSpy.h"
#include "platform/ui/MessageTip.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WindowApi.h"
#include "support/ErrorOf.h"

namespace {

using namespace platform::ui;
using platform::MakeObject;
using platform::Ref;
using platform::SameObject;
using platformtest::ErrorOf;
using uitest::AskForm;

using WindowTest = uitest::FormFixture;

TEST_F(WindowTest, HandlesLiveAsLongAsTheirWindowAndTheActiveOneWithIt) {
  int32_t handle = 0;
  {
    auto window = MakeObject<Window>();
    handle = window->HWnd();
    EXPECT_NE(handle, 0) << "a live window always has a handle";
    EXPECT_NE(handle, form->HWnd());
    EXPECT_TRUE(IsWindow(handle));
  }
  EXPECT_FALSE(IsWindow(handle)) << "a destroyed window's handle resolves to nothing";
  EXPECT_EQ(SendMessage(handle, WM_KEYDOWN, VK_RETURN, 0), 0) << "a dead handle is no crash";
  EXPECT_FALSE(IsWindow(0));

  SCOPED_TRACE("destroying the active window leaves none active, others leave it alone");
  auto active = MakeObject<Window>();
  SetFocus(active->HWnd());
  handle = active->HWnd();
  ASSERT_EQ(UiState::Current().ActiveWindow(), handle);
  MakeObject<Window>().Reset();
  EXPECT_EQ(UiState::Current().ActiveWindow(), handle) << "another window went, not this one";
  active.Reset();
  EXPECT_EQ(UiState::Current().ActiveWindow(), 0) << "no handle of a destroyed window stays";
}

TEST_F(WindowTest, FocusGoesOnlyWhereItCanBeTakenLostBeforeGot) {
  platform::ScopedConnection a = form->ActivateEvent().Connect([&] { recorder.Note("Activate"); });
  form->Show();
  EXPECT_EQ(recorder.Take(), "Activate Got:optRename")
      << "labels and frames take no focus; the first option comes first in tab order";
  EXPECT_EQ(GetFocus(), form->rename->HWnd());
  EXPECT_EQ(SetFocus(form->ok->HWnd()), form->rename->HWnd()) << "answers the previous focus";
  EXPECT_EQ(recorder.Take(), "Lost:optRename Got:cmdOK");
  EXPECT_EQ(SetFocus(form->ok->HWnd()), form->ok->HWnd());
  EXPECT_EQ(recorder.Take(), "") << "focusing the focused window raises nothing";

  SCOPED_TRACE("hidden or disabled windows refuse the focus");
  form->all->SetEnabled(false);
  EXPECT_EQ(SetFocus(form->all->HWnd()), 0);
  form->options->SetVisible(false);
  EXPECT_EQ(SetFocus(form->entry->HWnd()), 0) << "a control in a hidden frame is hidden too";
  EXPECT_EQ(SetFocus(99), 0);
  EXPECT_EQ(GetFocus(), form->ok->HWnd()) << "a refused SetFocus changes nothing";
  EXPECT_EQ(recorder.Take(), "");

  SCOPED_TRACE("hiding or disabling the focused window drops the focus");
  form->options->SetVisible(true);
  SetFocus(form->entry->HWnd());
  recorder.Take();
  form->options->SetEnabled(false);
  EXPECT_EQ(GetFocus(), 0);
  EXPECT_EQ(recorder.Take(), "Lost:bexNew");
  form->options->SetEnabled(true);
  SetFocus(form->ok->HWnd());
  recorder.Take();
  form->Hide();
  EXPECT_EQ(GetFocus(), 0);
  EXPECT_EQ(recorder.Take(), "Lost:cmdOK");
}

TEST_F(WindowTest, AnotherTopLevelWindowOwnsTheFormOrTakesTheFocusFromIt) {
  auto main = MakeObject<Window>();
  EXPECT_EQ(SetWindowLong(form->HWnd(), GWL_HWNDPARENT, main->HWnd()), 0) << "no owner before";
  EXPECT_EQ(GetWindowLong(form->HWnd(), GWL_HWNDPARENT), main->HWnd());
  EXPECT_EQ(form->Owner(), main->HWnd());
  EXPECT_EQ(SetWindowLong(form->HWnd(), GWL_HWNDPARENT, 0), main->HWnd()) << "answers the old";
  EXPECT_EQ(SetWindowLong(form->HWnd(), GWL_HWNDPARENT, 12345), 0) << "no such owner";
  EXPECT_EQ(form->Owner(), 0);
  EXPECT_EQ(SetWindowLong(form->HWnd(), -16, 5), 0) << "other indexes are not kept";

  SCOPED_TRACE("focus in another top-level window deactivates the form");
  form->Show();
  platform::ScopedConnection d = form->DeactivateEvent().Connect([&] {
    recorder.Note("Deactivate(focus " +
                  std::string(GetFocus() == form->rename->HWnd() ? "in" : "out") + ")");
  });
  recorder.Take();
  SetFocus(main->HWnd());
  EXPECT_EQ(recorder.Take(), "Deactivate(focus in) Lost:optRename")
      << "the form hears of it while the focus is still inside";
  EXPECT_EQ(UiState::Current().ActiveWindow(), main->HWnd());
}

TEST_F(WindowTest, SpySeesWatchedMessagesFirstUntilMovedOrReleased) {
  form->Show();
  int32_t seen = 0;
  {
    auto spy = MakeObject<MessageSpy>();
    spy->SetHWnd(form->ok->HWnd());
    spy->AddMessage(WM_KEYDOWN, true);
    platform::ScopedConnection c = spy->WndProc().Connect(
        [&](int32_t, int32_t, int32_t, bool& handled) { ++seen, handled = true; });
    SendMessage(form->ok->HWnd(), WM_KEYDOWN, VK_RETURN, 0);
    spy->SetHWnd(form->all->HWnd());
    SendMessage(form->ok->HWnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(seen, 1) << "the old window is no longer watched";
    EXPECT_EQ(ErrorOf([&] { spy->SetHWnd(424242); }), platform::errc::kInvalidCall);
    EXPECT_EQ(spy->HWnd(), form->all->HWnd()) << "a refused window keeps the watch";
  }
  recorder.Take();
  SendMessage(form->all->HWnd(), WM_KEYDOWN, VK_RETURN, 0);
  SendMessage(form->all->HWnd(), WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(recorder.Take(), "Click:cmdAll") << "a released spy swallows nothing";

  SCOPED_TRACE("a watched message may be swallowed");
  int16_t queryUnloads = 0;
  platform::ScopedConnection q =
      form->QueryUnloadEvent().Connect([&](int16_t&, int16_t) { ++queryUnloads; });
  auto spy = MakeObject<MessageSpy>();
  spy->SetHWnd(form->HWnd());
  spy->AddMessage(WM_SYSCOMMAND, true);
  std::vector<int32_t> messages;
  platform::ScopedConnection c =
      spy->WndProc().Connect([&](int32_t msg, int32_t wParam, int32_t, bool& handled) {
        messages.push_back(msg);
        handled = wParam == SC_CLOSE;
      });

  SendMessage(form->HWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(messages, std::vector<int32_t>{WM_SYSCOMMAND});
  EXPECT_EQ(queryUnloads, 0) << "a swallowed close never reaches the form";
  EXPECT_TRUE(form->Visible());

  SendMessage(form->HWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(messages.size(), 1u) << "messages not added pass by unseen";

  spy->AddMessage(WM_SYSCOMMAND, false);
  SendMessage(form->HWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(queryUnloads, 1) << "an unwatched close reaches the form, which unloads";
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(WindowTest, TipShowsOnlyWhileAttachedToAShownWindow) {
  auto tip = MakeObject<MessageTip>();
  tip->SetTipText(MessageTip::kInputError, "Number out of range");
  tip->ShowTip();
  EXPECT_FALSE(tip->IsVisible()) << "not attached";
  tip->AttachTip(form->HWnd());
  EXPECT_FALSE(tip->IsVisible()) << "the form is not shown";
  form->Show();
  EXPECT_TRUE(tip->IsVisible());
  EXPECT_EQ(UiState::Current().TipsOf(form->HWnd()).size(), 1u);
  tip->SetTipText(MessageTip::kInformation, "Renaming is not possible");
  tip->HideTip();
  EXPECT_FALSE(tip->IsVisible());
  EXPECT_EQ(ErrorOf([&] { tip->SetTipText(3, "x"); }), platform::errc::kInvalidCall);
  EXPECT_EQ(tip->Kind(), MessageTip::kInformation) << "a refused kind changes nothing";
  EXPECT_EQ(ErrorOf([&] { tip->AttachTip(424242); }), platform::errc::kInvalidCall);
}

TEST(UiStateTest, EachThreadHasItsOwnWindowsFocusAndScreen) {
  auto& ui = UiState::Current();
  ui.SetScreen(800, 600);
  auto here = MakeObject<Window>();
  SetFocus(here->HWnd());
  int32_t thereHandle = 0;
  bool hereKnownThere = true;
  int32_t thereFocus = -1;
  int32_t thereWidth = 0;
  std::thread([&] {
    auto there = MakeObject<Window>();
    thereHandle = there->HWnd();
    hereKnownThere = IsWindow(here->HWnd());
    thereFocus = GetFocus();
    thereWidth = UiState::Current().ScreenWidthPixels();
  }).join();
  EXPECT_FALSE(hereKnownThere) << "a handle is only known on its own thread";
  EXPECT_NE(thereHandle, here->HWnd()) << "handles are unique in the process";
  EXPECT_EQ(thereFocus, 0);
  EXPECT_EQ(thereWidth, 1280) << "the default screen";
  EXPECT_EQ(ui.ScreenWidth(), 800 * 15) << "twips";
  ui.SetScreen(1280, 1024);
  SetFocus(0);
}

}  // namespace
