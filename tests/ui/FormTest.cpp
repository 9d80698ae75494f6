// Forms and their controls: life cycle events, option groups, buttons clicked through their
// window, default-button styles, key preview, tab order, the block entry, and the dialogs'
// explorer control (rows found again by the hit test, scrolling to the focus item, the user's
// presses turned into events only while the control can be used).
#include <gtest/gtest.h>

#include <string>

#include "UiTestForm.h"
#include "platform/ui/ExplorerControl.h"
#include "platform/ui/Keyboard.h"
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

class FormTest : public uitest::FormFixture {
 protected:
  std::string Options() const {
    std::string s;
    for (const auto& o : {form->rename, form->overwrite, form->ignore}) s += o->Value() ? "1" : "0";
    return s;
  }
};

TEST_F(FormTest, LoadUnloadAndQueryUnloadCancel) {
  platform::ScopedConnection l = form->LoadEvent().Connect([&] { recorder.Note("Load"); });
  platform::ScopedConnection u =
      form->UnloadEvent().Connect([&](int16_t&) { recorder.Note("Unload"); });
  int16_t veto = 1;
  platform::ScopedConnection q =
      form->QueryUnloadEvent().Connect([&](int16_t& cancel, int16_t mode) {
        recorder.Note("Query" + std::to_string(mode));
        cancel = veto;
      });
  form->Load();
  form->Load();
  form->Show();
  EXPECT_EQ(recorder.Take(), "Load Got:optRename") << "Load once, and Show does not load again";
  EXPECT_FALSE(form->Unload()) << "QueryUnload cancelled";
  EXPECT_TRUE(form->Visible());
  veto = 0;
  SendMessage(form->HWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(recorder.Take(), "Query1 Query0 Unload Lost:optRename")
      << "code unloads with mode 1, the close box with mode 0";
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FALSE(form->Visible());
  form->Show();
  EXPECT_EQ(recorder.Take(), "Load Got:optRename") << "an unloaded form loads again";
  EXPECT_TRUE(form->Unload()) << "an unload nobody cancels answers True";
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(FormTest, OptionButtonsAreExclusiveWithinTheirContainer) {
  auto loose = form->AddControl<OptionButton>("optLoose");
  loose->SetValue(true);
  form->rename->SetValue(true);
  EXPECT_EQ(Options(), "100");
  EXPECT_TRUE(loose->Value()) << "an option on the form is another group than the frame's";
  EXPECT_EQ(recorder.Take(), "Click:optRename") << "code selecting an option clicks it";
  form->ignore->SetValue(true);
  EXPECT_EQ(Options(), "001");
  form->ignore->SetValue(true);
  form->ignore->SetValue(false);
  EXPECT_EQ(Options(), "000");
  EXPECT_EQ(recorder.Take(), "Click:optIgnore") << "no Click when nothing new is selected";
}

TEST_F(FormTest, UserClickFocusesFirstAndIgnoresDisabledOptions) {
  form->Show();
  recorder.Take();
  EXPECT_TRUE(form->overwrite->MouseClick());
  EXPECT_EQ(recorder.Take(), "Lost:optRename Got:optOverwrite Click:optOverwrite");
  EXPECT_EQ(Options(), "010");
  form->ignore->SetEnabled(false);
  EXPECT_FALSE(form->ignore->MouseClick());
  EXPECT_EQ(Options(), "010");
  EXPECT_EQ(recorder.Take(), "");
  Keyboard::Press(VK_DOWN);
  EXPECT_EQ(recorder.Take(), "Lost:optOverwrite Got:optRename Click:optRename")
      << "the arrow skips the disabled option and wraps to the first";
}

TEST_F(FormTest, EnterKeyMessagesOnAButtonClickIt) {
  struct Row {
    std::vector<int32_t> messages;
    bool enabled;
    const char* expected;
  };
  const Row rows[] = {
      {{WM_KEYDOWN, WM_KEYUP}, true, "Click:cmdOK"},
      {{WM_KEYUP}, true, ""},               // a release without a press
      {{WM_KEYDOWN}, true, ""},             // pressed, not yet released
      {{WM_KEYDOWN, WM_KEYUP}, false, ""},  // disabled buttons do not click
  };
  form->Show();
  for (const auto& row : rows) {
    form->ok->SetEnabled(row.enabled);
    recorder.Take();
    for (const int32_t m : row.messages) SendMessage(form->ok->HWnd(), m, VK_RETURN, 0);
    SendMessage(form->ok->HWnd(), WM_KEYUP, VK_ESCAPE, 0);  // another key's release: no click
    EXPECT_EQ(recorder.Take(), row.expected)
        << "messages " << row.messages.size() << " enabled " << row.enabled;
    SendMessage(form->ok->HWnd(), WM_KEYUP, VK_RETURN, 0);  // released; not the row's click
  }
  EXPECT_EQ(GetFocus(), form->rename->HWnd()) << "a click by message does not move the focus";
}

TEST_F(FormTest, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
  form->SetKeyPreview(true);
  form->Show();
  form->ok->SetFocus();
  platform::ScopedConnection f = form->KeyDown().Connect([&](int16_t& key, int16_t shift) {
    recorder.Note("Form:" + std::to_string(key) + "/" + std::to_string(shift));
    if (key == VK_ESCAPE) key = 0;
  });
  platform::ScopedConnection c = form->ok->KeyDown().Connect(
      [&](int16_t& key, int16_t) { recorder.Note("OK:" + std::to_string(key)); });
  recorder.Take();
  Keyboard::Press(VK_ESCAPE);
  EXPECT_EQ(recorder.Take(), "Form:27/0") << "a swallowed key never reaches the control";
  Keyboard::Press(VK_RETURN, kShiftMask);
  EXPECT_EQ(recorder.Take(), "Form:13/1 OK:13 Click:cmdOK")
      << "then the control, whose own handling clicks on the release";
  SendMessage(form->ok->HWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(recorder.Take(), "OK:27") << "messages sent to a control skip the preview";
  form->SetKeyPreview(false);
  Keyboard::Press(VK_ESCAPE);
  EXPECT_EQ(recorder.Take(), "OK:27");
}

TEST_F(FormTest, TabFollowsTabIndexSkippingWhatCannotTakeTheFocus) {
  form->Show();
  form->all->SetEnabled(false);
  std::string order;
  for (int i = 0; i < 6; ++i) {
    Keyboard::Press(VK_TAB);
    for (const auto& c : form->Controls()) {
      if (c->HasFocus()) order += c->Name() + " ";
    }
  }
  EXPECT_EQ(order, "bexNew optOverwrite optIgnore cmdOK cmdCancel optRename ");
  Keyboard::Press(VK_TAB, kShiftMask);
  EXPECT_TRUE(form->cancel->HasFocus()) << "Shift+Tab goes back, wrapping around";
  EXPECT_TRUE(SameObject(form->FindControl("CMDOK"), form->ok)) << "names without case";
}

TEST_F(FormTest, ModalShowWithoutALoopAndForeignContainersAreRefused) {
  UiState::Current().SetModalLoop(nullptr);
  EXPECT_EQ(ErrorOf([&] { form->Show(true); }), platform::errc::kFail);
  EXPECT_FALSE(form->Visible());
  form->Show();
  EXPECT_EQ(ErrorOf([&] { form->Show(true); }), 400) << "a shown form cannot go modal";

  SCOPED_TRACE("controls only go into containers of their own form");
  auto other = MakeObject<AskForm>();
  EXPECT_EQ(ErrorOf([&] { form->AddControl<Label>("lblX", other->options.Get()); }),
            platform::errc::kInvalidCall);
  EXPECT_FALSE(form->FindControl("lblX"));
}

TEST_F(FormTest, TheBlockEntryNamesNumbersInRangeAndLimitsItsSymbol) {
  const Ref<BlockEditBox> box = form->entry;
  int changes = 0;
  platform::ScopedConnection c = box->ChangeNumber().Connect([&] { ++changes; });
  form->Show();
  box->SetBlockTypeText("FB");
  struct Row {
    int32_t number;
    bool showNumber;
    const char* name;
  };
  for (const Row& row : {Row{10, true, "FB10"}, Row{65535, true, "FB65535"}, Row{0, true, ""},
                         Row{65536, true, ""}, Row{-1, true, ""}, Row{10, false, ""}}) {
    box->SetBlockNumber(row.number);
    box->SetShowNumber(row.showNumber);
    EXPECT_EQ(box->BlockName(), row.name) << row.number << " shown " << row.showNumber;
  }
  EXPECT_EQ(changes, 0) << "numbers set by code raise no ChangeNumber";

  SCOPED_TRACE("typing a number raises ChangeNumber only on a change");
  box->SetShowNumber(true);
  box->SetBlockNumber(10);
  EXPECT_TRUE(box->TypeNumber("10"));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(box->TypeNumber("1x2"));
  EXPECT_EQ(box->BlockNumber(), 12) << "non-digits are refused";
  EXPECT_EQ(changes, 1);
  box->TypeNumber("1234567");
  EXPECT_EQ(box->BlockNumber(), 12345) << "at most five digits";
  box->TypeNumber("");
  EXPECT_EQ(box->BlockNumber(), 0);
  EXPECT_EQ(changes, 3);
  box->SetEnabled(false);
  EXPECT_FALSE(box->TypeNumber("7"));
  EXPECT_EQ(box->BlockNumber(), 0) << "a disabled entry takes no typing";

  SCOPED_TRACE("the symbol is limited in characters");
  box->SetEnabled(true);
  box->SetMaxSymbolLength(4);
  box->SetSymbol("Motor");
  EXPECT_EQ(box->Symbol(), "Moto");
  box->TypeSymbol("Größe2");
  EXPECT_EQ(box->Symbol(), "Größ") << "characters, not bytes";
  box->SetMaxSymbolLength(0);
  box->TypeSymbol("A name longer than twenty-four characters");
  EXPECT_EQ(box->Symbol(), "A name longer than twenty-four characters") << "0 means no limit";
  box->SetMaxSymbolLength(2);
  EXPECT_EQ(box->Symbol(), "A ") << "a lower limit cuts the current symbol";
  EXPECT_EQ(ErrorOf([&] { box->SetMaxSymbolLength(-1); }), 380);
  EXPECT_EQ(ErrorOf([&] { box->SetCaptionOrder(2); }), 380);

  SCOPED_TRACE("the parts render in caption order");
  box->SetMaxSymbolLength(0);
  box->SetBlockNumber(10);
  box->SetSymbol("Motor");
  EXPECT_EQ(box->Render(), "[FB 10 | Motor]");
  box->SetCaptionOrder(1);
  box->SetBackColor(13224447);
  EXPECT_EQ(box->Render(), "[Motor | FB 10] (marked)");
  box->SetShowNumber(false);
  box->SetEnabled(false);
  EXPECT_EQ(box->Render(), "[Motor] (marked) (disabled)");
}

class Thing : public platform::Object {
 public:
  std::string_view TypeName() const override { return "Thing"; }
};

class ExplorerControlTest : public ::testing::Test {
 protected:
  /// A mouse handler noting "down:3/ctrl " for a press on the third row with Ctrl held (the key
  /// state agrees).
  auto Noting(const char* what) {
    return [this, what](int16_t button, int16_t shift, int32_t x, int32_t y) {
      const Ref<platform::Object> hit = explorer->HitTest(x, y);
      const int32_t row = hit ? explorer->RowOf(hit) : 0;
      const bool ctrl = platform::ui::GetKeyState(platform::ui::VK_CONTROL) < 0;
      events += std::string(what) + ":" + std::to_string(row) + (button == 2 ? "/right" : "") +
                ((shift & platform::ui::kCtrlMask) && ctrl ? "/ctrl" : "") + " ";
    };
  }

  void SetUp() override {
    platform::ui::UiState::Current().SetScreen(1280, 1024, 15);
    form->Move(0, 0, 6000, 4000);
    explorer = form->AddControl<ExplorerControl>("rgpexExplorer");
    // 100 x 80 pixels: five rows of 16 pixels.
    explorer->Move(0, 0, 1500, 1200);
    for (int i = 0; i < 12; ++i) {
      items.push_back(MakeObject<Thing>());
      explorer->AddItem(items.back(), "RgBlockOffline");
    }
    sinks.emplace_back(explorer->MouseDownEvent().Connect(Noting("down")));
    sinks.emplace_back(explorer->MouseUpEvent().Connect(Noting("up")));
    sinks.emplace_back(explorer->DblClickEvent().Connect([this] { events += "dbl "; }));
  }

  Ref<platform::ui::Form> form = MakeObject<platform::ui::Form>();
  Ref<ExplorerControl> explorer;
  std::vector<Ref<platform::Object>> items;
  std::vector<platform::ScopedConnection> sinks;
  std::string events;
};

TEST_F(ExplorerControlTest, HitTestFindsTheRowsBelowTheTopRowAndNothingElse) {
  EXPECT_EQ(explorer->VisibleRows(), 5);
  EXPECT_TRUE(SameObject(explorer->HitTest(10, 0), items[0]));
  EXPECT_TRUE(SameObject(explorer->HitTest(10, 79), items[4]));
  EXPECT_FALSE(explorer->HitTest(10, 80));   // below the control
  EXPECT_FALSE(explorer->HitTest(100, 10));  // right of it
  EXPECT_FALSE(explorer->HitTest(-1, 10));

  explorer->SetFocusItem(items[11]);  // scrolled so that the last row is the bottom one
  EXPECT_EQ(explorer->TopIndex(), 7);
  EXPECT_TRUE(SameObject(explorer->HitTest(10, 0), items[7]));
  EXPECT_TRUE(SameObject(explorer->HitTest(10, 64), items[11]));

  explorer->SetFocusItem(items[2]);  // back up: the focus row becomes the top one
  EXPECT_EQ(explorer->TopIndex(), 2);
  explorer->SetFocusItem(items[4]);  // already visible: no scrolling
  EXPECT_EQ(explorer->TopIndex(), 2);
  explorer->Clear();
  EXPECT_EQ(explorer->TopIndex(), 0);
  EXPECT_FALSE(explorer->HitTest(10, 0));
  EXPECT_FALSE(explorer->FocusItem());
}

TEST_F(ExplorerControlTest, PressesReachTheirRowOnlyWhileTheControlCanBeUsed) {
  form->Show();
  EXPECT_TRUE(explorer->PressRow(9, ExplorerControl::kLeftButton, platform::ui::kCtrlMask));
  EXPECT_TRUE(explorer->HasFocus());
  EXPECT_TRUE(explorer->ReleaseRow(9));
  EXPECT_TRUE(explorer->PressRow(2, ExplorerControl::kRightButton));
  EXPECT_TRUE(explorer->DoubleClickRow(3));
  EXPECT_EQ(events, "down:9/ctrl up:9 down:2/right down:3 up:3 dbl ");
  EXPECT_GE(platform::ui::GetKeyState(platform::ui::VK_CONTROL), 0) << "released after the press";

  // Three rows leave empty space below them.
  events.clear();
  explorer->Clear();
  for (int i = 0; i < 3; ++i) explorer->AddItem(items[i], "RgCategory");
  explorer->PressRow(0);
  explorer->ReleaseRow(4);
  EXPECT_EQ(events, "down:0 up:0 ");

  SCOPED_TRACE("a hidden or disabled control ignores the user");
  events.clear();
  for (const bool hide : {true, false}) {
    explorer->SetVisible(!hide);
    explorer->SetEnabled(hide);
    EXPECT_FALSE(explorer->PressRow(1));
    EXPECT_FALSE(explorer->ReleaseRow(1));
    EXPECT_FALSE(explorer->DoubleClickRow(1));
  }
  EXPECT_EQ(events, "");
  form->Hide();
}

}  // namespace
