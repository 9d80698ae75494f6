#include "host/project/ProjectFile.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <system_error>

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

// Writes beside the target and renames, so that readers never see half a file and a failure
// leaves the old file in place.
void WriteAtomically(const fs::path& file, const std::string& text) {
  static std::atomic<unsigned> counter{0};
  fs::path temp = file;
  temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) WriteFailed(file, "the temporary file " + temp.string() + " cannot be created");
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temp, ignored);
      WriteFailed(file, "writing the temporary file failed");
    }
  }
  std::error_code ec;
  fs::rename(temp, file, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    WriteFailed(file, ec.message());
  }
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

}  // namespace host
