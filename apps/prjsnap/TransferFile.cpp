#include "TransferFile.h"

#include <zlib.h>

#include "platform/Error.h"
#include "platform/Text.h"

namespace prjsnap {
namespace {

[[noreturn]] void Damaged(const std::string& why) {
  throw platform::Error(platform::errc::kInvalidCall, "not a readable transfer file: " + why);
}

[[noreturn]] void Unwritable(const std::string& why) {
  throw platform::Error(platform::errc::kInvalidCall, "cannot write the transfer file: " + why);
}

void Put16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value & 0xFF));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

/// Reads the file front to back; every read checks that the bytes are there.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::span<const uint8_t> Take(size_t count, const char* what) {
    if (count > bytes_.size() - pos_) {
      Damaged(std::string("it ends inside ") + what + " (at byte " + std::to_string(pos_) + ")");
    }
    const auto part = bytes_.subspan(pos_, count);
    pos_ += count;
    return part;
  }
  uint16_t U16(const char* what) {
    const auto b = Take(2, what);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
  }
  uint32_t U32(const char* what) {
    const auto b = Take(4, what);
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(b[i]) << (8 * i);
    return value;
  }
  size_t Position() const { return pos_; }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

}  // namespace

uint32_t TransferFile::Crc32(std::span<const uint8_t> bytes) {
  return static_cast<uint32_t>(crc32_z(0, bytes.data(), bytes.size()));
}

const std::vector<uint8_t>* TransferFile::Find(std::string_view format) const {
  for (const Section& section : sections) {
    if (platform::text::EqualsNoCase(section.format, format)) return &section.data;
  }
  return nullptr;
}

std::vector<uint8_t> TransferFile::Write() const {
  if (sections.size() > kMaxSections) {
    Unwritable(std::to_string(sections.size()) + " sections are more than " +
               std::to_string(kMaxSections));
  }
  std::vector<uint8_t> out(kMagic.begin(), kMagic.end());
  Put16(out, kVersion);
  Put16(out, static_cast<uint16_t>(sections.size()));
  for (size_t i = 0; i < sections.size(); ++i) {
    const Section& section = sections[i];
    if (section.format.empty()) Unwritable("a section has no format name");
    if (section.format.size() > kMaxNameLength) {
      Unwritable("the format name '" + section.format + "' is too long");
    }
    for (size_t j = 0; j < i; ++j) {
      if (platform::text::EqualsNoCase(sections[j].format, section.format)) {
        Unwritable("two sections have the format name '" + section.format + "'");
      }
    }
    if (section.data.size() > UINT32_MAX) Unwritable("a section is larger than 4 GiB");
    Put16(out, static_cast<uint16_t>(section.format.size()));
    out.insert(out.end(), section.format.begin(), section.format.end());
    Put32(out, static_cast<uint32_t>(section.data.size()));
    out.insert(out.end(), section.data.begin(), section.data.end());
  }
  Put32(out, Crc32(out));
  return out;
}

TransferFile TransferFile::Read(std::span<const uint8_t> bytes) {
  Reader in(bytes);
  const auto magic = in.Take(kMagic.size(), "the file type mark");
  if (!std::equal(magic.begin(), magic.end(), kMagic.begin())) {
    Damaged("it does not begin with the mark " + std::string(kMagic));
  }
  const uint16_t version = in.U16("the version");
  if (version != kVersion) {
    Damaged("its version " + std::to_string(version) + " is not " + std::to_string(kVersion) +
            ", the one this prjsnap reads");
  }
  // The checksum first: a damaged length would otherwise be reported as whatever it breaks.
  if (bytes.size() < in.Position() + 6) Damaged("it ends before its sections and checksum");
  const auto body = bytes.first(bytes.size() - 4);
  const auto tail = bytes.last(4);
  const uint32_t stored = static_cast<uint32_t>(tail[0]) | (static_cast<uint32_t>(tail[1]) << 8) |
                          (static_cast<uint32_t>(tail[2]) << 16) |
                          (static_cast<uint32_t>(tail[3]) << 24);
  if (Crc32(body) != stored) Damaged("its checksum does not match its content (damaged or cut)");

  Reader content(body);
  content.Take(kMagic.size() + 2, "the header");
  const uint16_t count = content.U16("the number of sections");
  if (count > kMaxSections) {
    Damaged(std::to_string(count) + " sections are more than " + std::to_string(kMaxSections));
  }
  TransferFile file;
  for (uint16_t i = 0; i < count; ++i) {
    const std::string which = "section " + std::to_string(i + 1);
    const uint16_t nameLength = content.U16(("the name length of " + which).c_str());
    if (nameLength == 0 || nameLength > kMaxNameLength) {
      Damaged(which + " has a name of " + std::to_string(nameLength) + " bytes");
    }
    const auto name = content.Take(nameLength, ("the name of " + which).c_str());
    Section section{std::string(name.begin(), name.end()), {}};
    if (file.Find(section.format) != nullptr) {
      Damaged("two sections have the format name '" + section.format + "'");
    }
    const uint32_t length = content.U32(("the data length of " + which).c_str());
    const auto data = content.Take(length, ("the data of " + which).c_str());
    section.data.assign(data.begin(), data.end());
    file.sections.push_back(std::move(section));
  }
  if (content.Position() != body.size()) {
    Damaged(std::to_string(body.size() - content.Position()) + " bytes follow the last section");
  }
  return file;
}

}  // namespace prjsnap
