// The transfer file of `prjsnap export` and `prjsnap import`: the byte forms of one copy, each
// under the name of its clipboard format, so that a paste can be made later or elsewhere.
//
//   TransferFile file;
//   file.sections.push_back({"rgCFObjectList", listBytes});      // ... and the other two
//   WriteFile(path, file.Write());
//   TransferFile again = TransferFile::Read(bytes);            // error 2 naming the damage
//
// Layout (integers little-endian):
//   8 bytes   magic "PRJSNAPX"
//   2 bytes   version (1)
//   2 bytes   number of sections
//   per section: 2 bytes name length, the name (UTF-8), 4 bytes data length, the data
//   4 bytes   CRC-32 (the common polynomial, as zip uses it) of everything before it
//
// Trap: format numbers mean nothing outside the process that handed them out; only the names
// travel, and the reader of the file registers them again.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace prjsnap {

class TransferFile {
 public:
  static constexpr std::string_view kMagic = "PRJSNAPX";
  static constexpr uint16_t kVersion = 1;
  /// Limits that keep a damaged length from being taken for a huge section.
  static constexpr size_t kMaxSections = 64;
  static constexpr size_t kMaxNameLength = 255;

  struct Section {
    std::string format;  ///< the clipboard format's name
    std::vector<uint8_t> data;
  };

  std::vector<Section> sections;

  /// The data of the section of that format name (without regard to case); nothing when absent.
  const std::vector<uint8_t>* Find(std::string_view format) const;

  /// The file's bytes. Error 5 for a section without a name, a name longer than kMaxNameLength,
  /// two sections of one name, or more than kMaxSections sections.
  std::vector<uint8_t> Write() const;
  /// Reads the bytes of a file. Error 5 with a message that says what is wrong (not a transfer
  /// file, an unknown version, cut short, a checksum that does not match, ...) for bytes that
  /// are not such a file; never reads beyond the bytes.
  static TransferFile Read(std::span<const uint8_t> bytes);

  /// The CRC-32 of the bytes.
  static uint32_t Crc32(std::span<const uint8_t> bytes);
};

}  // namespace prjsnap
