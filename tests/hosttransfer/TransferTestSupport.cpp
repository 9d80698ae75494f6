#include "TransferTestSupport.h"

#include <zlib.h>

#include "platform/Error.h"

namespace hosttransfer {

std::string ProjectXml() {
  return "<project name=\"T\" guid=\"" + kProjectGuid + R"(">
  <hardware name="Station" modified="2026-11-02 08:15:00" size="2048" state="3"/>
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
</project>)";
}

std::string PlcXml() {
  return R"(<plc name="CPU" guid="{9D41E7B2-0C3A-4F58-B6E1-72A4C0D9E315}">
  <hardware name="Station" size="2048"/>
  <memory-card name="MMC" size="1024"><file name="a.bin" type="1" type-text="Program" size="10"/>
  </memory-card>
  <program name="Program"><block type="FB" number="10" body="star-delta"/></program>
</plc>)";
}

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

namespace {
void Append32(Bytes& bytes, uint32_t value) {
  bytes.resize(bytes.size() + 4);
  PutU32(bytes, bytes.size() - 4, value);
}
}  // namespace

Bytes Encode(const std::vector<RawItem>& items, int64_t count) {
  Bytes payload;
  for (const RawItem& item : items) {
    payload.push_back(item.flags);
    for (const std::string* text : {&item.classId, &item.objectId, &item.name, &item.secondName,
                                    &item.marker, &item.content}) {
      Append32(payload, static_cast<uint32_t>(text->size()));
      payload.insert(payload.end(), text->begin(), text->end());
    }
  }
  Bytes bytes = {'R', 'G', 'D', 'O', 1, 0, 0, 0};
  Append32(bytes, static_cast<uint32_t>(count < 0 ? static_cast<int64_t>(items.size()) : count));
  Append32(bytes, static_cast<uint32_t>(payload.size()));
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  Append32(bytes, 0);
  Reseal(bytes);
  return bytes;
}

void Reseal(Bytes& bytes) {
  PutU32(bytes, bytes.size() - 4,
         static_cast<uint32_t>(crc32_z(0, bytes.data(), bytes.size() - 4)));
}

int32_t ErrorOf(const std::function<void()>& call, std::string* description) {
  try {
    call();
  } catch (const platform::Error& error) {
    if (description != nullptr) *description = error.Description();
    return error.Number();
  }
  return 0;
}

}  // namespace hosttransfer
