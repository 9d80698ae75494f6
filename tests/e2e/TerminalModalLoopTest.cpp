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
    for (const auto& option : {rename, overwrite, ignore})
      connections.push_back(option->Click().Connect(choose));
    connections.push_back(ok->Click().Connect([this] {
      if (rename->Value() && entry->BlockNumber() == 11) return;  // taken: stay open
      pressed = "OK";
      Hide();
    }));
    for (const auto& [button, name] : {std::pair{all, "All"}, std::pair{cancel, "Cancel"}}) {
      connections.push_back(button->Click().Connect([this, name = name] {
        pressed = name;
        Hide();
      }));
    }
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

TEST_F(TerminalModalLoopTest, TerminalLinesFollowTheGivenAnswersAndBadOnesAreAskedAgain) {
  std::istringstream terminal("renmae\nrename:15::ok\n");
  const std::string printed = Show("rename:11:X:ok", &terminal);
  EXPECT_EQ(form->entry->BlockNumber(), 15);
  EXPECT_EQ(form->entry->Symbol(), "") << "the empty name was typed";
  EXPECT_NE(printed.find("'renmae' is no choice"), std::string::npos) << printed;
}

// How a form ends when an answer cannot be taken as given, or when no answer comes.
TEST_F(TerminalModalLoopTest, RefusedChoicesAndButtonsAreSaidAndMissingAnswersClose) {
  const struct {
    const char* what;
    const char* disabled;  // the control disabled before the form is shown
    const char* answers;
    bool terminal;        // an empty terminal after the answers
    const char* pressed;  // "": closed by its close box
    int32_t cancelled;
    const char* said;
  } rows[] = {
      {"a choice not offered never falls through to OK", "overwrite", "overwrite:ok,ignore:ok",
       false, "OK", 0, "does not offer overwrite"},
      {"a disabled button keeps the form open", "ok", "ignore:ok,ignore:all", false, "All", 0,
       "OK cannot be pressed now"},
      {"no answer and no terminal", "", "", false, "", 1, "no answer left"},
      {"cancel counts as cancelled", "", "cancel", false, "Cancel", 1, ""},
      {"the end of the terminal's input", "", "", true, "", 1, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    form = platform::MakeObject<StandInForm>();
    out.str("");
    if (std::string(row.disabled) == "overwrite") form->overwrite->SetEnabled(false);
    if (std::string(row.disabled) == "ok") form->ok->SetEnabled(false);
    std::istringstream terminal("");
    const std::string printed = Show(row.answers, row.terminal ? &terminal : nullptr);
    EXPECT_EQ(form->pressed, row.pressed);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(loop->Cancelled(), row.cancelled);
    EXPECT_EQ(loop->Remaining(), 0u) << "every answer was used";
    EXPECT_NE(printed.find(row.said), std::string::npos) << printed;
    if (std::string(row.disabled) == "overwrite") {
      EXPECT_TRUE(form->ignore->Value()) << "the preselected choice was confirmed by the answer";
    }
  }
}

}  // namespace
}  // namespace mztest
