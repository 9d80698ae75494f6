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
class ProjectObject;

class ProjectFileWriter {
 public:
  ProjectFileWriter() = delete;

  static std::string Write(OfflineProject& project);
  static std::string Write(PlcProject& plc);
  /// The element a project or PLC file holds for one object, on one line and without
  /// declaration: hardware, symbols, vartables, references, documentation, program (with its
  /// categories and blocks), category (with its members), block, memory-card or file. Error 5
  /// for an object without an element of its own (a project: Write gives its whole text).
  static std::string ElementText(const ProjectObject& object);
};

}  // namespace host
