// prjsnap's terminal modal loop on a stand-in of the overwrite form: answers act on the controls
// as a hand would, a refused answer leaves the form open for the next one, and the form never
// waits for input that cannot come.
#include <gtest/gtest.h>

#include <sstream>

#include "TerminalModalLoop.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/UiState.h"

namespace mztest {
namespace {

using platform::Ref;
using namespace platform::ui;

/// The controls of the overwrite form with the least behaviour the loop relies on: OK with
/// rename refuses number 11 and stays open; Cancel and the close box hide it; All is disabled
/// while rename is chosen.
class StandInForm : public Form {
 public:
  StandInForm() {
    SetCaption("Block exists");
    auto frame = AddControl<Frame>("fraBlockOptions");
    rename = AddControl<OptionButton>("rgoptRename", frame.Get());
    overwrite = AddControl<OptionButton>("rgoptOverwrite", frame.Get());
    ignore = AddControl<OptionButton>("rgoptIgnore", frame.Get());
    entry = AddControl<BlockEditBox>("rgbexNew", frame.Get());
    ok = AddControl<CommandButton>("cmdOK");
    all = AddControl<CommandButton>("cmdAll");
    cancel = AddControl<CommandButton>("cmdCancel");
    entry->SetBlockTypeText("FB");
    entry->SetBlockNumber(12);
    const auto choose = [this] { all->SetEnabled(!rename->Value()); };
    connections.push_back(rename->Click().Connect(choose));
    connections.push_back(overwrite->Click().Connect(choose));
    connections.push_back(ignore->Click().Connect(choose));
    connections.push_back(ok->Click().Connect([this] {
      if (rename->Value() && entry->BlockNumber() == 11) return;  // taken: stay open
      pressed = "OK";
      Hide();
    }));
    connections.push_back(all->Click().Connect([this] {
      pressed = "All";
      Hide();
    }));
    connections.push_back(cancel->Click().Connect([this] {
      pressed = "Cancel";
      Hide();
    }));
    ignore->SetValue(true);
  }

  Ref<OptionButton> rename, overwrite, ignore;
  Ref<BlockEditBox> entry;
  Ref<CommandButton> ok, all, cancel;
  std::string pressed;
  std::vector<platform::ScopedConnection> connections;
};

class TerminalModalLoopTest : public ::testing::Test {
 protected:
  /// Shows the form modally with the loop; what the loop printed.
  std::string Show(const std::string& answers, std::istream* terminal = nullptr) {
    loop = platform::MakeObject<prjsnap::TerminalModalLoop>(prjsnap::DialogAnswers::Parse(answers),
                                                            terminal, out);
    UiState::Current().SetModalLoop(loop);
    form->Show(true);
    UiState::Current().SetModalLoop(nullptr);
    return out.str();
  }

  Ref<StandInForm> form = platform::MakeObject<StandInForm>();
  Ref<prjsnap::TerminalModalLoop> loop;
  std::ostringstream out;
};

TEST_F(TerminalModalLoopTest, RenameTypesNumberAndNameThenPressesOk) {
  const std::string printed = Show("rename:13:Motor2:ok");
  EXPECT_EQ(form->pressed, "OK");
  EXPECT_TRUE(form->rename->Value());
  EXPECT_EQ(form->entry->BlockNumber(), 13);
  EXPECT_EQ(form->entry->Symbol(), "Motor2");
  EXPECT_NE(printed.find("=== Block exists ==="), std::string::npos) << "drawn first: " << printed;
  EXPECT_EQ(loop->Cancelled(), 0);
}

TEST_F(TerminalModalLoopTest, RefusedInputKeepsTheFormForTheNextAnswer) {
  const std::string printed = Show("rename:11:X:ok,rename:14:Y:ok");
  EXPECT_EQ(form->pressed, "OK");
  EXPECT_EQ(form->entry->BlockNumber(), 14) << "the second answer was taken on the same form";
  EXPECT_EQ(loop->Remaining(), 0u);
  size_t drawn = 0;
  for (size_t at = printed.find("==="); at != std::string::npos; at = printed.find("===", at + 1))
    ++drawn;
  EXPECT_EQ(drawn, 4u) << "drawn again (caption line counts twice) after the refusal: " << printed;
}

TEST_F(TerminalModalLoopTest, ChoiceNotOfferedNeverFallsThroughToOk) {
  form->overwrite->SetEnabled(false);
  const std::string printed = Show("overwrite:ok,ignore:ok");
  EXPECT_TRUE(form->ignore->Value()) << "the preselected choice was not confirmed by accident";
  EXPECT_NE(printed.find("does not offer overwrite"), std::string::npos) << printed;
  EXPECT_EQ(loop->Remaining(), 0u) << "the second answer closed the form";
}

TEST_F(TerminalModalLoopTest, DisabledButtonIsSaidAndTheFormStaysOpen) {
  form->ok->SetEnabled(false);
  const std::string printed = Show("ignore:ok,ignore:all");
  EXPECT_NE(printed.find("OK cannot be pressed now"), std::string::npos) << printed;
  EXPECT_EQ(form->pressed, "All");
}

TEST_F(TerminalModalLoopTest, NoAnswerAndNoTerminalClosesTheForm) {
  const std::string printed = Show("");
  EXPECT_EQ(form->pressed, "") << "closed by its close box, not by a button";
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(loop->Cancelled(), 1);
  EXPECT_NE(printed.find("no answer left"), std::string::npos) << printed;
}

TEST_F(TerminalModalLoopTest, CancelAnswersCountAsCancelled) {
  Show("cancel");
  EXPECT_EQ(form->pressed, "Cancel");
  EXPECT_EQ(loop->Cancelled(), 1);
}

TEST_F(TerminalModalLoopTest, TerminalLinesFollowTheGivenAnswersAndBadOnesAreAskedAgain) {
  std::istringstream terminal("renmae\nrename:15::ok\n");
  const std::string printed = Show("rename:11:X:ok", &terminal);
  EXPECT_EQ(form->entry->BlockNumber(), 15);
  EXPECT_EQ(form->entry->Symbol(), "") << "the empty name was typed";
  EXPECT_NE(printed.find("'renmae' is no choice"), std::string::npos) << printed;
}

TEST_F(TerminalModalLoopTest, EndOfTerminalInputClosesTheForm) {
  std::istringstream terminal("");
  Show("", &terminal);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(loop->Cancelled(), 1);
}

}  // namespace
}  // namespace mztest
