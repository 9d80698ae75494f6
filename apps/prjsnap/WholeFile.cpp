#include "WholeFile.h"

#include <fstream>
#include <system_error>

namespace prjsnap {

std::optional<std::string> WholeFile::Write(const std::filesystem::path& path,
                                            std::string_view bytes) {
  const std::filesystem::path temporary = path.string() + ".tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) return temporary.string();
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    return path.string();
  }
  return std::nullopt;
}

}  // namespace prjsnap
