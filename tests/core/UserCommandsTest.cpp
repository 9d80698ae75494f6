// User commands read from the snap-in's configuration.
#include "SnapInFixture.h"
#include "TestCommands.h"

#include "mzblprsx/core/IRgProjectViewCommand.h"
#include "mzblprsx/core/RgProjectUserCommands.h"

namespace mztest {
namespace {

class UserCommands : public SnapInFixture {
 protected:
  void SetUp() override {
    TestCommand::Register();
    CommandLog().clear();
    Start();
  }
  platform::Ref<mzblprsx::RgProjectUserCommands> C() { return snapIn->Commands(); }
  std::vector<int32_t> Numbers() {
    std::vector<int32_t> out;
    for (const auto& c : C()->NewEnum()) out.push_back(c->CmdID());
    return out;
  }
};

TEST_F(UserCommands, OnlyElementsWithNumberAndProgramIdentifierDeclareCommands) {
  C()->Create(R"(<COMMANDS>
      <A ID="0" PROGID="test.OkCommand"/>
      <B PROGID="test.OkCommand"/>
      <C ID="5"/>
      <D ID="6" PROGID=""/>
      <E ID="7" PROGID="test.NoSuchClass"/>
      <F ID="8.5" PROGID="test.OkCommand"/>
      <G ID="9" PROGID="test.DisabledCommand"><IGNORED/></G>
    </COMMANDS>)");
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{8, 9}))
      << "8.5 rounds to 8; a class that cannot be created is skipped";
  EXPECT_TRUE(C()->Find(8));
  EXPECT_FALSE(C()->Find(7));
  EXPECT_FALSE(C()->CanExecute(7)) << "no command: False";
  EXPECT_FALSE(C()->CanExecute(9));
  EXPECT_TRUE(C()->CanExecute(8));
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(UserCommands, TextsThatAreNoCommandsDocumentDeclareNothing) {
  for (const char* xml :
       {"", "<COMMANDS>", "<OTHER><C ID=\"1\" PROGID=\"test.OkCommand\"/></OTHER>",
        "not xml at all", "<COMMANDS/>"}) {
    C()->Create(xml);
    EXPECT_EQ(C()->Count(), 0) << xml;
  }
}

TEST_F(UserCommands, DuplicateNumberIsAnErrorAndKeepsTheFirst) {
  C()->Create(R"(<COMMANDS><A ID="3" PROGID="test.OkCommand"/>
                  <B ID="3" PROGID="test.DisabledCommand"/></COMMANDS>)");
  EXPECT_EQ(C()->Count(), 1);
  EXPECT_TRUE(C()->CanExecute(3)) << "the first command stays";
  ASSERT_FALSE(ErrorSources().empty());
  EXPECT_EQ(ErrorSources()[0], "mzblprsx.RgProjectUserCommands.Add");
  EXPECT_EQ(env.Errors().Reports()[0].number, platform::errc::kDuplicateKey);
}

TEST_F(UserCommands, AddRemoveAndParents) {
  auto command = platform::MakeObject<TestCommand>(TestCommand::Kind::Ok);
  C()->Add(command, 42);
  EXPECT_EQ(command->CmdID(), 42);
  EXPECT_TRUE(platform::SameObject(command->Parent(), C()));
  EXPECT_TRUE(platform::SameObject(C()->Item(42), command));
  EXPECT_FALSE(C()->Item(43));
  C()->Remove(42);
  EXPECT_FALSE(command->Parent()) << "a removed command is cut loose";
  C()->Remove(42);  // removing an unknown number is no error
  C()->Add(command, 1);
  auto other = platform::MakeObject<TestCommand>(TestCommand::Kind::Ok);
  C()->Add(other, 2);
  C()->RemoveAll();
  EXPECT_FALSE(command->Parent());
  EXPECT_FALSE(other->Parent());
  EXPECT_EQ(C()->Count(), 0);
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(UserCommands, ExecuteIsOnCommandAndTheOtherTargetOperationsDoNothing) {
  C()->Create(R"(<COMMANDS><A ID="3" PROGID="test.OkCommand"/></COMMANDS>)");
  EXPECT_TRUE(C()->Execute(3));
  EXPECT_FALSE(C()->Execute(4));
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"execute 3"});
  EXPECT_FALSE(C()->DoVerb(3, platform::Variant(), true));
  EXPECT_EQ(C()->GetMsgText(3), "");
  EXPECT_EQ(C()->GetTooltipText(3), "");
  EXPECT_EQ(C()->GetTooltipHelp(3, 4), 0);
}

TEST_F(UserCommands, ConfigurationWithoutCommandsElementIsNoError) {
  Stop();
  Start("<SNAPIN><OTHER/></SNAPIN>");
  EXPECT_EQ(C()->Count(), 0);
  Stop();
  Start("");  // no configuration element at all
  EXPECT_EQ(C()->Count(), 0);
  EXPECT_TRUE(snapIn->Projects()) << "every object is still created";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

}  // namespace
}  // namespace mztest
