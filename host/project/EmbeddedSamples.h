// The sample project and PLC files compiled into the host (from samples/ by Samples.cmake), so
// that the command line and the tests have a project without any file on disk.
//
//   auto project = ProjectFile::ParseProject(EmbeddedProjectXml(), "conveyor.prj.xml");
#pragma once

#include <string_view>

namespace host {

inline constexpr std::string_view kEmbeddedProjectFileName = "conveyor.prj.xml";
inline constexpr std::string_view kEmbeddedPlcFileName = "conveyor.plc.xml";

/// The text of samples/conveyor.prj.xml as it was at build time.
std::string_view EmbeddedProjectXml();
/// The text of samples/conveyor.plc.xml as it was at build time.
std::string_view EmbeddedPlcXml();

}  // namespace host
