#include "ServicesTestSupport.h"

#include <map>
#include <utility>

#include "host/project/ProjectFileObject.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "platform/Error.h"

namespace hostsvc {

namespace clsid = mzblprsx::clsid;

std::string ProjectXml() {
  return "<project name=\"T\" guid=\"" + kGuid + R"(">
  <hardware name="Station" modified="2026-11-02 08:15:00" size="2048" state="0"/>
  <symbols name="Symbols"><symbol address="FB10" name="Motor"/><symbol address="OB1" name="Cycle"/>
  </symbols>
  <vartables name="Variable tables"/>
  <documentation name="Documentation"/>
  <program name="Program" default-category="1" category-order="2 1">
    <category id="1" name="Blocks"><member block="OB1"/></category>
    <category id="2" name="Motors"><member block="FB10"/><member block="DB10"/><member block="FB11"/>
    </category>
    <block type="OB" number="1"/><block type="FB" number="10" header="Motor"/>
    <block type="DB" number="10" instance-of="FB10"/><block type="FB" number="11" protected="true"/>
    <block type="FC" number="1"/>
  </program>
</project>)";
}

std::string ShortClass(std::string_view classId) {
  static const std::map<std::string_view, std::string> kNames{{clsid::kBlockOffline, "block"},
                                                              {clsid::kBlockOnline, "plcblock"},
                                                              {clsid::kProgramOffline, "program"},
                                                              {clsid::kProjectOffline, "project"},
                                                              {clsid::kHwConfigOffline, "hw"},
                                                              {clsid::kHwConfigOnline, "plchw"},
                                                              {clsid::kSymbolTable, "symbols"},
                                                              {clsid::kVarTables, "vartables"},
                                                              {clsid::kCategory, "category"},
                                                              {clsid::kMemoryCard, "card"},
                                                              {clsid::kMMCFile, "file"}};
  const auto it = kNames.find(classId);
  return it == kNames.end() ? std::string(classId) : it->second;
}

void RecordingSink::OnNotify(int32_t code, Ref<platform::Object> object,
                             const platform::Variant& argument) {
  EXPECT_TRUE(argument.IsEmpty()) << "single notifications carry no argument";
  const auto framework = object.Cast<mzblprsx::IRgObject>();
  Record("single " + ShortClass(framework->ClassID()) + " " + std::to_string(code) + ":" +
         framework->ObjectID());
}

void RecordingSink::OnNotify2(const mzblprsx::RgNotification& notification) {
  std::string line = "batch " + ShortClass(notification.sourceClass);
  for (const auto& entry : notification.entries) {
    line += " " + std::to_string(entry.code) + ":";
    for (size_t i = 0; i < entry.objects.size(); ++i) {
      line += (i == 0 ? "" : ",") + entry.objects[i]->ObjectID();
    }
  }
  Record(std::move(line));
}

void RecordingSink::Record(std::string line) {
  records_.push_back(line);
  if (auto hook = onRecord) hook(line);  // a copy: the hook may replace itself
}

std::string RecordingSink::Take() {
  std::string joined;
  for (const auto& record : records_) joined += (joined.empty() ? "" : " | ") + record;
  records_.clear();
  return joined;
}

host::NewBlockRequest Request(int32_t type, int32_t number, std::string symbol) {
  host::NewBlockRequest request;
  request.type = type;
  request.number = number;
  request.symbol = std::move(symbol);
  return request;
}

int32_t ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const platform::Error& error) {
    return error.Number();
  }
  return 0;
}

OpenProjectTest::OpenProjectTest() {
  project = env.OpenProjectText(ProjectXml(), "t.prj.xml");
  project->FileObject()->SetSaveToDisk(false);
  program = project->Program();
  plc = env.ConnectPlcText("<plc name=\"P\" guid=\"" + kGuid + R"("><hardware name="S"/>
      <memory-card name="Card"><file name="a.bin"/></memory-card>
      <program name="Program"><block type="OB" number="1"/><block type="FB" number="10"/></program>
    </plc>)",
                           "p.plc.xml");
  project->Notifications().Subscribe(sink);
  plc->Notifications().Subscribe(sink);
}

OpenProjectTest::~OpenProjectTest() = default;  // the hubs hold the sink weakly

std::string OpenProjectTest::Members(const host::Category& category) {
  std::string text;
  for (const auto& block : category.Members()) text += (text.empty() ? "" : " ") + block->Name();
  return text;
}

}  // namespace hostsvc
