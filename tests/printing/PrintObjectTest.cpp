// The details printout over a snap-in in the reference host: the print cursor's modes and
// items, the three layouts with their rows and totals, the parent's path, the two refusals,
// and paging.
#include "core/SnapInFixture.h"
#include "host/services/OptionService.h"
#include "mzblprsx/cursors/RgProjectCursorDetailsPrint.h"
#include "mzblprsx/interfaces/IMzPrintInit.h"
#include "mzblprsx/interfaces/IMzPrintNavigate.h"
#include "mzblprsx/printing/RgPrjPrintObjectDetails.h"
#include "platform/LocalDateFormat.h"
#include "platform/ui/MessageBox.h"
#include "support/FakeObject.h"
#include "support/HostTestSupport.h"
#include "support/RecordingPrintTable.h"

namespace mztest {
namespace {

using mzblprsx::IMzPrintInit;
using Print = mzblprsx::RgPrjPrintObjectDetails;
const std::string kFb10 = R"(<block type="FB" number="10" header="Motor control" author="Line team"
  language="LAD" size="412" modified="2026-11-02 08:15:37"/>)";

class PrintObject : public SnapInFixture {
 protected:
  void SetUp() override {
    platform::LocalDateFormat::SetLocale("de_DE");
    platform::ui::MessageBox::ClearShown();
    Start();
  }
  void TearDown() override {
    if (plcProject) env.DisconnectPlc();
    SnapInFixture::TearDown();
    platform::LocalDateFormat::SetLocale("");
  }
  void Open(const std::string& program, const std::string& plc = "") {
    const std::string text = R"(<hardware name="Station" size="2048"/><symbols name="S">
      <symbol address="FB10" name="Motor"/></symbols><program name="Program" default-category="1"
      category-order="2 1">)" +
                             program + "</program>";
    env.OpenProjectText(ProjectText(text), "t.prj.xml")->FileObject()->SetSaveToDisk(false);
    Initialized();
    if (!plc.empty()) plcProject = env.ConnectPlcText(PlcText(plc), "t.plc.xml");
  }
  /// Prints and answers the rows of the filled table, one per line.
  std::string Printed(Ref<platform::Object> object, Ref<platform::Object> parent) {
    platform::CreateObjectAs<IMzPrintInit>("mzblprsx.RgPrjPrintObjectDetails")
        ->SetRgObject(std::move(object), std::move(parent), "");
    std::string rows;
    for (int32_t r = 0; tables.last && r <= tables.last->rows; ++r)
      rows += tables.last->Row(r) + "\n";
    return rows;
  }
  /// The table's calls of that name.
  std::string Calls(const std::string& name) {
    std::vector<std::string> calls;
    for (const auto& c : tables.last->calls) {
      if (c.starts_with(name + "(")) calls.push_back(c);
    }
    return Join(calls);
  }

  ScopedPrintTable tables;
  Ref<host::PlcProject> plcProject;
};

TEST_F(PrintObject, CursorModesSystemTypesByTheOptionItemsAndSearchingOnlyOnAChange) {
  Open(
      R"(<category id="1" name="Blocks"/><category id="2" name="Motors"><member block="FB10"/>
    </category><block type="SFC" number="46" system="true"/><block type="SFB" number="2"/>
    <block type="FB" number="5" system="true"/>)" +
          kFb10,
      R"(<program name="P"><block type="OB" number="1"/><block type="SDB" number="7"/></program>)");
  const auto cursor = platform::MakeObject<mzblprsx::RgProjectCursorDetailsPrint>();
  EXPECT_EQ(cursor->Count().Type(), platform::VarType::Int16);
  for (const int32_t i : {-1, 0, 1}) EXPECT_FALSE(cursor->Item(i)) << "empty cursor " << i;
  const auto listed = [&] {
    std::string names;
    for (int32_t i = 1; i <= cursor->Count().ToInt32(); ++i)
      names += cursor->Item(i)->DataValue("NAME").ToString() + " ";
    return names;
  };
  const std::tuple<int32_t, bool, const char*> rows[] = {
      {0, false, "Station Motors FB10 FB5 "},
      {0, true, "Station Motors FB10 SFC46 SFB2 FB5 "},
      {1, false, "Motors FB10 FB5 "},
      {2, true, ""},
      {7, true, ""},
      {1, false, "OB1 "}};
  for (const auto& [mode, show, names] : rows) {
    SCOPED_TRACE(names);
    env.Options().SetValue("General/Display/ShowSystemBlocks", show);
    cursor->SetCursorMode(mode);
    cursor->Attach(*names == 'O' ? snapIn->OnlineModel() : snapIn->OfflineModel());
    EXPECT_EQ(listed(), names);
  }
  env.Options().SetValue("General/Display/ShowSystemBlocks", true);
  cursor->Attach(snapIn->OfflineModel());  // Motors FB10 SFC46 SFB2 FB5
  const auto fb5 = env.Project()->Program()->FindBlockById("FB5");
  const auto item = cursor->Item(Variant(fb5));
  EXPECT_EQ(item->DataValue("NAME").ToString(), "FB5");
  EXPECT_TRUE(SameObject(cursor->Item(Variant("5")), item) && SameObject(cursor->Item(5.4), item));
  for (const Variant& index : {Variant(int32_t{0}), Variant(int32_t{6}), Variant("FB5"),
                               Variant(env.Project()), Variant(true)}) {
    EXPECT_FALSE(cursor->Item(index)) << index.ToString();
  }
  env.Project()->Program()->RemoveBlock(*fb5);
  cursor->SetCursorMode(mzblprsx::RgPrjCursorPrintDetailsModeProgram);
  EXPECT_EQ(cursor->Count().ToInt32(), 5) << "the same mode keeps the items";
  cursor->SetCursorMode(mzblprsx::RgPrjCursorPrintDetailsModeProject);
  EXPECT_EQ(listed(), "Station Motors FB10 SFC46 SFB2 ");
}

TEST_F(PrintObject, AnEmptyProgramPrintsTheHeaderAndATotalOfZeroAndPagesStopAtBothEnds) {
  Open("");
  EXPECT_EQ(Printed(env.Project()->Program(), env.Project()),
            "Name|Symbol|Size|Language|Last modified|Author|Header\n|Total:|0|bytes|||\n");
  EXPECT_EQ(Join(tables.last->calls),
            "SetColumnCount(7), SetRowCount(1), SetColumnAttribute(1,3,16), "
            "SetColumnAttribute(2,3,20), SetColumnAttribute(3,3,12), SetColumnAttribute(4,3,12), "
            "SetColumnAttribute(5,3,16), SetColumnAttribute(6,3,12), SetColumnAttribute(7,3,12), "
            "SetCellFormat(3,0,3,2), SetCellFormat(2,1,3,2), "
            "SetCellFormat(3,0,4,1), SetCellFormat(2,1,4,1), SetColumnList(1:1234567), "
            "SetCellFormat(3,1,2,2), SetCellFormat(3,1,4,0), Finish(1)");

  // Paging stops at both ends and passes the device calls on.
  const auto print = platform::MakeObject<Print>();
  tables.last->pages = 2;
  print->SetDrawRect(0, 0, 595, 842);
  print->SetInitialRect(1, 2, 3, 4, 5);
  print->SetPropFont("Sans", 9, false, true);
  print->BeginPrinting(7, 0, 0);
  int32_t pages = 0;
  print->GetMaxPage(pages);
  std::string answers = std::to_string(pages);
  for (const int32_t step : {1, 1, -1, -1, 1}) {
    bool more = true;
    step > 0 ? print->SetNextPage(more) : print->SetPrevieousPage(more);
    answers += more ? " T" : " F";
    print->PrintPage(7, 0, 0);
  }
  print->StopPrinting();
  EXPECT_EQ(answers, "2 T F T F T");
  EXPECT_EQ(
      Join(tables.last->calls),
      "SetDrawRect(0,0,595,842), SetInitialRect(1,2,3,4,5), SetFont(0,1,1,Sans,9,False,True), "
      "BeginPrinting(7,0,0), PrintPage(2,7,0,0), PrintPage(2,7,0,0), PrintPage(1,7,0,0), "
      "PrintPage(0,7,0,0), PrintPage(1,7,0,0), StopPrinting()");
}

TEST_F(PrintObject, OfflineRowsTheParentsProjectAndTheRefusalsWithTheirMessage) {
  Open(std::string(R"(<category id="1" name="Blocks"><member block="OB1"/></category>
    <category id="2" name="Motors"><member block="FB10"/></category>
    <block type="OB" number="1" size="100"/><block type="SFC" number="46" system="true"/>)") +
       kFb10);
  const auto program = env.Project()->Program();
  ItemOf(snapIn->OfflineModel(), program->FindCategory(2))->Data()->SetValue("SIZE", 5, 1);
  const auto ob1 = ItemOf(snapIn->OfflineModel(), program->FindBlockById("OB1"))->Data();
  ob1->Clear();
  ob1->SetValue("TYPE", "RgBlockOffline.OB", 1);
  EXPECT_EQ(Printed(program, env.Project()),
            "Name|Symbol|Size|Language|Last modified|Author|Header\nMotors||||||\n"
            "FB10|Motor|412|LAD|02.11.26 08:15:37|Line team|Motor control\n"
            "<Missing>|-----|0|-----|01.01.00 00:00:00|-----|-----\n|Total:|417|bytes|||\n");
  EXPECT_EQ(Calls("SetRowStyle"), "SetRowStyle(1,1,0,0,0)");
  const std::string project = Printed(nullptr, program);
  EXPECT_EQ(project.substr(project.find('\n') + 1, 8), "Station|");
  EXPECT_EQ(project.substr(project.rfind("|Total:")), "|Total:|2465|bytes|||\n");

  // A block and a program without parent are refused, and so is a print without the snap-in.
  EXPECT_EQ(Printed(program->FindBlockById("FB10"), program) + Printed(program, nullptr), "");
  EXPECT_TRUE(tables.last->calls.empty());
  env.Application().RemoveSnapIn("ProjectSnapIn");
  EXPECT_EQ(Printed(program, env.Project()), "");
  EXPECT_EQ(Join(platform::ui::MessageBox::Shown()),
            std::string(Print::kNoLocation) + ", " + std::string(Print::kNoSnapIn));
  platform::ClassRegistry::Instance().Unregister(mzblprsx::clsid::kPrintTable);
  const auto print = platform::MakeObject<Print>();  // no table: reported, nothing crashes
  print->BeginPrinting(0, 0, 0);
  EXPECT_EQ(Join(ErrorSources()),
            "mzblprsx.RgPrjPrintObjectDetails.Class_Initialize, "
            "mzblprsx.RgPrjPrintObjectDetails.IMzPrintNavigate_BeginPrinting");
}

TEST_F(PrintObject, OnlineProgramAndMemoryCardLayoutsByObjectOrByParent) {
  Open("", std::string(R"(<hardware name="Station" size="2048"/><memory-card name="MMC"/>
    <program name="Program"><block type="OB" number="1" size="100"/>)") +
               kFb10 + "</program>");
  EXPECT_EQ(Printed(plcProject->Program(), plcProject),
            "Name|Size|Language|Last modified|Author|Header\nOB1|100||01.01.00 00:00:00||\n"
            "FB10|412|LAD|02.11.26 08:15:37|Line team|Motor control\nTotal:|512|bytes|||\n");
  EXPECT_EQ(Calls("SetColumnAttribute") + "; " + Calls("SetCellFormat"),
            "SetColumnAttribute(1,3,20), SetColumnAttribute(2,3,12), SetColumnAttribute(3,3,18), "
            "SetColumnAttribute(4,3,18), SetColumnAttribute(5,3,16), SetColumnAttribute(6,3,16); "
            "SetCellFormat(3,0,2,2), SetCellFormat(2,1,2,2), SetCellFormat(3,0,3,1), "
            "SetCellFormat(2,1,3,1), SetCellFormat(3,3,1,2), SetCellFormat(3,3,3,0)");
  EXPECT_EQ(Printed(nullptr, plcProject->Program()).substr(0, 10), "Name|Size|");
  const auto card = ItemOf(snapIn->OnlineModel(), plcProject->MemoryCard())->Items();
  const auto file = [&](const Props& values) {
    for (const auto& [key, value] : values)
      card->Item(card->Count())->Data()->SetValue(key, value, 1);
  };
  card->AddNew(nullptr, nullptr, nullptr);
  file({{"TYPE", "RgMMCFile"}, {"NAME", "a.bin"}, {"SIZE", 10}, {"DISPLAY_TYPE", "Program"}});
  file({{"LASTMODIFIED", *platform::DateTime::Parse("2026-11-02 08:15:37")}});
  card->AddNew(nullptr, nullptr, nullptr);
  file({{"TYPE", "RgMMCFile"}});
  const char* files =
      "File name|File type|Size||Last modified\na.bin|Program|10||02.11.26 08:15:37\n"
      "<Missing>|-----|0||01.01.00 00:00:00\n|Total:|10| bytes|\n";
  EXPECT_EQ(Printed(plcProject->MemoryCard(), plcProject), files);
  EXPECT_EQ(Printed(nullptr, plcProject->MemoryCard()), files);
}

}  // namespace
}  // namespace mztest
