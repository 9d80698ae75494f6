// Commands and verbs: user commands first, then the active explorer control.
#include "SnapInFixture.h"
#include "TestCommands.h"

#include "host/app/CommandUI.h"
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

TEST_F(CommandRouting, UnclaimedCommandWithoutExplorerIsDeclined) {
  EXPECT_FALSE(snapIn->IsResponsible(999));
  EXPECT_FALSE(snapIn->OnCommand(999));
  EXPECT_EQ(snapIn->GetMsgText(999), "") << "texts come from the explorer control only";
  EXPECT_EQ(snapIn->GetTooltipHelp(1, 2), 0);
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(CommandRouting, UserCommandsComeFirstThenTheExplorer) {
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
}

TEST_F(CommandRouting, CommandsRunUnderWaitCursorAndCommandContext) {
  EXPECT_TRUE(snapIn->OnCommand(100));
  EXPECT_EQ(env.Errors().CommandLog().size(), 2u) << "begin and end";
  EXPECT_EQ(env.Application().WaitCursorDepth(), 0) << "wait cursor calls come in pairs";
  EXPECT_GE(env.Application().WaitCursorLog().size(), 2u);
}

TEST_F(CommandRouting, FailingCommandAnswersFalseAndClosesItsContext) {
  EXPECT_FALSE(snapIn->OnCommand(101));
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"execute 101"});
  EXPECT_TRUE(env.Errors().CommandContexts().empty()) << "the context was ended";
  EXPECT_EQ(env.Application().WaitCursorDepth(), 0);
  EXPECT_TRUE(ErrorSources().empty()) << "a failing command is no error of the snap-in";
}

TEST_F(CommandRouting, UpdateUIEnablesByCanExecute) {
  auto ui = platform::MakeObject<host::CommandUI>();
  EXPECT_TRUE(snapIn->OnUpdateUI(100, ui));
  EXPECT_TRUE(ui->Enabled());
  EXPECT_TRUE(snapIn->OnUpdateUI(102, ui));
  EXPECT_FALSE(ui->Enabled()) << "a command that cannot execute is disabled";
  auto untouched = platform::MakeObject<host::CommandUI>();
  untouched->SetEnabled(true);
  EXPECT_FALSE(snapIn->OnUpdateUI(555, untouched));
  EXPECT_TRUE(untouched->Enabled()) << "an unknown command leaves the element alone";
}

TEST_F(CommandRouting, WaitCursorVerbs) {
  snapIn->DoVerb(111, platform::Variant(), false);
  EXPECT_EQ(env.Application().WaitCursorDepth(), 1);
  snapIn->DoVerb(112, platform::Variant(), false);
  EXPECT_EQ(env.Application().WaitCursorDepth(), 0);
}

TEST_F(CommandRouting, OtherVerbsGoToTheExplorerWithTheirArguments) {
  EXPECT_FALSE(snapIn->DoVerb(700, platform::Variant(3), true)) << "no explorer: False";
  UseExplorer();
  EXPECT_TRUE(snapIn->DoVerb(700, platform::Variant(3), true));
  EXPECT_FALSE(snapIn->DoVerb(111, platform::Variant(), false)) << "own verbs answer False";
  EXPECT_EQ(explorer->calls, std::vector<std::string>{"verb 700 3 broadcast"});
}

TEST_F(CommandRouting, VerbTwentyEightPassesABooleanToTheCompanion) {
  // A fresh snap-in picks up the recording companion.
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

TEST_F(CommandRouting, DoVerbOnSnapInReachesNamedSnapInsOnly) {
  int32_t verb = 700;
  platform::Variant args(1);
  bool broadcast = false;
  EXPECT_FALSE(snapIn->DoVerbOnSnapIn("NoSuchSnapIn", verb, args, broadcast));
  UseExplorer();
  env.Application().AddSnapIn("Other", explorer);
  EXPECT_TRUE(snapIn->DoVerbOnSnapIn("Other", verb, args, broadcast));
  env.Application().RemoveSnapIn("Other");
}

}  // namespace
}  // namespace mztest
