// Reading and writing project files and PLC files (the host's XML format, docs/project-file.md).
//
//   auto project = ProjectFile::LoadProject("samples/conveyor.prj.xml");
//   ProjectFile::SaveProject(*project, "copy.prj.xml");
//
// A file that does not load raises one platform::Error (number kFormatError) whose description
// names the file, the line and the problem ("conveyor.prj.xml:12: block 'FB 10': number '70000'
// is out of range 1..65535"); nothing is created. A file that a merge left with a block in two
// categories still loads, with warnings of the same form saying what was resolved. Saving writes a
// temporary file beside the target and renames it over the target, so a failed save leaves the old
// file as it was.
//
// SaveTogether writes a project and its PLC as one change: both texts are written beside their
// targets first, and only when both are on disk are both renamed over their targets.
//
// Trap: the loaders leave the project unmodified; saving does not clear the modified flag
// (ProjectFileObject::Save does).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Ref.h"

namespace host {

class OfflineProject;
class PlcProject;

class ProjectFile {
 public:
  /// The runtime's "bad file format": the text is no valid project or PLC file.
  static constexpr int32_t kFormatError = 321;
  /// The runtime's "file not found".
  static constexpr int32_t kFileNotFound = 53;
  /// The runtime's "path/file access error": reading or writing failed.
  static constexpr int32_t kFileAccessError = 75;

  ProjectFile() = delete;

  /// Loads an offline project; its file object saves back to `file`. What the load resolved in
  /// a file that still opens (a block listed by two categories, a member naming no block) is
  /// appended to `warnings`.
  static platform::Ref<OfflineProject> LoadProject(const std::filesystem::path& file,
                                                   std::vector<std::string>* warnings = nullptr);
  /// Parses an offline project from text; fileName names it in errors, warnings and in its file
  /// object.
  static platform::Ref<OfflineProject> ParseProject(std::string_view xml,
                                                    const std::string& fileName,
                                                    std::vector<std::string>* warnings = nullptr);
  static platform::Ref<PlcProject> LoadPlc(const std::filesystem::path& file);
  static platform::Ref<PlcProject> ParsePlc(std::string_view xml, const std::string& fileName);

  static std::string SerializeProject(OfflineProject& project);
  static std::string SerializePlc(PlcProject& plc);
  /// Writes atomically; error kFileAccessError (the old file untouched) when writing fails.
  static void SaveProject(OfflineProject& project, const std::filesystem::path& file);
  static void SavePlc(PlcProject& plc, const std::filesystem::path& file);
  /// Writes both files, all or nothing: when either cannot be written, error kFileAccessError
  /// and both files are as they were. (Only a failing rename after both were written, which
  /// the file system does not allow to undo, can leave the project saved and the PLC not.)
  static void SaveTogether(OfflineProject& project, const std::filesystem::path& projectFile,
                           PlcProject& plc, const std::filesystem::path& plcFile);
};

}  // namespace host
