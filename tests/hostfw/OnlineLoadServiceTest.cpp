// The online service with its connection, and the load service's states.
#include <gtest/gtest.h>

#include "host/services/LoadService.h"
#include "host/services/OnlineConnection.h"
#include "host/services/OnlineService.h"
#include "host/services/VarTableService.h"
#include "mzblprsx/interfaces/IRgOnlineConnection.h"
#include "support/HostTestSupport.h"

namespace {

namespace clsid = mzblprsx::clsid;
using platform::Ref;

// A PLC with a hardware configuration and a program holding FB10 and OB1.
Ref<host::PlcProject> MakePlc() {
  return host::ProjectFile::ParsePlc(
      mztest::PlcText("<hardware name=\"Station\"/>\n<program name=\"Program\"><block type=\"FB\" "
                      "number=\"10\"/><block type=\"OB\" number=\"1\"/></program>\n"),
      "t.plc.xml");
}

std::string UpdateList(const std::vector<std::pair<std::string_view, std::string>>& objects) {
  std::string xml = "<ROOT>";
  for (const auto& [classId, objectId] : objects) {
    xml += "<RGOBJECT CLSID=\"" + std::string(classId) + "\" OBJID=\"" + objectId +
           "\" ISOPEN=\"0\"/>";
  }
  return xml + "</ROOT>";
}

class OnlineServiceTest : public ::testing::Test {
 protected:
  OnlineServiceTest()
      : events(online.OnEvent().Connect([this](int32_t reason, const platform::Variant&) {
          reasons.push_back(reason);
          containerSeen.push_back(static_cast<bool>(online.GetContainer("")));
        })) {}

  host::Environment env;
  host::OnlineService& online = env.Online();
  std::vector<int32_t> reasons;
  std::vector<bool> containerSeen;
  platform::ScopedConnection events;
};

TEST_F(OnlineServiceTest, ConnectAndDisconnectRaiseTheirEventsWhileThePlcIsReachable) {
  EXPECT_FALSE(online.GetContainer("")) << "nothing before a connect";
  EXPECT_FALSE(online.Connection());
  const auto plc = MakePlc();
  online.Connect(plc);
  EXPECT_TRUE(SameObject(online.GetContainer(""), plc));
  EXPECT_TRUE(SameObject(online.GetContainer("any name"), plc));
  ASSERT_TRUE(online.Connection().As<mzblprsx::IRgOnlineConnection>());
  online.Disconnect();
  EXPECT_EQ(reasons, (std::vector<int32_t>{1, 3, 2}));
  EXPECT_EQ(containerSeen, (std::vector<bool>{true, true, true}))
      << "listeners reach the PLC during every event";
  EXPECT_FALSE(online.GetContainer("")) << "forgotten after the disconnect";
  online.Disconnect();
  EXPECT_EQ(reasons.size(), 3u) << "disconnecting twice raises nothing";

  // Connecting again disconnects the first PLC.
  reasons.clear();
  online.Connect(MakePlc());
  const auto second = MakePlc();
  online.Connect(second);
  EXPECT_EQ(reasons, (std::vector<int32_t>{1, 3, 2, 1}));
  EXPECT_TRUE(SameObject(online.GetContainer(""), second));
  EXPECT_THROW(online.Connect(nullptr), platform::Error);
}

TEST_F(OnlineServiceTest, ConnectionLogsAccessRefusesCallsOnceClosedAndHasTablesPerChild) {
  online.Connect(MakePlc());
  const auto connection = online.Connection().Cast<host::OnlineConnection>();
  connection->Access(12);
  EXPECT_EQ(connection->OpenAccesses(), 1) << "reading the PLC";
  connection->Access(13);
  EXPECT_EQ(connection->AccessLog(), (std::vector<int32_t>{12, 13}));
  EXPECT_EQ(connection->OpenAccesses(), 0);
  online.Disconnect();
  EXPECT_FALSE(connection->IsOpen());
  EXPECT_THROW(connection->Access(12), platform::Error) << "a kept connection is dead";
  EXPECT_THROW(connection->VarTableService(nullptr), platform::Error);
  const auto plc = MakePlc();
  online.Connect(plc);
  const auto fresh = online.Connection().Cast<mzblprsx::IRgOnlineConnection>();
  EXPECT_FALSE(SameObject(fresh, connection)) << "a new connection per connect";

  // Its variable table services are per child.
  const auto plcTables = fresh->VarTableService(nullptr).Cast<host::VarTableService>();
  EXPECT_TRUE(plcTables->IsOnline());
  EXPECT_TRUE(SameObject(plcTables->Context(), plc)) << "the online one works on the PLC";
  EXPECT_TRUE(SameObject(fresh->VarTableService(nullptr), plcTables));
  const auto childA = platform::MakeObject<host::Program>(false, "A");
  const auto childB = platform::MakeObject<host::Program>(false, "B");
  const auto a = fresh->VarTableService(childA).Cast<host::VarTableService>();
  EXPECT_TRUE(SameObject(a->Context(), childA));
  EXPECT_EQ(a->LocationName(), "Offline");
  EXPECT_TRUE(SameObject(fresh->VarTableService(childA), a)) << "same child, same service";
  EXPECT_FALSE(SameObject(fresh->VarTableService(childB), a));
}

class LoadServiceTest : public ::testing::Test {
 protected:
  LoadServiceTest()
      : changed(load.LoadStateChanged().Connect([this](int32_t s) { notified.push_back(s); })) {}

  host::Environment env;
  host::LoadService& load = env.Load();
  std::vector<int32_t> notified;
  platform::ScopedConnection changed;
};

TEST_F(LoadServiceTest, StateTellsWhetherEveryListedObjectIsInThePlc) {
  const auto everything = [](const std::string& programId) {
    return UpdateList({{clsid::kProjectOnline, std::string(mztest::kGuid)},
                       {clsid::kHwConfigOnline, "HW"},
                       {clsid::kProgramOnline, programId},
                       {clsid::kBlockOnline, "FB10"},
                       {clsid::kBlockOnline, "OB1"}});
  };
  EXPECT_EQ(load.LoadState(everything("Program"), 0), host::LoadService::kNotConnected) << "no PLC";
  env.Online().Connect(MakePlc());
  const auto program = env.Online().GetContainer("").Cast<host::PlcProject>()->Program();
  ASSERT_TRUE(program);
  const std::string listed = everything(program->ObjectID());
  EXPECT_EQ(load.LoadState(listed, 0), host::LoadService::kUpToDate);
  EXPECT_EQ(load.LoadState("<ROOT/>", 0), host::LoadService::kUpToDate) << "an empty list";

  struct Case {
    std::string_view classId;
    std::string objectId;
    const char* why;
  };
  const Case missing[] = {
      {clsid::kBlockOnline, "FB11", "a block the PLC does not hold"},
      {clsid::kBlockOffline, "FB10", "the offline block's class is not the PLC's"},
      {clsid::kBlockOnline, "fb10", "object identifiers are exact texts"},
      {clsid::kMemoryCard, "MMC", "the PLC has no memory card"},
      {clsid::kProjectOnline, "{OTHER}", "another PLC"},
  };
  for (const Case& c : missing) {
    EXPECT_EQ(
        load.LoadState(UpdateList({{clsid::kBlockOnline, "OB1"}, {c.classId, c.objectId}}), 0),
        host::LoadService::kObjectsMissing)
        << c.why;
  }
  program->RemoveBlock(*program->FindBlockById("FB10"));
  EXPECT_EQ(load.LoadState(listed, 0), host::LoadService::kObjectsMissing)
      << "the state follows the PLC's current content";
}

TEST_F(LoadServiceTest, NotifyFlagRaisesTheStateAndEveryCallIsRecorded) {
  const std::string list = UpdateList({{clsid::kBlockOnline, "FB10"}});
  load.LoadState(list, 0);
  EXPECT_TRUE(notified.empty()) << "no flag, no event";
  load.LoadState(list, 16);
  env.Online().Connect(MakePlc());
  load.LoadState(list, 16 | 1);
  EXPECT_EQ(notified, (std::vector<int32_t>{2, 0}));
  ASSERT_EQ(load.Calls().size(), 3u);
  EXPECT_EQ(load.Calls()[2].updateList, list);
  EXPECT_EQ(load.Calls()[2].flags, 17);
  EXPECT_EQ(load.Calls()[2].state, 0);
}

TEST_F(LoadServiceTest, MalformedListIsAClearErrorEvenWithoutAPlc) {
  const char* bad[] = {"", "not xml", "<ROOT><RGOBJECT", "<LIST/>",
                       "<ROOT><RGOBJECT CLSID=\"{X}\"/></ROOT>"};
  for (const char* text : bad) {
    std::string why;
    EXPECT_NE(mztest::ErrorOf([&] { load.LoadState(text, 16); }, &why), 0) << text;
    EXPECT_NE(why.find("update list"), std::string::npos) << why;
  }
  EXPECT_TRUE(notified.empty()) << "a failed call tells nobody";
  ASSERT_EQ(load.Calls().size(), std::size(bad)) << "failed calls are recorded";
  EXPECT_FALSE(load.Calls().back().state.has_value());
}

}  // namespace
