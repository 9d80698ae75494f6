// prjsnap's transfer file: what export writes is what import reads, and every kind of damage is
// refused with a message that says what is wrong, before anything could be pasted.
#include <gtest/gtest.h>

#include <algorithm>

#include "TransferFile.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using prjsnap::TransferFile;

TransferFile ThreeForms() {
  TransferFile file;
  file.sections.push_back({"rgCFObjectList", {'<', 0, 'R', 0, 0, 0}});
  file.sections.push_back({"rgCFObjectData", {1, 2, 3, 0, 255}});
  file.sections.push_back({"rgCFObjectSource", {}});
  return file;
}

/// The damaged bytes' message, or "" when they were accepted.
std::string RefusalOf(const std::vector<uint8_t>& bytes) {
  std::string why;
  const int32_t number = ErrorOf([&] { TransferFile::Read(bytes); }, &why);
  EXPECT_EQ(number, why.empty() ? 0 : platform::errc::kInvalidCall) << why;
  return why;
}

void PutCrc(std::vector<uint8_t>& bytes) {
  bytes.resize(bytes.size() - 4);
  const uint32_t crc = TransferFile::Crc32(bytes);
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(crc >> shift));
}

TEST(TransferFileRoundTrip, SectionsComeBackInOrderWithEmptyOnesKeptUnderAKnownCrcAndLayout) {
  const TransferFile read = TransferFile::Read(ThreeForms().Write());
  ASSERT_EQ(read.sections.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(read.sections[i].format, ThreeForms().sections[i].format);
    EXPECT_EQ(read.sections[i].data, ThreeForms().sections[i].data)
        << "bytes travel unchanged, zero bytes included";
  }
  ASSERT_NE(read.Find("RGCFOBJECTSOURCE"), nullptr) << "format names compare without case";
  EXPECT_TRUE(read.Find("rgCFObjectSource")->empty());
  EXPECT_EQ(read.Find("rgCFOther"), nullptr);

  const std::string check = "123456789";
  EXPECT_EQ(TransferFile::Crc32({reinterpret_cast<const uint8_t*>(check.data()), check.size()}),
            0xCBF43926u)
      << "the common CRC-32, so that other tools can check the file";
  const auto bytes = TransferFile{}.Write();
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "PRJSNAPX");
  EXPECT_EQ(bytes.size(), 8u + 2 + 2 + 4) << "mark, version, count, checksum";
}

/// Sets one byte and writes a correct checksum again.
std::function<void(std::vector<uint8_t>&)> Faulty(size_t at, uint8_t value) {
  return [=](std::vector<uint8_t>& b) {
    b[at] = value;
    PutCrc(b);
  };
}

TEST(TransferFileDamage, EveryKindIsRefusedWithItsReason) {
  const struct {
    std::function<void(std::vector<uint8_t>&)> apply;
    const char* says;
  } damages[] = {
      {[](auto& b) { b.clear(); }, "ends inside the file type mark"},
      {[](auto& b) { b[0] = '<'; }, "does not begin with the mark"},
      {[](auto& b) { b[8] = 2; }, "version 2 is not 1"},
      {[](auto& b) { b[40] ^= 1; }, "checksum does not match"},
      {[](auto& b) { b.resize(b.size() - 7); }, "checksum does not match"},
      {[](auto& b) { b.resize(12); }, "ends before its sections"},
      // Faults behind a correct checksum: written by a faulty tool rather than damaged later.
      {Faulty(12 + 2 + 14 + 3, 0x7F), "ends inside the data of section 1"},  // first data length
      {Faulty(10, 4), "ends inside the name length of section 4"},
      {Faulty(10, 2), "follow the last section"},
      {Faulty(12, 0), "section 1 has a name of 0 bytes"},
      // The second section renamed like the first (Write itself refuses to write this).
      {[](auto& b) {
         std::copy_n("rgCFObjectLisT", 14, b.begin() + 40);
         PutCrc(b);
       },
       "two sections have the format name"},
  };
  for (const auto& damage : damages) {
    SCOPED_TRACE(damage.says);
    std::vector<uint8_t> bytes = ThreeForms().Write();
    damage.apply(bytes);
    const std::string message = RefusalOf(bytes);
    EXPECT_NE(message.find(damage.says), std::string::npos)
        << (message.empty() ? "accepted" : message);
  }
}

TEST(TransferFileWrite, RefusesWhatItCouldNotReadBack) {
  TransferFile twice = ThreeForms();
  twice.sections.push_back({"RGCFOBJECTLIST", {}});
  EXPECT_THROW(twice.Write(), platform::Error) << "a name must say which form a section is";
  TransferFile unnamed;
  unnamed.sections.push_back({"", {1}});
  EXPECT_THROW(unnamed.Write(), platform::Error);
  TransferFile longName;
  longName.sections.push_back({std::string(TransferFile::kMaxNameLength + 1, 'x'), {}});
  EXPECT_THROW(longName.Write(), platform::Error);
}

}  // namespace
}  // namespace mztest
