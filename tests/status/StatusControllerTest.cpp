// The compare states and ghost blocks that the status controller writes into both trees, with a
// project open and a PLC connected in the reference host, whose comparison decides what differs.
#include <gtest/gtest.h>

#include <string>

#include "core/SnapInFixture.h"
#include "host/framework/ObjectArray.h"
#include "host/services/BlockService.h"
#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/handlers/IRgObjectGhostBlock.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "mzblprsx/models/RgProjects.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using Model = platform::Ref<mzblprsx::RgProjectModel>;
using Item = platform::Ref<mzblprsx::RgProjectItem>;

constexpr const char* kStation = R"(<hardware name="Station" size="2048"/>)";

std::string Program(const std::string& blocks) {
  return R"(<program name="Program" default-category="1"><category id="1" name="Blocks"/>)" +
         blocks + "</program>\n";
}

std::string Block(const char* type, int number, const char* body, bool system = false) {
  return std::string("<block type=\"") + type + "\" number=\"" + std::to_string(number) +
         "\" body=\"" + body + "\"" + (system ? " system=\"true\"" : "") + "/>";
}

/// Every item of a tree in pre-order as NAME=STATE (NAME alone without a state); a ghost as
/// ghost(its blocks).
void Walk(const platform::Ref<mzblprsx::RgProjectItems>& items, std::string& out) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    const Item item = items->Item(i);
    const auto data = item->Data();
    std::string name = data->Value("NAME").ToString();
    if (data->Value("TYPE").ToString() == "RgGhostBlock") {
      name = "ghost(";
      const auto ghost = item->Handler()->Object().Cast<mzblprsx::IRgObjectGhostBlock>();
      for (const auto& block : ghost->NewEnum()) {
        if (name.back() != '(') name += ' ';
        name += block->DisplayName();
      }
      name += ")";
    }
    if (!out.empty()) out += ' ';
    out += name;
    if (data->Exists("COMPARESTATE")) out += "=" + data->Value("COMPARESTATE").ToString();
    Walk(item->Items(), out);
  }
}

class StatusTest : public SnapInFixture {
 protected:
  /// Opens the project, lets the snap-in build its tree, then connects the PLC (when given).
  void Open(const std::string& project, const std::string& plc) {
    Start();
    env.OpenProjectText(ProjectText(project), "t.prj.xml")->FileObject()->SetSaveToDisk(false);
    Initialized();
    if (!plc.empty()) env.ConnectPlcText(PlcText(plc), "t.plc.xml");
  }
  Model Offline() const { return snapIn->OfflineModel(); }
  Model Online() const { return snapIn->OnlineModel(); }
  static std::string Marks(const Model& model) {
    std::string out;
    Walk(model->Items(), out);
    return out;
  }
};

// What a full comparison writes on both sides, by what the two programs hold.
TEST_F(StatusTest, TheFullComparisonMarksBothTrees) {
  struct Row {
    const char* what;
    std::string project, plc, offline, online;
  } rows[] = {
      {"identical programs: 4 below an equal program, no ghost",
       kStation + Program(Block("FB", 10, "a") + Block("FC", 1, "b")),
       kStation + Program(Block("FB", 10, "a") + Block("FC", 1, "b")),
       "T=1 Station=1 Program=1 Blocks=4 FB10=4 FC1=4",  // default category shown in the model
       "P=1 Station=1 Program=1 FB10=4 FC1=4"},
      {"a body that differs marks that block on both sides",
       kStation + Program(Block("FB", 10, "a") + Block("FC", 1, "b")),
       kStation + Program(Block("FB", 10, "a") + Block("FC", 1, "changed")),
       "T=2 Station=1 Program=2 Blocks FB10=1 FC1=2", "P=2 Station=1 Program=2 FB10=1 FC1=2"},
      {"a block only in the PLC stands in the project's ghost; a UDT only in the project in none",
       kStation + Program(Block("FB", 10, "a") + Block("UDT", 1, "u")),
       kStation + Program(Block("FB", 10, "a") + Block("FC", 30, "t")),
       "T=2 Station=1 Program=2 Blocks FB10=1 UDT1=0 ghost(FC30)",
       "P=2 Station=1 Program=2 FB10=1 FC30=0"},
      {"a block only in the project stands in the PLC's ghost",
       kStation + Program(Block("FB", 10, "a") + Block("FC", 5, "n")),
       kStation + Program(Block("FB", 10, "a")), "T=2 Station=1 Program=2 Blocks FB10=1 FC5=0",
       "P=2 Station=1 Program=2 FB10=1 ghost(FC5)"},
      {"system blocks get no state",
       kStation + Program(Block("FB", 10, "a") + Block("SFC", 46, "s", true)),
       kStation + Program(Block("FB", 10, "a") + Block("SFC", 46, "s", true)),
       "T=1 Station=1 Program=1 Blocks=4 FB10=4 SFC46", "P=1 Station=1 Program=1 FB10=4"},
      {"a station that differs makes the project differ", kStation + Program(Block("FB", 10, "a")),
       R"(<hardware name="Station" size="4096"/>)" + Program(Block("FB", 10, "a")),
       "T=2 Station=2 Program=1 Blocks=4 FB10=4", "P=2 Station=2 Program=1 FB10=4"},
      {"a station that cannot be compared is 3, and the project differs",
       R"(<hardware name="Station" size="2048" state="8192"/>)" + Program(Block("FB", 10, "a")),
       kStation + Program(Block("FB", 10, "a")), "T=2 Station=3 Program=1 Blocks=4 FB10=4",
       "P=2 Station=3 Program=1 FB10=4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Open(row.project, row.plc);
    EXPECT_EQ(Marks(Offline()), row.offline);
    EXPECT_EQ(Marks(Online()), row.online);
    Stop();
    env.DisconnectPlc();
    env.CloseProject();
  }
}

TEST_F(StatusTest, DisconnectingClearsTheProjectsStatesAndTakesItsGhostAway) {
  Open(kStation + Program(Block("FB", 10, "a")),
       kStation + Program(Block("FB", 10, "b") + Block("FC", 30, "t")));
  ASSERT_EQ(Marks(Offline()), "T=2 Station=1 Program=2 Blocks FB10=2 ghost(FC30)");
  env.DisconnectPlc();
  EXPECT_EQ(Marks(Offline()), "T=0 Station=0 Program=0 Blocks=0 FB10=0");

  env.ConnectPlcText(PlcText(kStation + Program(Block("FB", 10, "a"))), "again.plc.xml");
  EXPECT_EQ(Marks(Offline()), "T=1 Station=1 Program=1 Blocks=4 FB10=4")
      << "a new connection compares again";
}

TEST_F(StatusTest, ChangesOnOneSideAreComparedAgain) {
  Open(kStation + Program(Block("FB", 10, "a") + Block("FC", 1, "b")),
       kStation + Program(Block("FB", 10, "a") + Block("FC", 1, "b") + Block("FC", 30, "t")));
  ASSERT_EQ(Marks(Online()), "P=2 Station=1 Program=2 FB10=1 FC1=1 FC30=0");

  // A block the project loses leaves it through a notification of the block service.
  const auto program = env.Project()->Program();
  const auto gone = platform::MakeObject<host::ObjectArray>();
  gone->Add(program->FindBlockById("FC1"));
  platform::MakeObject<host::BlockService>(program, nullptr, "Offline")->DeleteBlocks(gone, 0);
  EXPECT_EQ(Marks(Offline()), "T=2 Station=1 Program=2 Blocks FB10=1 ghost(FC1 FC30)");
  EXPECT_EQ(Marks(Online()), "P=2 Station=1 Program=2 FB10=1 FC1=0 FC30=0");

  // The station changes on the project's side: hardware and project states follow.
  env.Project()->Hardware()->SetSize(4096);
  EXPECT_EQ(Marks(Offline()), "T=2 Station=2 Program=2 Blocks FB10=1 ghost(FC1 FC30)");
}

TEST_F(StatusTest, NothingIsMarkedBeforeAConnectionAndTheViewsRedrawOnceTheStatesAreWritten) {
  Open(kStation + Program(Block("FB", 10, "a")), "");
  EXPECT_EQ(Marks(Offline()), "T Station Program Blocks FB10") << "only the project: no marks";
  int rebuilds = 0;
  const auto connection =
      Offline()->AutoRefreshEvent().Connect([&](bool on) { rebuilds += on ? 1 : 0; });
  env.ConnectPlcText(PlcText(kStation + Program(Block("FB", 10, "b"))), "t.plc.xml");
  EXPECT_GE(rebuilds, 1) << "the project's views rebuild to show the states";
  EXPECT_TRUE(Offline()->AutoRefresh());
  EXPECT_TRUE(Online()->AutoRefresh());

  rebuilds = 0;
  snapIn->Projects()->RefreshModel(mzblprsx::RgProjectLocationOnline);
  EXPECT_EQ(rebuilds, 1) << "a refreshed PLC tree redraws the project's tree once";
  EXPECT_TRUE(Offline()->AutoRefresh());
}

}  // namespace
}  // namespace mztest
