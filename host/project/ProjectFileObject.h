// The offline project's file object (IRgFileObject): the file name, whether the project has
// unsaved changes, and Save, which writes the project back through ProjectFile.
//
//   project->FileObject()->Save(0);
//
// A project loaded from a path saves to that path (atomically: a temporary file beside it, then
// a rename). A project parsed from text has no path; it, and any project whose file object is
// told not to write (SetSaveToDisk(false), for commands that must not change files), "saves"
// into SavedText() instead. Either way the project is unmodified afterwards.
//
// Trap: the file object holds its project weakly; Save after the project is gone is an error.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "mzblprsx/interfaces/IRgFileObject.h"

namespace host {

class OfflineProject;

class ProjectFileObject : public virtual mzblprsx::IRgFileObject {
 public:
  explicit ProjectFileObject(const platform::Ref<OfflineProject>& project);

  std::string_view TypeName() const override { return "ProjectFileObject"; }

  // IRgFileObject
  /// The path as given to the loader, or the name given with the project's text.
  std::string FileName() override { return fileName_; }
  /// The project's modified flag; false when the project is gone.
  bool IsModified() override;
  /// Writes the project (flags are not used). Errors of writing are raised; the file on disk
  /// is then unchanged.
  void Save(int32_t flags) override;

  const std::filesystem::path& Path() const { return path_; }
  /// The file to save to; also becomes the file name.
  void SetPath(std::filesystem::path path);
  /// The reported name, for a project that has no path.
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  /// Whether Save writes to Path (true by default); false keeps saves in memory.
  bool SavesToDisk() const { return saveToDisk_; }
  void SetSaveToDisk(bool value) { saveToDisk_ = value; }
  /// The text of the last save that stayed in memory.
  const std::string& SavedText() const { return savedText_; }
  /// How many times Save succeeded.
  int32_t SaveCount() const { return saveCount_; }

 private:
  std::weak_ptr<OfflineProject> project_;
  std::filesystem::path path_;
  std::string fileName_;
  bool saveToDisk_ = true;
  std::string savedText_;
  int32_t saveCount_ = 0;
};

}  // namespace host
