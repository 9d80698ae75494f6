// Turns project objects into the text of a project file or PLC file; the writing half of
// ProjectFile. Known attributes come first in a fixed order, then the unknown ones the reader
// kept; known children come in a fixed order, then the unknown nodes.
//
// Trap: the output is deterministic: writing, reading and writing again gives the same text.
#pragma once

#include <string>

namespace host {

class OfflineProject;
class PlcProject;

class ProjectFileWriter {
 public:
  ProjectFileWriter() = delete;

  static std::string Write(OfflineProject& project);
  static std::string Write(PlcProject& plc);
};

}  // namespace host
