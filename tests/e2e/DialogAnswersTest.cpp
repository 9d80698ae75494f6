// The --answers grammar of prjsnap's overwrite dialog: what each answer makes the dialog do, and
// the mistakes that must stop the command before anything starts.
#include <gtest/gtest.h>

#include "DialogAnswers.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using prjsnap::DialogAnswer;
using prjsnap::DialogAnswers;
using Choice = DialogAnswer::Choice;
using Button = DialogAnswer::Button;

TEST(DialogAnswersParse, ReadsChoiceEntriesAndButton) {
  constexpr auto none = std::nullopt;
  const struct {
    const char* text;
    Choice choice;
    std::optional<std::string> number;  // the digits typed into the new number
    std::optional<std::string> name;    // the text typed into the new symbol or name
    Button button;
  } rows[] = {
      {"rename:12:Motor2:ok", Choice::kRename, "12", "Motor2", Button::kOk},
      {"rename:12", Choice::kRename, "12", none, Button::kOk},
      {"rename:Pumps:ok", Choice::kRename, none, "Pumps", Button::kOk},
      {"rename", Choice::kRename, none, none, Button::kOk},
      // An all-digit name needs the empty number in front of it.
      {"rename::123", Choice::kRename, none, "123", Button::kOk},
      // An empty name is typed: it clears the proposed symbol.
      {"rename:12:", Choice::kRename, "12", "", Button::kOk},
      {"rename:12:Belt\\:A\\,B:ok", Choice::kRename, "12", "Belt:A,B", Button::kOk},
      {"  Overwrite:ALL ", Choice::kOverwrite, none, none, Button::kAll},
      {"overwrite", Choice::kOverwrite, none, none, Button::kOk},
      {"ignore:all", Choice::kIgnore, none, none, Button::kAll},
      {"cancel", Choice::kCancel, none, none, Button::kOk},
      {"close", Choice::kClose, none, none, Button::kOk},
      {"escape", Choice::kEscape, none, none, Button::kOk},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const DialogAnswer a = DialogAnswers::ParseOne(row.text);
    EXPECT_EQ(a.choice, row.choice);
    EXPECT_EQ(a.number, row.number);
    EXPECT_EQ(a.name, row.name);
    EXPECT_EQ(a.button, row.button);
  }
}

TEST(DialogAnswersParse, MistakesNameTheBadAnswerAndWhy) {
  for (const auto& [text, said] :
       {std::pair{"renmae:12", "'renmae' is no choice"},
        std::pair{"overwrite:12:ok", "only rename takes a number"},
        std::pair{"rename:12:Motor2:all", "All only for overwrite and ignore"},
        std::pair{"rename:123456", "at most 5 digits"},
        std::pair{"rename:12x:Motor:ok", "'12x' is no number"},
        std::pair{"rename:1:2:3:ok", "at most a number and a name"},
        std::pair{"cancel:ok", "takes nothing after it"},
        std::pair{"ignore:ok,,cancel", "it is empty"},
        std::pair{"rename:12:Motor\\", "backslash must be followed"},
        std::pair{"rename:12:Mo\\tor", "is no escape"}}) {
    std::string why;
    EXPECT_EQ(ErrorOf([&] { DialogAnswers::Parse(text); }, &why), platform::errc::kInvalidCall)
        << text;
    EXPECT_NE(why.find(said), std::string::npos) << text << ": the message says why: " << why;
  }
}

TEST(DialogAnswersParse, ListsKeepOrderAndEscapedSeparatorsAndNothingIsNoAnswer) {
  const auto answers = DialogAnswers::Parse("rename:12:A\\,B:ok, overwrite:all ,cancel");
  ASSERT_EQ(answers.size(), 3u) << "an escaped comma does not split the list";
  EXPECT_EQ(answers[0].name, "A,B");
  EXPECT_EQ(answers[1].choice, Choice::kOverwrite);
  EXPECT_EQ(answers[1].button, Button::kAll);
  EXPECT_TRUE(answers[2].Cancels());
  EXPECT_EQ(answers[1].text, "overwrite:all") << "the log shows the answer as written, trimmed";
  // Nothing given is no answer.
  EXPECT_TRUE(DialogAnswers::Parse("").empty());
  EXPECT_TRUE(DialogAnswers::Parse("   ").empty());
}

}  // namespace
}  // namespace mztest
