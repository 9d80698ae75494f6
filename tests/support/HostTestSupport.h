// Projects and PLCs in the reference host: one small project text that every suite builds
// from, and a builder that opens it (or any inline text) in its own application. It brings the
// headers of the host's objects with it, so that a test includes only what is particular to it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/Environment.h"
#include "host/app/HostApplication.h"
#include "host/project/Block.h"
#include "host/project/BlockInfo.h"
#include "host/project/Category.h"
#include "host/project/Documentation.h"
#include "host/project/EmbeddedSamples.h"
#include "host/project/HardwareConfig.h"
#include "host/project/MMCFile.h"
#include "host/project/MemoryCard.h"
#include "host/project/NotificationHub.h"
#include "host/project/ObjectList.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFile.h"
#include "host/project/ProjectFileObject.h"
#include "host/project/References.h"
#include "host/project/SymbolTable.h"
#include "host/project/VarTables.h"
#include "host/services/NewBlockRequest.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgServiceFactory.h"
#include "platform/ClassRegistry.h"
#include "platform/Error.h"
#include "support/ErrorOf.h"

namespace mztest {

inline constexpr std::string_view kGuid = "{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}";

/// A project (a PLC) whose root is on line 1 and whose body starts on line 2, so that a test can
/// name the line an error is reported on.
std::string ProjectText(std::string_view body);
std::string PlcText(std::string_view body);

/// Project "T" (kGuid): hardware "Station" (2048 bytes, state 3), symbols FB10 Motor and OB1
/// Cycle, variable tables, references, documentation, and a program whose default category 1
/// "Blocks" lists OB1 and category 2 "Motors" lists FB10, DB10 (instance of FB10) and FB11
/// (protected); FC1 is listed by none; stored order "2 1". Every block has a body; FB10 carries
/// every block attribute and one this host does not know (colour="red").
std::string ProjectXml();
/// PLC "CPU": hardware "Station", memory card "MMC" with "a.bin", and a program with FB10 (the
/// project's body) and OB1.
std::string PlcXml();

/// A request for the block service to create a block.
host::NewBlockRequest Request(int32_t type, int32_t number, std::string symbol = {});

/// A project (and a PLC) open in an application of their own. The project's saves stay in
/// memory, so that a test never writes a file.
class HostProject {
 public:
  /// Opens `projectXml` and, unless `plcXml` is empty, connects `plcXml`.
  explicit HostProject(std::string_view projectXml = ProjectXml(),
                       std::string_view plcXml = PlcXml());

  platform::Ref<host::Block> BlockNamed(const char* name) const {
    return program->FindBlockById(name);
  }
  platform::Ref<host::Category> CategoryNamed(const char* id) const {
    return program->FindCategoryById(id);
  }
  /// A category's members as "FB10 DB10 FB11".
  static std::string Members(const host::Category& category);

  host::Environment env;
  platform::Ref<host::OfflineProject> project;
  platform::Ref<host::Program> program;
  platform::Ref<host::PlcProject> plc;
};

}  // namespace mztest
