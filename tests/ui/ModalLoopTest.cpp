// The keyboard and send-keys, the scripted modal loop, and the text drawing of a form. The loop's
// actions on a real dialog (close box, Enter on the default button, ...) are the dialogs' tests.
#include <gtest/gtest.h>

#include "UiTestForm.h"
#include "platform/ui/FormRenderer.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageTip.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ScriptedModalLoop.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WindowApi.h"
#include "support/ErrorOf.h"

namespace {

using namespace platform::ui;
using platform::MakeObject;
using platform::Ref;
using platform::ScopedConnection;
using platformtest::ErrorOf;
using uitest::AskForm;

/// A dialog that closes with the caption of the button clicked; Escape presses Cancel.
class Dialog {
 public:
  Dialog() {
    form->SetKeyPreview(true);
    on_.emplace_back(form->KeyDown().Connect([this](int16_t& key, int16_t) {
      if (key == VK_ESCAPE) key = 0, Close("Cancel");
    }));
    for (const auto& b : {form->ok, form->all, form->cancel}) {
      on_.emplace_back(b->Click().Connect([this, b] { Close(b->Caption()); }));
    }
  }
  /// Shows the dialog modally with the loop; the caption of the button that closed it.
  std::string Run(const Ref<ScriptedModalLoop>& loop) {
    UiState::Current().SetModalLoop(loop);
    form->Show(true);
    form->Unload();
    return clicked;
  }
  void Close(const std::string& caption) {
    clicked = caption;
    form->Hide();
  }

  Ref<AskForm> form = MakeObject<AskForm>();
  std::string clicked = "(none)";

 private:
  std::vector<ScopedConnection> on_;
};

class ModalLoopTest : public ::testing::Test {
 protected:
  void TearDown() override { UiState::Current().SetModalLoop(nullptr); }
  Dialog dialog;
  Ref<ScriptedModalLoop> loop = MakeObject<ScriptedModalLoop>();
};

TEST_F(ModalLoopTest, RunningOutOfActionsOrABadScriptIsAnErrorNotAHang) {
  loop->Click("optOverwrite");
  try {
    dialog.Run(loop);
    FAIL() << "the script cannot close the dialog";
  } catch (const platform::Error& e) {
    EXPECT_NE(e.Description().find("no action left while form 'Block exists'"), std::string::npos)
        << e.Description();
  }
  EXPECT_FALSE(dialog.form->Visible()) << "the form is hidden again after the failure";
  EXPECT_FALSE(dialog.form->IsModal());

  SCOPED_TRACE("bad scripts fail clearly");
  Dialog missing, typing;
  loop = MakeObject<ScriptedModalLoop>();
  loop->Click("cmdMissing");
  EXPECT_EQ(ErrorOf([&] { missing.Run(loop); }), platform::errc::kInvalidCall);
  auto typed = MakeObject<ScriptedModalLoop>();
  typed->TypeText("cmdOK", "x");
  EXPECT_EQ(ErrorOf([&] { typing.Run(typed); }), platform::errc::kInvalidCall)
      << "a button takes no text";
  EXPECT_EQ(ErrorOf([&] { loop->SendKeys("{NOPE}"); }), platform::errc::kInvalidCall)
      << "a bad key text fails when written";
}

TEST_F(ModalLoopTest, AFormShownFromAHandlerRunsTheFollowingActions) {
  Dialog inner;
  inner.form->SetCaption("Inner");
  ScopedConnection c = dialog.form->all->Click().Connect([&] {
    inner.form->Show(true);
    inner.form->Unload();
  });
  loop->Click("cmdAll").PressKey(VK_ESCAPE);
  EXPECT_EQ(dialog.Run(loop), "All");
  EXPECT_EQ(inner.clicked, "Cancel");
  EXPECT_EQ(loop->Log(),
            (std::vector<std::string>{"Block exists: click cmdAll", "Inner: press key 27"}));
}

TEST(KeyboardTest, SendKeysTextParsesToStrokes) {
  using S = std::vector<KeyStroke>;
  struct Row {
    const char* keys;
    S strokes;
  };
  const Row rows[] = {
      {"{ENTER}", S{{VK_RETURN, 0}}},
      {"~a", S{{VK_RETURN, 0}, {'A', 0}}},
      {"A", S{{'A', kShiftMask}}},
      {"+{TAB}", S{{VK_TAB, kShiftMask}}},
      {"^(ab)", S{{'A', kCtrlMask}, {'B', kCtrlMask}}},
      {"%{F4}", S{{VK_F4, kAltMask}}},
      {"{down 3}", S{{VK_DOWN, 0}, {VK_DOWN, 0}, {VK_DOWN, 0}}},
      {"{+}{}}", S{{'+', 0}, {'}', 0}}},
      {"", S{}},
  };
  for (const auto& row : rows) EXPECT_EQ(Keyboard::Parse(row.keys), row.strokes) << row.keys;
  for (const char* bad : {"{ENTER", "}", "(a", "a)", "+", "{F13}", "{TAB x}", "((a))"}) {
    EXPECT_EQ(ErrorOf([&] { Keyboard::Parse(bad); }), platform::errc::kInvalidCall) << bad;
  }
}

TEST(KeyboardTest, KeysWithoutWaitArriveAtDoEventsAndModifiersShowInKeyState) {
  auto form = MakeObject<AskForm>();
  form->Show();
  form->ok->SetFocus();
  std::string seen;
  ScopedConnection c = form->ok->KeyDown().Connect([&](int16_t& key, int16_t shift) {
    seen += std::to_string(key) + "/" + std::to_string(shift) +
            (GetKeyState(VK_SHIFT) < 0 ? "S" : "") + (GetKeyState(key) < 0 ? "D" : "") + " ";
  });
  SendKeys("+{UP}", false);
  EXPECT_EQ(seen, "") << "not yet delivered";
  SendKeys("{DOWN}", true);
  EXPECT_EQ(seen, "38/1SD 40/0D ") << "queued keys go first, in order";
  EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "modifiers are released after the stroke";
  EXPECT_GE(GetKeyState(VK_DOWN), 0);

  SCOPED_TRACE("a handler resending its key forever is stopped");
  form->entry->SetFocus();
  ScopedConnection r = form->entry->KeyDown().Connect([](int16_t& key, int16_t) {
    if (key == VK_RETURN) key = 0, SendKeys("{ENTER}", true);
  });
  EXPECT_EQ(ErrorOf([] { Keyboard::Press(VK_RETURN); }), platform::errc::kFail);
  EXPECT_EQ(UiState::Current().KeyDepth(), 0) << "the depth unwinds with the error";
  EXPECT_GE(GetKeyState(VK_RETURN), 0);
}

TEST(FormRendererTest, DrawsRowsFramesStatesDefaultAndTip) {
  auto form = MakeObject<AskForm>();
  form->rename->SetValue(true);
  form->ignore->SetEnabled(false);
  form->entry->SetBlockTypeText("FB");
  form->entry->SetBlockNumber(11);
  form->entry->SetSymbol("Motor2");
  form->options->SetCaption("Choice");
  form->all->SetEnabled(false);
  SendMessage(form->ok->HWnd(), BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
  auto hidden = form->AddControl<Label>("lblHidden", form->options.Get());
  hidden->SetCaption("never drawn");
  hidden->SetVisible(false);
  auto tip = MakeObject<MessageTip>();
  tip->AttachTip(form->HWnd());
  tip->SetTipText(MessageTip::kInformation, "Renaming is not possible.");
  tip->ShowTip();
  form->Show();
  EXPECT_EQ(FormRenderer::Render(*form),
            "=== Block exists ===\n"
            "FB10 exists already.\n"
            "-- Choice --\n"
            "  (o) Rename\n"
            "  New:  [FB 11 | Motor2]\n"
            "  ( ) Overwrite\n"
            "  ( ) Ignore (disabled)\n"
            "[OK]*  [All] (disabled)  [Cancel]\n"
            "[tip] Information: Renaming is not possible.\n");
}

}  // namespace
