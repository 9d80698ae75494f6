// User commands read from the snap-in's configuration, and the routing of commands and verbs:
// user commands first, then the active explorer control.
#include "SnapInFixture.h"
#include "TestCommands.h"

#include "host/app/CommandUI.h"
#include "mzblprsx/core/IRgProjectViewCommand.h"
#include "mzblprsx/core/RgProjectUserCommands.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgCompanion.h"

namespace mztest {
namespace {

/// Records the values of verb 28.
class RecordingCompanion final : public mzblprsx::IRgCompanion {
 public:
  std::string_view TypeName() const override { return "RecordingCompanion"; }
  void SetState(bool value) override { Values().push_back(value); }
  static std::vector<bool>& Values() {
    static std::vector<bool> values;
    return values;
  }
};

class CommandRouting : public SnapInFixture {
 protected:
  void SetUp() override {
    TestCommand::Register();
    CommandLog().clear();
    Start(R"(<SNAPIN><COMMANDS>
               <CMD ID="100" PROGID="test.OkCommand"/>
               <CMD ID="101" PROGID="test.FailingCommand"/>
               <CMD ID="102" PROGID="test.DisabledCommand"/>
             </COMMANDS></SNAPIN>)");
  }
  void UseExplorer() {
    explorer = platform::MakeObject<TestExplorerControl>();
    env.Application().SetActiveExplorerControl(explorer);
  }
  void TearDown() override {
    env.Application().SetActiveExplorerControl(nullptr);
    SnapInFixture::TearDown();
  }
  platform::Ref<TestExplorerControl> explorer;
};

TEST_F(CommandRouting, UserCommandsComeFirstThenTheExplorerWhichAlsoGetsTheOtherVerbs) {
  EXPECT_FALSE(snapIn->IsResponsible(999)) << "no explorer: unclaimed commands are declined";
  EXPECT_FALSE(snapIn->OnCommand(999));
  EXPECT_EQ(snapIn->GetMsgText(999), "") << "texts come from the explorer control only";
  EXPECT_EQ(snapIn->GetTooltipHelp(1, 2), 0);
  EXPECT_FALSE(snapIn->DoVerb(700, platform::Variant(3), true)) << "no explorer: False";
  int32_t verb = 700;
  platform::Variant args(1);
  bool broadcast = false;
  EXPECT_FALSE(snapIn->DoVerbOnSnapIn("NoSuchSnapIn", verb, args, broadcast));
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());

  UseExplorer();
  EXPECT_TRUE(snapIn->IsResponsible(100));
  EXPECT_TRUE(snapIn->OnCommand(100));
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"execute 100"});
  EXPECT_TRUE(explorer->calls.empty()) << "a claimed command never reaches the explorer";
  EXPECT_TRUE(snapIn->OnCommand(600));
  EXPECT_FALSE(snapIn->IsResponsible(7));
  EXPECT_EQ(explorer->calls, (std::vector<std::string>{"command 600", "responsible 7"}));
  EXPECT_EQ(snapIn->GetMsgText(3), "msg 3");
  EXPECT_EQ(snapIn->GetTooltipText(4), "tip 4");
  EXPECT_EQ(snapIn->GetTooltipHelp(1, 2), 1002);

  explorer->calls.clear();
  EXPECT_TRUE(snapIn->DoVerb(700, platform::Variant(3), true));
  EXPECT_FALSE(snapIn->DoVerb(111, platform::Variant(), false)) << "own verbs answer False";
  EXPECT_EQ(explorer->calls, std::vector<std::string>{"verb 700 3 broadcast"});
  env.Application().AddSnapIn("Other", explorer);
  EXPECT_TRUE(snapIn->DoVerbOnSnapIn("Other", verb, args, broadcast));
  env.Application().RemoveSnapIn("Other");
}

TEST_F(CommandRouting, CommandsRunUnderWaitCursorAndContextUpdateUIByCanExecuteAndVerb28) {
  EXPECT_TRUE(snapIn->OnCommand(100));
  EXPECT_EQ(env.Errors().CommandLog().size(), 2u) << "begin and end";
  EXPECT_EQ(env.Application().WaitCursorDepth(), 0) << "wait cursor calls come in pairs";
  EXPECT_GE(env.Application().WaitCursorLog().size(), 2u);

  CommandLog().clear();
  EXPECT_FALSE(snapIn->OnCommand(101));
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"execute 101"});
  EXPECT_TRUE(env.Errors().CommandContexts().empty()) << "the context was ended";
  EXPECT_EQ(env.Application().WaitCursorDepth(), 0);
  EXPECT_TRUE(ErrorSources().empty()) << "a failing command is no error of the snap-in";

  snapIn->DoVerb(111, platform::Variant(), false);  // the wait cursor verbs
  EXPECT_EQ(env.Application().WaitCursorDepth(), 1);
  snapIn->DoVerb(112, platform::Variant(), false);
  EXPECT_EQ(env.Application().WaitCursorDepth(), 0);

  auto ui = platform::MakeObject<host::CommandUI>();
  EXPECT_TRUE(snapIn->OnUpdateUI(100, ui));
  EXPECT_TRUE(ui->Enabled());
  EXPECT_TRUE(snapIn->OnUpdateUI(102, ui));
  EXPECT_FALSE(ui->Enabled()) << "a command that cannot execute is disabled";
  auto untouched = platform::MakeObject<host::CommandUI>();
  untouched->SetEnabled(true);
  EXPECT_FALSE(snapIn->OnUpdateUI(555, untouched));
  EXPECT_TRUE(untouched->Enabled()) << "an unknown command leaves the element alone";

  // Verb 28 passes a Boolean to the companion, which a fresh snap-in picks up.
  Stop();
  platform::ClassRegistry::Instance().Register(mzblprsx::clsid::kCompanion, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<RecordingCompanion>());
  });
  RecordingCompanion::Values().clear();
  Start();
  snapIn->DoVerb(28, platform::Variant(int32_t{-1}), false);
  snapIn->DoVerb(28, platform::Variant(0), false);
  EXPECT_EQ(RecordingCompanion::Values(), (std::vector<bool>{true, false}));
}

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

TEST_F(UserCommands, TextsAndConfigurationsWithoutCommandsDeclareNothingAndAreNoError) {
  for (const char* xml :
       {"", "<COMMANDS>", "<OTHER><C ID=\"1\" PROGID=\"test.OkCommand\"/></OTHER>",
        "not xml at all", "<COMMANDS/>"}) {
    C()->Create(xml);
    EXPECT_EQ(C()->Count(), 0) << xml;
  }
  Stop();
  Start("<SNAPIN><OTHER/></SNAPIN>");
  EXPECT_EQ(C()->Count(), 0);
  Stop();
  Start("");  // no configuration element at all
  EXPECT_EQ(C()->Count(), 0);
  EXPECT_TRUE(snapIn->Projects()) << "every object is still created";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
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

TEST_F(UserCommands, AddRemoveParentsAndExecuteAsTheOnlyTargetOperation) {
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

  C()->Create(R"(<COMMANDS><A ID="3" PROGID="test.OkCommand"/></COMMANDS>)");
  EXPECT_TRUE(C()->Execute(3));
  EXPECT_FALSE(C()->Execute(4));
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"execute 3"});
  EXPECT_FALSE(C()->DoVerb(3, platform::Variant(), true)) << "the other operations do nothing";
  EXPECT_EQ(C()->GetMsgText(3), "");
  EXPECT_EQ(C()->GetTooltipText(3), "");
  EXPECT_EQ(C()->GetTooltipHelp(3, 4), 0);
}

}  // namespace
}  // namespace mztest
