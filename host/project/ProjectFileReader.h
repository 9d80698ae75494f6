// Turns the text of a project file or PLC file into project objects, validating everything on
// the way (docs/project-file.md lists the rules). ProjectFile is the public entry; this is its
// reading half.
//
// Trap: text is read as UTF-8; a UTF-16 file is malformed XML here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Ref.h"

namespace host {

class Block;
class OfflineProject;
class PlcProject;

class ProjectFileReader {
 public:
  ProjectFileReader() = delete;

  /// Error ProjectFile::kFormatError "<fileName>:<line>: <what>: <problem>" when it is none.
  /// What a file that loads had to resolve (a block listed twice, a member without its block)
  /// is appended to `warnings`, one "<fileName>:<line>: <what>: <problem>" each, in line order.
  static platform::Ref<OfflineProject> ReadProject(std::string_view xml,
                                                   const std::string& fileName,
                                                   std::vector<std::string>* warnings = nullptr);
  static platform::Ref<PlcProject> ReadPlc(std::string_view xml, const std::string& fileName);
  /// A block, in no program, from the text of one `block` element (ProjectFileWriter's
  /// ElementText of a block), for the offline or the online side. The same checks and errors as
  /// a block in a file, `sourceName` standing for the file name.
  static platform::Ref<Block> ReadBlock(std::string_view xml, bool online,
                                        const std::string& sourceName);
};

}  // namespace host
