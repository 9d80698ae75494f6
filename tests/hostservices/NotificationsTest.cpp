// The notification hub (kinds, batches, queueing, subscribers coming and going, scopes, failing
// sinks) and what each change of a project object announces.
#include <gtest/gtest.h>

#include "OpenProjectTest.h"

namespace hostsvc {
namespace {

using host::BlockInfo;
using host::NotificationBatch;
using host::NotificationHub;

// A sink that offers only the single-notification interface.
class SingleOnly : public mzblprsx::IRgObjectEventSink {
 public:
  std::string_view TypeName() const override { return "SingleOnly"; }
  void OnNotify(int32_t code, Ref<platform::Object> object, const platform::Variant& a) override {
    to->OnNotify(code, object, a);
  }
  Ref<RecordingSink> to = platform::MakeObject<RecordingSink>();
};

class NotificationsTest : public OpenProjectTest {
 public:
  NotificationHub& Hub() { return project->Notifications(); }
  Ref<host::Block> NewFc(int32_t number) {
    return platform::MakeObject<host::Block>(false, BlockInfo::kFc, number);
  }
  Ref<RecordingSink> Listener(NotificationHub::Order order = NotificationHub::Order::kNormal) {
    auto listener = platform::MakeObject<RecordingSink>();
    Hub().Subscribe(listener, nullptr, order);
    listeners_.push_back(listener);
    return listener;
  }

 private:
  std::vector<Ref<RecordingSink>> listeners_;
};

TEST_F(NotificationsTest, EachSinkHearsItsKindsAndABatchInRaiseOrderMergingEntries) {
  const auto single = platform::MakeObject<SingleOnly>();
  Hub().Subscribe(single);
  project->SetName("Renamed");
  BlockNamed("FB10")->SetHeader("Changed");
  EXPECT_EQ(single->to->Take(), "single project 4:" + kGuid);
  EXPECT_EQ(sink->Take(), "single project 4:" + kGuid + " | batch block 8192:FB10")
      << "a sink with both interfaces hears each change once, in its kind";

  {
    NotificationBatch batch(*program);
    program->AddBlock(NewFc(2));
    program->AddBlock(NewFc(3));
    program->RenumberBlock(*BlockNamed("FC3"), 4);
    CategoryNamed("2")->SetName("Drives");
    program->AddBlock(NewFc(5));
    project->SetName("Again");
    project->SetName("Renamed");
    project->SetName("Again");
    EXPECT_EQ(sink->Take(), "") << "nothing is delivered while the batch is open";
  }
  // Notifications carry the objects themselves: FC3, renumbered since, reads FC4.
  EXPECT_EQ(sink->Take(),
            "batch block 1:FC2,FC4 128:FC4 | batch program 256:PROGRAM | batch block 1:FC5 | "
            "single project 4:" +
                kGuid);
}

TEST_F(NotificationsTest, ANotificationRaisedDuringDeliveryWaitsAndSubscribersMayComeAndGo) {
  const auto later = Listener();
  std::string order;
  sink->onRecord = [&](const std::string& record) {
    order += "[" + record + "]";
    if (record == "batch block 8192:FB10") BlockNamed("OB1")->SetHeader("Changed too");
  };
  later->onRecord = [&](const std::string& record) { order += "(" + record + ")"; };
  BlockNamed("FB10")->SetHeader("Changed");
  EXPECT_EQ(order,
            "[batch block 8192:FB10](batch block 8192:FB10)"
            "[batch block 8192:OB1](batch block 8192:OB1)");

  const auto victim = platform::MakeObject<RecordingSink>();
  const auto victimId = Hub().Subscribe(victim);
  const auto newcomer = platform::MakeObject<RecordingSink>();
  sink->onRecord = [&](const std::string&) {
    sink->onRecord = nullptr;
    Hub().Unsubscribe(victimId);
    Hub().Subscribe(newcomer);
    BlockNamed("OB1")->SetHeader("Queued");
  };
  BlockNamed("FB10")->SetHeader("Changed again");
  EXPECT_EQ(victim->Take(), "") << "neither the rest of this delivery nor the queued one";
  EXPECT_EQ(newcomer->Take(), "batch block 8192:OB1") << "from the next notification on";
}

TEST_F(NotificationsTest, FollowersHearLastFailingSinksStopNothingScopedSinksHearTheirObject) {
  std::string order;
  Listener(NotificationHub::Order::kAfterOthers)->onRecord = [&](auto&) { order += "follower "; };
  Listener()->onRecord = [&](auto&) {
    order += "handler ";
    throw platform::Error(platform::errc::kFail, "broke");
  };
  Hub().Subscribe(platform::MakeObject<RecordingSink>());  // released at once
  EXPECT_NO_THROW(BlockNamed("FB10")->SetHeader("Changed"));
  EXPECT_EQ(order, "handler follower ");
  EXPECT_EQ(sink->Take(), "batch block 8192:FB10");
  EXPECT_EQ(Hub().DeliveryFailures(), 1);
  EXPECT_EQ(Hub().LastFailure(), "broke");
  EXPECT_EQ(Hub().SubscriberCount(), 3u) << "the hub held the released sink weakly";

  const auto inProgram = platform::MakeObject<RecordingSink>();
  const auto onFb10 = platform::MakeObject<RecordingSink>();
  Hub().Subscribe(inProgram, program);
  Hub().Subscribe(onFb10, BlockNamed("FB10"));
  project->Hardware()->SetSize(1);
  {
    NotificationBatch batch(*program);
    BlockNamed("FB10")->SetHeader("Scoped");
    BlockNamed("OB1")->SetHeader("Scoped");
  }
  program->RemoveBlocks({BlockNamed("FB10"), BlockNamed("DB10")});
  EXPECT_EQ(inProgram->Take(), "batch block 8192:FB10,OB1 | batch block 2:FB10,DB10")
      << "deleted blocks still count as the program's";
  EXPECT_EQ(onFb10->Take(), "batch block 8192:FB10 | batch block 2:FB10");
  EXPECT_NE(ErrorOf([&] { plc->Notifications().Subscribe(sink, program); }), 0)
      << "a scope must be part of the hub's project";
}

TEST(NotificationHubLifetime, ASinkMayReleaseTheProjectWhileItIsDelivered) {
  auto project = host::ProjectFile::ParseProject(ProjectXml(), "t.prj.xml");
  const auto block = project->Program()->FindBlockById("FB10");
  const auto recorder = platform::MakeObject<RecordingSink>();
  recorder->onRecord = [&](const std::string&) { project.Reset(); };
  project->Notifications().Subscribe(recorder);
  {
    NotificationBatch batch(*block);
    block->SetHeader("One");
    project->SetName("Two");
  }
  EXPECT_EQ(recorder->Take(), "batch block 8192:FB10 | single project 4:" + kGuid)
      << "the hub finishes its delivery before it goes";
}

struct Row {
  const char* what;
  std::function<void(NotificationsTest&)> change;
  std::string expected;
};

TEST_F(NotificationsTest, EachChangeAnnouncesItself) {
  using T = NotificationsTest&;
  const Row rows[] = {
      {"header", [](T t) { t.BlockNamed("FB10")->SetHeader("New"); }, "batch block 8192:FB10"},
      {"same header", [](T t) { t.BlockNamed("FB10")->SetHeader("New"); }, ""},
      {"protection", [](T t) { t.BlockNamed("OB1")->SetProtected(true); }, "batch block 8192:OB1"},
      {"block added", [](T t) { t.program->AddBlock(t.NewFc(9)); }, "batch block 1:FC9"},
      {"block deleted", [](T t) { t.BlockNamed("FC9")->Delete(); }, "batch block 2:FC9"},
      {"renumbered", [](T t) { t.program->RenumberBlock(*t.BlockNamed("FC1"), 2); },
       "batch block 128:FC2"},
      {"renumbered with symbol", [](T t) { t.program->RenumberBlock(*t.BlockNamed("FB10"), 12); },
       "batch block 128:FB12 | batch program 131072:FB12"},
      {"category renamed", [](T t) { t.CategoryNamed("2")->SetName("Drives"); },
       "batch program 256:PROGRAM"},
      {"category deleted", [](T t) { t.CategoryNamed("2")->Delete(); },
       "batch program 256:PROGRAM"},
      {"default category", [](T t) { t.program->SetDefaultCategoryId(3); },
       "batch program 256:PROGRAM"},
      {"member listed", [](T t) { t.CategoryNamed("1")->InsertMember(t.BlockNamed("FC2")); }, ""},
      {"stored order", [](T t) { t.program->SetCategoryOrder({"1"}); }, ""},
      {"symbol set", [](T t) { t.project->Symbols()->SetSymbol("FC2", "Scale"); },
       "batch program 131072:FC2"},
      {"symbol of no block", [](T t) { t.project->Symbols()->SetSymbol("I0.0", "Start"); },
       "batch program 131072:PROGRAM"},
      {"project renamed", [](T t) { t.project->SetName("New"); }, "single project 4:" + kGuid},
      {"station size", [](T t) { t.project->Hardware()->SetSize(1); }, "single hw 64:HW"},
      {"tables renamed", [](T t) { t.project->VarTables()->SetName("V"); },
       "single vartables 64:VARTABLES"},
      {"station deleted", [](T t) { t.project->Hardware()->Delete(); },
       "single hw 128:HW | single project 256:" + kGuid},
      {"symbols deleted", [](T t) { t.project->Symbols()->Delete(); },
       "single symbols 128:SYMBOLS | single project 256:" + kGuid +
           " | batch program 131072:PROGRAM"},
      {"PLC block added",
       [](T t) {
         t.plc->Program()->AddBlock(platform::MakeObject<host::Block>(true, BlockInfo::kFc, 3));
       },
       "batch plcblock 1:FC3"},
      {"PLC blocks deleted",
       [](T t) { t.plc->Program()->RemoveBlocks(t.plc->Program()->Blocks()); },
       "batch plcblock 2:FB10,OB1,FC3"},
      {"PLC station", [](T t) { t.plc->Hardware()->SetState(3); }, "single plchw 64:HW"},
      {"card size", [](T t) { t.plc->MemoryCard()->SetSize(1); }, "batch card 64:MMC"},
      {"file renamed", [](T t) { t.plc->MemoryCard()->FindFile("a.bin")->SetName("c.bin"); },
       "batch file 4:c.bin"},
      {"file size", [](T t) { t.plc->MemoryCard()->FindFile("c.bin")->SetSize(3); },
       "batch file 8:c.bin"},
      {"file deleted", [](T t) { t.plc->MemoryCard()->FindFile("c.bin")->Delete(); },
       "batch file 2:c.bin"},
  };
  for (const Row& row : rows) {
    row.change(*this);
    EXPECT_EQ(sink->Take(), row.expected) << row.what;
  }
}

}  // namespace
}  // namespace hostsvc
