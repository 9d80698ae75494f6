// Fuzz target: the reader of prjsnap's transfer files, which come from disk and may be damaged or
// made by anyone. Reading refuses only with the runtime's error 5; whatever it accepts is written
// back to the very same bytes (the format has one spelling for one content), and reading that
// again gives the same sections.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "TransferFile.h"
#include "platform/Error.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using prjsnap::TransferFile;
  const std::span<const uint8_t> bytes(data, size);
  TransferFile file;
  try {
    file = TransferFile::Read(bytes);
  } catch (const platform::Error& e) {
    Check(e.Number() == platform::errc::kInvalidCall);
    Check(!e.Description().empty());
    return 0;
  }
  Check(file.sections.size() <= TransferFile::kMaxSections);
  const std::vector<uint8_t> written = file.Write();
  Check(written.size() == size && std::equal(written.begin(), written.end(), bytes.begin()));
  const TransferFile again = TransferFile::Read(written);
  Check(again.sections.size() == file.sections.size());
  for (size_t i = 0; i < file.sections.size(); ++i) {
    Check(again.sections[i].format == file.sections[i].format);
    Check(again.sections[i].data == file.sections[i].data);
  }
  return 0;
}
