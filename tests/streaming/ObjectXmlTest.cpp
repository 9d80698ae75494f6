// The object XML and the byte forms of list and source, through the service's pure readers and
// writers: what other programs hand us must read back predictably and never crash.
#include <gtest/gtest.h>

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/SafeArray.h"
#include "support/ErrorOf.h"

namespace mztest {
namespace {

using mzblprsx::RgObjectStreamService;
using platform::SafeArray;
using platform::Variant;

constexpr std::string_view kBlock = mzblprsx::clsid::kBlockOffline;

std::shared_ptr<SafeArray> Array(int32_t lower1, int32_t count1, int32_t count2) {
  return SafeArray::Create(platform::VarType::Empty, {{lower1, count1}, {1, count2}});
}

int32_t ReadError(std::string_view xml) {
  return platformtest::ErrorOf([&] { RgObjectStreamService::ReadObjectDataXML(xml); });
}

std::vector<uint8_t> Utf16(std::u16string_view text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

TEST(ObjectXmlReader, WhatTheWriterWritesReadsBackInOrderAndWhatNamesNoObjectFails) {
  auto data = Array(1, 3, 3);
  const char* ids[] = {"OB1", "42", "Motors & <Drives>"};
  for (int32_t i = 1; i <= 3; ++i) {
    data->Set({1, i}, Variant(i == 3 ? std::string(mzblprsx::clsid::kCategory) : kBlock));
    data->Set({2, i}, Variant(ids[i - 1]));
    data->Set({3, i}, Variant(i == 2));
  }
  const auto read =
      RgObjectStreamService::ReadObjectDataXML(RgObjectStreamService::WriteObjectDataXML(data));
  ASSERT_EQ(read->UBound(2), 3);
  ASSERT_EQ(read->LBound(1), 1);
  ASSERT_EQ(read->UBound(1), 3);
  for (int32_t i = 1; i <= 3; ++i) {
    EXPECT_EQ(read->Get({1, i}).ToString(), data->Get({1, i}).ToString()) << i;
    EXPECT_EQ(read->Get({2, i}).ToString(), ids[i - 1]) << "special characters survive";
    EXPECT_EQ(read->Get({3, i}), Variant(i == 2)) << "the open flag reads back as a Boolean";
  }

  const auto flags = RgObjectStreamService::ReadObjectDataXML(
      "<ROOT><RGOBJECT CLSID=\"A\" OBJID=\"1\"/><RGOBJECT CLSID=\"B\" OBJID=\"2\" ISOPEN=\"-1\"/>"
      "<RGOBJECT CLSID=\"C\" OBJID=\"3\" ISOPEN=\"0\"/><RGOBJECT/></ROOT>");
  EXPECT_TRUE(flags->Get({3, 1}).IsEmpty()) << "no flag: empty";
  EXPECT_EQ(flags->Get({3, 2}), Variant(true));
  EXPECT_EQ(flags->Get({3, 3}), Variant(false));
  EXPECT_EQ(flags->Get({1, 4}), Variant("")) << "missing attributes read as empty text";

  // Anything but a 1-to-3 array gives no text.
  const std::pair<const char*, Variant> noText[] = {
      {"first dimension 0 to 2", Variant(Array(0, 3, 1))},
      {"first dimension 1 to 4", Variant(Array(1, 4, 1))},
      {"one dimension", Variant(SafeArray::Create(platform::VarType::Empty, {{1, 3}}))},
      {"not an array", Variant("<ROOT/>")},
      {"empty", Variant()},
  };
  for (const auto& [name, value] : noText) {
    EXPECT_EQ(RgObjectStreamService::WriteObjectDataXML(value), "") << name;
  }

  const std::pair<const char*, int32_t> failing[] = {
      {"", 9},
      {"not xml at all", 9},
      {"<ROOT/>", 9},
      {"<OTHER><RGOBJECT CLSID=\"A\"/></OTHER>", 9},
      {"<ROOT><ROOT><RGOBJECT/></ROOT></ROOT>", 9},
      {"<ROOT><RGOBJECT CLSID=\"A\" OBJID=\"1\" ISOPEN=\"yes\"/></ROOT>", 13},
      {"<ROOT><RGOBJECT CLSID=\"A\" OBJID=\"1\" ISOPEN=\"0\"/></ROOT>", 0}};
  for (const auto& [xml, number] : failing) EXPECT_EQ(ReadError(xml), number) << xml;
}

TEST(ByteForms, TextIsUtf16LittleEndianEndedByOneNulAndReadsBackCutTrimmedAndTolerant) {
  EXPECT_EQ(RgObjectStreamService::MakeByteForm("A\xC3\x9C"),
            (std::vector<uint8_t>{'A', 0, 0xDC, 0, 0, 0}));
  EXPECT_EQ(RgObjectStreamService::MakeByteForm(""), (std::vector<uint8_t>{0, 0}));
  const std::string guid = "{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}";
  EXPECT_EQ(RgObjectStreamService::ReadByteForm(RgObjectStreamService::MakeByteForm(guid)), guid);

  struct Row {
    const char* what;
    std::vector<uint8_t> bytes;
    std::string text;
  };
  std::vector<uint8_t> odd = Utf16(u"ab");
  odd.push_back('c');
  const Row rows[] = {
      {"text, NUL, more", Utf16(std::u16string(u"abc\0xyz", 7)), "abc"},
      {"blanks around", Utf16(std::u16string(u"  abc \0", 7)), "abc"},
      {"no terminator", Utf16(u" abc"), "abc"},
      {"only NUL", {0, 0}, ""},
      {"nothing", {}, ""},
      {"odd byte count", odd, "ab"},
      {"lone surrogate", Utf16(u"a\xD800z"), "a\xEF\xBF\xBDz"},
      {"surrogate pair", Utf16(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(RgObjectStreamService::ReadByteForm(row.bytes), row.text) << row.what;
  }
}

}  // namespace
}  // namespace mztest
