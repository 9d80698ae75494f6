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

// What the answers, and the terminal after them, do to the form, and how it ends when an answer
// cannot be taken as given or no answer comes.
TEST_F(TerminalModalLoopTest, AnswersActOnTheFormAndRefusedOrMissingOnesAreSaid) {
  const struct {
    const char* what;
    const char* disabled;  // the control disabled before the form is shown
    const char* answers;
    const char* terminal;  // the terminal's input after the answers; nullptr: no terminal
    const char* pressed;   // "": closed by its close box
    int32_t cancelled;
    const char* said;
    int32_t number;      // the new number typed; 0: renaming was not chosen
    const char* symbol;  // the new symbol typed
    size_t drawn;        // "===" printed this often (the caption line counts twice); 0: any
  } rows[] = {
      {"rename types number and name, then presses OK", "", "rename:13:Motor2:ok", nullptr, "OK", 0,
       "=== Block exists ===", 13, "Motor2", 0},
      {"a refused number keeps the form for the next answer", "", "rename:11:X:ok,rename:14:Y:ok",
       nullptr, "OK", 0, "", 14, "Y", 4},
      {"terminal lines follow the given answers and bad ones are asked again", "", "rename:11:X:ok",
       "renmae\nrename:15::ok\n", "OK", 0, "'renmae' is no choice", 15, "", 0},
      {"a choice not offered never falls through to OK", "overwrite", "overwrite:ok,ignore:ok",
       nullptr, "OK", 0, "does not offer overwrite", 0, "", 0},
      {"a disabled button keeps the form open", "ok", "ignore:ok,ignore:all", nullptr, "All", 0,
       "OK cannot be pressed now", 0, "", 0},
      {"no answer and no terminal", "", "", nullptr, "", 1, "no answer left", 0, "", 0},
      {"cancel counts as cancelled", "", "cancel", nullptr, "Cancel", 1, "", 0, "", 0},
      {"the end of the terminal's input", "", "", "", "", 1, "", 0, "", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    form = platform::MakeObject<StandInForm>();
    out.str("");
    if (std::string(row.disabled) == "overwrite") form->overwrite->SetEnabled(false);
    if (std::string(row.disabled) == "ok") form->ok->SetEnabled(false);
    std::istringstream terminal(row.terminal ? row.terminal : "");
    const std::string printed = Show(row.answers, row.terminal ? &terminal : nullptr);
    EXPECT_EQ(form->pressed, row.pressed);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(loop->Cancelled(), row.cancelled);
    EXPECT_EQ(loop->Remaining(), 0u) << "every answer was used";
    EXPECT_NE(printed.find(row.said), std::string::npos) << printed;
    if (row.number != 0) {
      EXPECT_TRUE(form->rename->Value());
      EXPECT_EQ(form->entry->BlockNumber(), row.number) << "the last answer was taken";
      EXPECT_EQ(form->entry->Symbol(), row.symbol);
    }
    size_t drawn = 0;
    for (size_t at = printed.find("==="); at != std::string::npos; at = printed.find("===", at + 1))
      ++drawn;
    if (row.drawn != 0) {
      EXPECT_EQ(drawn, row.drawn) << "drawn again after a refusal: " << printed;
    }
    if (std::string(row.disabled) == "overwrite") {
      EXPECT_TRUE(form->ignore->Value()) << "the preselected choice was confirmed by the answer";
    }
  }
}

}  // namespace
}  // namespace mztest
