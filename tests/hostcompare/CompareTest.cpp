// The reference host compares the open project with the connected PLC: the programs, each
// block's own state, the stations, and what the PLC announces when blocks are loaded into it.
#include <gtest/gtest.h>

#include "host/framework/ObjectArray.h"
#include "host/services/BlockService.h"
#include "mzblprsx/interfaces/IRgHwCompare.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"
#include "support/HostTestSupport.h"

namespace {

using mztest::HostProject;
using mztest::PlcText;
using mztest::ProjectText;

std::string Program(std::string_view blocks) {
  return "<program name=\"P\">" + std::string(blocks) + "</program>\n";
}

// "FC3 / OB1 / 4 = FB10:1 FC3:0 | FB10:1 OB1:0": the blocks only in the project, only in the PLC,
// the pairs that differ (after a failure's error number), each block's compare state per side.
std::string Report(const HostProject& host) {
  const auto projectOnly = platform::MakeObject<host::ObjectArray>();
  const auto plcOnly = platform::MakeObject<host::ObjectArray>();
  const auto service = platform::MakeObject<host::BlockService>(host.program, nullptr, "Offline");
  int32_t differing = 0;
  const int32_t error =
      mztest::ErrorOf([&] { differing = service->ComparePrograms(projectOnly, plcOnly); });
  std::string text = error != 0 ? std::to_string(error) + ": " : "";
  for (const auto& list : {projectOnly, plcOnly}) {
    for (const auto& object : *list) text += object->ObjectID() + " ";
    text += "/ ";
  }
  text += std::to_string(differing) + " =";
  for (const auto& program : {host.program, host.plc->Program()}) {
    text += text.back() == '=' ? "" : " |";
    for (const auto& block : program->Blocks()) {
      text += " " + block->Name() + ":" + std::to_string(block->CompareState());
    }
  }
  return text;
}

TEST(CompareTest, ProgramsPairTheirBlocksByTypeAndNumberAndCompareWhatThePlcRuns) {
  // FB10 differs only in what describes it; FB11, FC1, FC2 and DB1 in body, language,
  // protection and instance owner; FC3 and the data type are only in the project, OB1 in the PLC.
  const HostProject host(ProjectText(Program(R"(<block type="FB" number="10" header="a" author="x"
    size="4" modified="2026-01-01 00:00:00" body="b"/><block type="FB" number="11" body="b"/>
    <block type="FC" number="1" language="LAD"/><block type="FC" number="2" protected="true"/>
    <block type="DB" number="1" instance-of="FB1"/><block type="FC" number="3"/>
    <block type="UDT" number="1"/>)")),
                         PlcText(Program(R"(<block type="OB" number="1"/>
    <block type="FB" number="10" header="z" body="b"/><block type="FB" number="11" body="c"/>
    <block type="FC" number="1" language="STL"/><block type="FC" number="2"/>
    <block type="DB" number="1" instance-of="FB2"/>)")));
  EXPECT_EQ(Report(host),
            "FC3 UDT1 / OB1 / 4 = FB10:1 FB11:2 FC1:2 FC2:2 DB1:2 FC3:0 UDT1:0 | "
            "OB1:0 FB10:1 FB11:2 FC1:2 FC2:2 DB1:2");
}

TEST(CompareTest, WithoutAPlcThereIsNothingToCompareWithAndAPlcWithoutProgramHasNoBlocks) {
  const auto program = Program(R"(<block type="FB" number="10"/>)");
  HostProject host(ProjectText(program), PlcText(program));
  host.env.DisconnectPlc();
  EXPECT_EQ(Report(host), "5: / / 0 = FB10:0 | FB10:0");
  host.env.ConnectPlcText(PlcText(""), "empty.plc.xml");
  EXPECT_EQ(Report(host), "FB10 / / 0 = FB10:0 | FB10:0") << "the PLC before stays unpaired";
}

TEST(CompareTest, StationsCompareByNameSizeAndStateButNotByDate) {
  host::Environment::RegisterClasses();
  const auto compare =
      platform::CreateObjectAs<mzblprsx::IRgHwCompare>(mzblprsx::clsid::kHwCompare);
  // The PLC's station against <hardware name="S" size="8"/>: the error, then the result.
  const std::pair<const char*, const char*> rows[] = {
      {R"(<hardware name="S" size="8" modified="2026-01-01 00:00:00"/>)", "0 1"},
      {R"(<hardware name="T" size="8"/>)", "0 2"},
      {R"(<hardware name="S" size="8" state="8192"/>)", "5 0"},  // the 2 before is forgotten
      {R"(<hardware name="S" size="9"/>)", "0 2"},
      {R"(<hardware name="S" size="8" state="3"/>)", "0 2"},
      {"", "91 0"},
  };
  for (const auto& [plcStation, expected] : rows) {
    HostProject host(ProjectText(R"(<hardware name="S" size="8"/>)"), PlcText(plcStation));
    const int32_t error = mztest::ErrorOf(
        [&] { compare->CompareHardware(0, host.project->Hardware(), host.plc->Hardware()); });
    EXPECT_EQ(std::to_string(error) + " " + std::to_string(compare->Result()), expected)
        << plcStation;
  }
}

// Records each delivery as " 4:FB10 1:FC3 |".
class Sink : public mzblprsx::IRgObjectEventSink2 {
 public:
  std::string_view TypeName() const override { return "Sink"; }
  void OnNotify2(const mzblprsx::RgNotification& notification) override {
    for (const auto& entry : notification.entries) {
      heard += " " + std::to_string(entry.code) + ":";
      for (const auto& object : entry.objects) heard += object->ObjectID();
    }
    heard += " |";
  }
  std::string heard;
};

TEST(CompareTest, LoadingIntoThePlcChangesBlocksInPlaceAndTellsTheOnlineTree) {
  HostProject host(ProjectText(Program(R"(<block type="FB" number="10" body="new"/>
                                          <block type="FC" number="3"/>)")),
                   PlcText(Program(R"(<block type="FB" number="10" body="old"/>)")));
  const auto sink = platform::MakeObject<Sink>();
  host.plc->Notifications().Subscribe(sink);
  const auto fb10 = host.plc->Program()->FindBlockById("FB10");
  const auto loaded = host.plc->Program()->LoadBlocks(host.program->Blocks());
  EXPECT_EQ(Report(host), "/ / 0 = FB10:1 FC3:1 | FB10:1 FC3:1");
  host.plc->Program()->RemoveBlocks({loaded.back()});
  fb10->SetHeader("edited");  // heard only while FB10 is still the PLC's: it kept its object
  EXPECT_EQ(sink->heard, " 4:FB10 1:FC3 | 2:FC3 | 4:FB10 |");
}

}  // namespace
