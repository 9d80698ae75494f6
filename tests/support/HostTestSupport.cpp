#include "support/HostTestSupport.h"

#include <utility>

#include "host/project/ProjectFileObject.h"
#include "platform/Error.h"

namespace mztest {

std::string ProjectText(std::string_view body) {
  return "<project name=\"T\" guid=\"" + std::string(kGuid) + "\">\n" + std::string(body) +
         "</project>\n";
}

std::string PlcText(std::string_view body) {
  return "<plc name=\"P\" guid=\"" + std::string(kGuid) + "\">\n" + std::string(body) + "</plc>\n";
}

std::string ProjectXml() {
  return ProjectText(
      R"(<hardware name="Station" modified="2026-11-02 08:15:00" size="2048" state="3"/>
  <symbols name="Symbols"><symbol address="FB10" name="Motor"/><symbol address="OB1" name="Cycle"/>
  </symbols>
  <vartables name="Variable tables"/>
  <references name="Cross references"/>
  <documentation name="Documentation"/>
  <program name="Program" default-category="1" category-order="2 1">
    <category id="1" name="Blocks"><member block="OB1"/></category>
    <category id="2" name="Motors"><member block="FB10"/><member block="DB10"/><member block="FB11"/>
    </category>
    <block type="OB" number="1" header="Cycle" body="CALL FB10"/>
    <block type="FB" number="10" header="Motor control" author="Line team" language="LAD"
           size="412" modified="2026-11-02 08:15:00" body="star-delta" colour="red"/>
    <block type="DB" number="10" instance-of="FB10" body="instance"/>
    <block type="FB" number="11" protected="true" body="belt"/>
    <block type="FC" number="1" body="scale"/>
  </program>
)");
}

std::string PlcXml() {
  return R"(<plc name="CPU" guid="{9D41E7B2-0C3A-4F58-B6E1-72A4C0D9E315}">
  <hardware name="Station" size="2048"/>
  <memory-card name="MMC" size="1024"><file name="a.bin" type="1" type-text="Program" size="10"/>
  </memory-card>
  <program name="Program"><block type="FB" number="10" body="star-delta"/><block type="OB" number="1"/>
  </program>
</plc>)";
}

host::NewBlockRequest Request(int32_t type, int32_t number, std::string symbol) {
  host::NewBlockRequest request;
  request.type = type;
  request.number = number;
  request.symbol = std::move(symbol);
  return request;
}

HostProject::HostProject(std::string_view projectXml, std::string_view plcXml) {
  project = env.OpenProjectText(projectXml, "t.prj.xml");
  project->FileObject()->SetSaveToDisk(false);
  program = project->Program();
  if (!plcXml.empty()) plc = env.ConnectPlcText(plcXml, "t.plc.xml");
}

std::string HostProject::Members(const host::Category& category) {
  std::string text;
  for (const auto& block : category.Members()) {
    // Appended piece by piece: `"" + name` trips a false -Wrestrict of GCC 12 at -O3.
    if (!text.empty()) text += ' ';
    text += block->Name();
  }
  return text;
}

}  // namespace mztest
