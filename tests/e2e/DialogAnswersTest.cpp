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

struct AnswerCase {
  const char* text;
  Choice choice;
  std::optional<std::string> number;
  std::optional<std::string> name;
  Button button;
};

class DialogAnswersParse : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(DialogAnswersParse, ReadsChoiceEntriesAndButton) {
  const AnswerCase& c = GetParam();
  const DialogAnswer a = DialogAnswers::ParseOne(c.text);
  EXPECT_EQ(a.choice, c.choice) << c.text;
  EXPECT_EQ(a.number, c.number) << c.text << ": the digits typed into the new number";
  EXPECT_EQ(a.name, c.name) << c.text << ": the text typed into the new symbol or name";
  EXPECT_EQ(a.button, c.button) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, DialogAnswersParse,
    ::testing::Values(
        AnswerCase{"rename:12:Motor2:ok", Choice::kRename, "12", "Motor2", Button::kOk},
        AnswerCase{"rename:12", Choice::kRename, "12", std::nullopt, Button::kOk},
        AnswerCase{"rename:Pumps:ok", Choice::kRename, std::nullopt, "Pumps", Button::kOk},
        AnswerCase{"rename", Choice::kRename, std::nullopt, std::nullopt, Button::kOk},
        // An all-digit name needs the empty number in front of it.
        AnswerCase{"rename::123", Choice::kRename, std::nullopt, "123", Button::kOk},
        // An empty name is typed: it clears the proposed symbol.
        AnswerCase{"rename:12:", Choice::kRename, "12", "", Button::kOk},
        AnswerCase{"rename:12:Belt\\:A\\,B:ok", Choice::kRename, "12", "Belt:A,B", Button::kOk},
        AnswerCase{"  Overwrite:ALL ", Choice::kOverwrite, std::nullopt, std::nullopt,
                   Button::kAll},
        AnswerCase{"overwrite", Choice::kOverwrite, std::nullopt, std::nullopt, Button::kOk},
        AnswerCase{"ignore:all", Choice::kIgnore, std::nullopt, std::nullopt, Button::kAll},
        AnswerCase{"cancel", Choice::kCancel, std::nullopt, std::nullopt, Button::kOk},
        AnswerCase{"close", Choice::kClose, std::nullopt, std::nullopt, Button::kOk},
        AnswerCase{"escape", Choice::kEscape, std::nullopt, std::nullopt, Button::kOk}));

class DialogAnswersRefuse : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(DialogAnswersRefuse, NamesTheBadAnswerAndWhy) {
  const auto& [text, why] = GetParam();
  try {
    DialogAnswers::Parse(text);
    FAIL() << text << " must be refused";
  } catch (const platform::Error& e) {
    EXPECT_EQ(e.Number(), platform::errc::kInvalidCall) << text;
    EXPECT_NE(e.Description().find(why), std::string::npos)
        << text << ": the message says what is wrong: " << e.Description();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, DialogAnswersRefuse,
    ::testing::Values(std::pair{"renmae:12", "'renmae' is no choice"},
                      std::pair{"overwrite:12:ok", "only rename takes a number"},
                      std::pair{"rename:12:Motor2:all", "All only for overwrite and ignore"},
                      std::pair{"rename:123456", "at most 5 digits"},
                      std::pair{"rename:12x:Motor:ok", "'12x' is no number"},
                      std::pair{"rename:1:2:3:ok", "at most a number and a name"},
                      std::pair{"cancel:ok", "takes nothing after it"},
                      std::pair{"ignore:ok,,cancel", "it is empty"},
                      std::pair{"rename:12:Motor\\", "backslash must be followed"},
                      std::pair{"rename:12:Mo\\tor", "is no escape"}));

TEST(DialogAnswersList, KeepsOrderAndEscapedSeparators) {
  const auto answers = DialogAnswers::Parse("rename:12:A\\,B:ok, overwrite:all ,cancel");
  ASSERT_EQ(answers.size(), 3u) << "an escaped comma does not split the list";
  EXPECT_EQ(answers[0].name, "A,B");
  EXPECT_EQ(answers[1].choice, Choice::kOverwrite);
  EXPECT_EQ(answers[1].button, Button::kAll);
  EXPECT_TRUE(answers[2].Cancels());
  EXPECT_EQ(answers[1].text, "overwrite:all") << "the log shows the answer as written, trimmed";
}

TEST(DialogAnswersList, NothingGivenIsNoAnswer) {
  EXPECT_TRUE(DialogAnswers::Parse("").empty());
  EXPECT_TRUE(DialogAnswers::Parse("   ").empty());
}

}  // namespace
}  // namespace mztest
