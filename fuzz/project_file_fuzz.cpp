// Fuzzes the project file reader and writer: any bytes either load as a project or PLC or raise
// a platform::Error; whatever loads must write a text that loads again and writes the same text
// (the round trip guarantee of docs/project-file.md).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "platform/Error.h"

namespace {

template <class Parse, class Serialize>
void CheckRoundTrip(std::string_view text, Parse parse, Serialize serialize) {
  std::string first;
  try {
    auto loaded = parse(text, "fuzz.xml");
    first = serialize(*loaded);
  } catch (const platform::Error&) {
    return;  // refused input: fine
  }
  try {
    auto reloaded = parse(first, "written.xml");
    if (serialize(*reloaded) != first) std::abort();  // the writer is not stable
  } catch (const platform::Error&) {
    std::abort();  // what the writer wrote does not load
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), data ? size : 0);
  CheckRoundTrip(
      text,
      [](std::string_view xml, const char* name) {
        return host::ProjectFile::ParseProject(xml, name);
      },
      [](host::OfflineProject& project) { return host::ProjectFile::SerializeProject(project); });
  CheckRoundTrip(
      text,
      [](std::string_view xml, const char* name) { return host::ProjectFile::ParsePlc(xml, name); },
      [](host::PlcProject& plc) { return host::ProjectFile::SerializePlc(plc); });
  return 0;
}
