#include "host/project/ProjectFile.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFileObject.h"
#include "host/project/ProjectFileReader.h"
#include "host/project/ProjectFileWriter.h"
#include "platform/Error.h"

namespace host {

namespace fs = std::filesystem;

namespace {

std::string ReadWholeFile(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(file, ec)) {
    throw platform::Error(ProjectFile::kFileNotFound, file.string() + ": the file does not exist");
  }
  if (fs::is_directory(file, ec)) {
    throw platform::Error(ProjectFile::kFileAccessError, file.string() + ": is a directory");
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw platform::Error(ProjectFile::kFileAccessError, file.string() + ": cannot be opened");
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    throw platform::Error(ProjectFile::kFileAccessError, file.string() + ": cannot be read");
  }
  return text;
}

[[noreturn]] void WriteFailed(const fs::path& file, const std::string& why) {
  throw platform::Error(ProjectFile::kFileAccessError,
                        file.string() + ": cannot be written: " + why);
}

// The text written beside its target, not yet in its place.
class PendingFile {
 public:
  PendingFile(fs::path file, const std::string& text) : file_(std::move(file)) {
    static std::atomic<unsigned> counter{0};
    temp_ = file_;
    temp_ += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    std::ofstream out(temp_, std::ios::binary | std::ios::trunc);
    if (!out) WriteFailed(file_, "the temporary file " + temp_.string() + " cannot be created");
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      Discard();
      WriteFailed(file_, "writing the temporary file failed");
    }
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() { Discard(); }

  /// Renames the written text over the target; error kFileAccessError when that fails.
  void Commit() {
    std::error_code ec;
    fs::rename(temp_, file_, ec);
    if (ec) WriteFailed(file_, ec.message());
    temp_.clear();
  }

 private:
  void Discard() {
    if (temp_.empty()) return;
    std::error_code ignored;
    fs::remove(temp_, ignored);
    temp_.clear();
  }

  fs::path file_;
  fs::path temp_;
};

// Writes beside the target and renames, so that readers never see half a file and a failure
// leaves the old file in place.
void WriteAtomically(const fs::path& file, const std::string& text) {
  PendingFile(file, text).Commit();
}

}  // namespace

platform::Ref<OfflineProject> ProjectFile::LoadProject(const fs::path& file,
                                                       std::vector<std::string>* warnings) {
  auto project = ParseProject(ReadWholeFile(file), file.string(), warnings);
  project->FileObject()->SetPath(file);
  return project;
}

platform::Ref<OfflineProject> ProjectFile::ParseProject(std::string_view xml,
                                                        const std::string& fileName,
                                                        std::vector<std::string>* warnings) {
  return ProjectFileReader::ReadProject(xml, fileName, warnings);
}

platform::Ref<PlcProject> ProjectFile::LoadPlc(const fs::path& file) {
  return ParsePlc(ReadWholeFile(file), file.string());
}

platform::Ref<PlcProject> ProjectFile::ParsePlc(std::string_view xml, const std::string& fileName) {
  return ProjectFileReader::ReadPlc(xml, fileName);
}

std::string ProjectFile::SerializeProject(OfflineProject& project) {
  return ProjectFileWriter::Write(project);
}

std::string ProjectFile::SerializePlc(PlcProject& plc) {
  return ProjectFileWriter::Write(plc);
}

void ProjectFile::SaveProject(OfflineProject& project, const fs::path& file) {
  WriteAtomically(file, SerializeProject(project));
}

void ProjectFile::SavePlc(PlcProject& plc, const fs::path& file) {
  WriteAtomically(file, SerializePlc(plc));
}

void ProjectFile::SaveTogether(OfflineProject& project, const fs::path& projectFile,
                               PlcProject& plc, const fs::path& plcFile) {
  PendingFile projectText(projectFile, SerializeProject(project));
  PendingFile plcText(plcFile, SerializePlc(plc));
  projectText.Commit();
  plcText.Commit();
}

}  // namespace host
