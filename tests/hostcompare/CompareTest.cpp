// The reference host compares the open project with the connected PLC: the programs, each
// block's own state, the stations, and what the PLC announces when blocks are loaded into it.
#include <gtest/gtest.h>

#include "mzblprsx/interfaces/IRgHwCompare.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"
#include "mzblprsx/interfaces/IRgProgramCompare.h"
#include "support/HostTestSupport.h"

namespace {

namespace clsid = mzblprsx::clsid;
using mztest::ErrorOf;
using mztest::HostProject;
using mztest::PlcText;
using mztest::ProjectText;
using platform::Ref;

// Programs holding the given blocks, with the given stations; a PLC given as nullptr is not
// connected, one given as "" has no program.
HostProject Open(std::string_view project, const char* plc, std::string_view hardware = "") {
  const auto program = [](std::string_view blocks) {
    return "<program name=\"P\">" + std::string(blocks) + "</program>\n";
  };
  const std::string plcText =
      plc == nullptr ? "" : PlcText(std::string(hardware) + (*plc ? program(plc) : ""));
  return HostProject(ProjectText(std::string(hardware) + program(project)), plcText);
}

std::string Names(mzblprsx::IRgObjectArray& list) {
  std::string names;
  for (int32_t i = 1; i <= list.Count(); ++i)
    names += (i > 1 ? " " : "") + list.Item(i)->ObjectID();
  return names;
}

// "FC1:0 FB10:1 | FB10:1 OB1:0": each block's compare state, the project's then the PLC's.
std::string States(const HostProject& host) {
  std::string states;
  for (const auto& program : {host.program, host.plc->Program()}) {
    if (!states.empty()) states += " |";
    if (!program) continue;
    for (const auto& block : program->Blocks()) {
      states += " " + block->Name() + ":" + std::to_string(block->CompareState());
    }
  }
  return states;
}

struct Compared {
  int32_t error = 0;
  std::string projectOnly, plcOnly;
  int32_t differing = 0;
};

Compared Compare(const HostProject& host) {
  const auto service =
      platform::CreateObjectAs<mzblprsx::IRgServiceFactory>(clsid::kServiceFactory)
          ->GetService(std::string(clsid::kBlockService), host.program, nullptr, "Offline");
  const auto projectOnly = platform::CreateObjectAs<mzblprsx::IRgObjectArray>(clsid::kObjectArray);
  const auto plcOnly = platform::CreateObjectAs<mzblprsx::IRgObjectArray>(clsid::kObjectArray);
  Compared result;
  result.error = ErrorOf([&] {
    result.differing =
        service.Cast<mzblprsx::IRgProgramCompare>()->ComparePrograms(projectOnly, plcOnly);
  });
  result.projectOnly = Names(*projectOnly);
  result.plcOnly = Names(*plcOnly);
  return result;
}

TEST(CompareTest, ProgramsPairTheirBlocksByTypeAndNumberAndCompareWhatThePlcRuns) {
  struct Row {
    const char* what;
    std::string project, plc;
    Compared expected;
    std::string states;
  } const rows[] = {
      {"identical but for the description",
       R"(<block type="FB" number="10" header="a" author="x" size="4" modified="2026-01-01 00:00:00" body="b"/>)",
       R"(<block type="FB" number="10" header="z" body="b"/>)",
       {0, "", "", 0},
       " FB10:1 | FB10:1"},
      {"body",
       R"(<block type="FB" number="10" body="b"/>)",
       R"(<block type="FB" number="10" body="c"/>)",
       {0, "", "", 1},
       " FB10:2 | FB10:2"},
      {"language",
       R"(<block type="FC" number="1" language="LAD"/><block type="FC" number="2"/>)",
       R"(<block type="FC" number="1" language="STL"/><block type="FC" number="2"/>)",
       {0, "", "", 1},
       " FC1:2 FC2:1 | FC1:2 FC2:1"},
      {"protection",
       R"(<block type="FC" number="1" protected="true"/>)",
       R"(<block type="FC" number="1"/>)",
       {0, "", "", 1},
       " FC1:2 | FC1:2"},
      {"instance owner",
       R"(<block type="DB" number="1" instance-of="FB1"/>)",
       R"(<block type="DB" number="1" instance-of="FB2"/>)",
       {0, "", "", 1},
       " DB1:2 | DB1:2"},
      {"only on one side",
       R"(<block type="FC" number="1"/><block type="FB" number="10"/><block type="UDT" number="1"/>)",
       R"(<block type="OB" number="1"/><block type="FB" number="10"/>)",
       {0, "FC1 UDT1", "OB1", 0},
       " FC1:0 FB10:1 UDT1:0 | OB1:0 FB10:1"},
      {"PLC without program",
       R"(<block type="FC" number="1"/>)",
       "",
       {0, "FC1", "", 0},
       " FC1:0 |"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const HostProject host = Open(row.project, row.plc.c_str());
    const Compared got = Compare(host);
    EXPECT_EQ(got.error, row.expected.error);
    EXPECT_EQ(got.projectOnly, row.expected.projectOnly);
    EXPECT_EQ(got.plcOnly, row.expected.plcOnly);
    EXPECT_EQ(got.differing, row.expected.differing);
    EXPECT_EQ(States(host), row.states);
  }
}

TEST(CompareTest, WithoutAPlcThereIsNothingToCompareWith) {
  HostProject host = Open(R"(<block type="FB" number="10"/>)", R"(<block type="FB" number="10"/>)");
  const auto plcBlock = host.plc->Program()->FindBlockById("FB10");
  host.env.DisconnectPlc();
  const Compared got = Compare(host);
  EXPECT_EQ(got.error, platform::errc::kInvalidCall);
  EXPECT_EQ(got.projectOnly + got.plcOnly, "") << "a failed comparison lists nothing";
  EXPECT_EQ(host.BlockNamed("FB10")->CompareState(), 0);
  EXPECT_EQ(plcBlock->CompareState(), 0) << "the PLC that went away is paired with nothing";
}

TEST(CompareTest, StationsCompareByNameSizeAndStateButNotByDate) {
  struct Row {
    const char* what;
    std::string plcStation;  // against <hardware name="S" size="8" state="0"/>
    int32_t error, result;
  } const rows[] = {
      {"equal", R"(name="S" size="8" modified="2026-01-01 00:00:00")", 0, 1},
      {"name", R"(name="T" size="8")", 0, 2},
      {"size", R"(name="S" size="9")", 0, 2},
      {"state", R"(name="S" size="8" state="3")", 0, 2},
      {"not comparable", R"(name="S" size="8" state="8192")", platform::errc::kInvalidCall, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    HostProject host(ProjectText(R"(<hardware name="S" size="8"/>)"),
                     PlcText("<hardware " + row.plcStation + "/>"));
    const auto compare = platform::CreateObjectAs<mzblprsx::IRgHwCompare>(clsid::kHwCompare);
    EXPECT_EQ(ErrorOf([&] {
                compare->CompareHardware(0, host.project->Hardware(), host.plc->Hardware());
              }),
              row.error);
    EXPECT_EQ(compare->Result(), row.result);
    EXPECT_EQ(ErrorOf([&] { compare->CompareHardware(0, host.project->Hardware(), nullptr); }),
              platform::errc::kObjectNotSet);
    EXPECT_EQ(compare->Result(), 0) << "a failed comparison forgets the one before";
  }
}

// Records each delivery of PLC blocks as "4:FB10 1:FC3".
class Sink : public mzblprsx::IRgObjectEventSink2 {
 public:
  std::string_view TypeName() const override { return "Sink"; }
  void OnNotify2(const mzblprsx::RgNotification& notification) override {
    if (notification.sourceClass != clsid::kBlockOnline) return;
    std::string line;
    for (const auto& entry : notification.entries) {
      line += (line.empty() ? "" : " ") + std::to_string(entry.code) + ":";
      for (const auto& object : entry.objects) line += object->ObjectID();
    }
    heard.push_back(line);
  }
  std::vector<std::string> heard;
};

TEST(CompareTest, LoadingIntoThePlcChangesBlocksInPlaceAndTellsTheOnlineTree) {
  HostProject host =
      Open(R"(<block type="FB" number="10" body="new"/><block type="FC" number="3"/>)",
           R"(<block type="FB" number="10" body="old"/>)");
  const auto sink = platform::MakeObject<Sink>();
  host.plc->Notifications().Subscribe(sink);
  const auto fb10 = host.plc->Program()->FindBlockById("FB10");
  const auto loaded = host.plc->Program()->LoadBlocks(host.program->Blocks());
  EXPECT_EQ(loaded.front(), fb10) << "the PLC's block keeps its object, so its item stays";
  EXPECT_EQ(States(host), " FB10:1 FC3:1 | FB10:1 FC3:1");
  host.plc->Program()->RemoveBlocks({loaded.back()});
  fb10->SetHeader("edited");
  EXPECT_EQ(sink->heard, (std::vector<std::string>{"4:FB10 1:FC3", "2:FC3", "4:FB10"}));
}

}  // namespace
