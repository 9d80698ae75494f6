// The transfer object's bytes: the documented layout loads, and damaged or hostile bytes of
// every kind are refused with a description of the fault, leaving the object as it was.
#include <gtest/gtest.h>

#include <algorithm>

#include "ByteForm.h"
#include "host/framework/DataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"

namespace hosttransfer {
namespace {

namespace clsid = mzblprsx::clsid;
using platform::Ref;

const std::string kBlock(clsid::kBlockOffline);
const std::string kCategory(clsid::kCategory);

std::vector<RawItem> GoodItems() {
  return {
      {1, kBlock, "FB10", "Motor", "FB10", "", R"(<block type="FB" number="10"/>)"},
      {1, kCategory, "2", "Motors", "", "FB10;", R"(<category id="2" name="Motors"/>)"},
      {0, kBlock, "FB11", "Bänder", "FB11", "Missing", ""},
  };
}

class DataObjectBytesTest : public ::testing::Test {
 protected:
  DataObjectBytesTest() {
    target->AddReference(kBlock, "OB1", "Cycle");
    before = target->SaveBytes();
    first = target->Item(1);
  }

  // Expects the bytes refused with `expected` in the text, the target untouched.
  void ExpectRefused(const Bytes& bytes, const std::string& expected, const std::string& why) {
    std::string description;
    EXPECT_EQ(ErrorOf([&] { target->LoadBytes(bytes); }, &description),
              host::DataObject::kFormatError)
        << why;
    EXPECT_NE(description.find(expected), std::string::npos)
        << why << ": the description names the problem; it was: " << description;
    EXPECT_EQ(target->SaveBytes(), before) << why << ": refused bytes change nothing";
    EXPECT_TRUE(SameObject(target->Item(1), first)) << why << ": the entries are the old ones";
  }

  Ref<host::DataObject> target = platform::MakeObject<host::DataObject>();
  Bytes before;
  Ref<mzblprsx::IRgDataObjectItem> first;
};

TEST_F(DataObjectBytesTest, TheDocumentedLayoutLoadsAndIsWhatSaveWrites) {
  const Bytes bytes = Encode(GoodItems());
  target->LoadBytes(bytes);
  ASSERT_EQ(target->ItemCount(), 3);
  const auto category = target->Item(2);
  EXPECT_EQ(category->ClassID(), kCategory);
  EXPECT_EQ(category->ObjectID().ToString(), "2");
  EXPECT_EQ(category->MarkerText(), "FB10;") << "marker texts travel";
  EXPECT_TRUE(category->HasData());
  EXPECT_FALSE(target->Item(3)->HasData());
  EXPECT_EQ(target->Item(3)->Name(), "Bänder") << "UTF-8 names travel unchanged";
  EXPECT_EQ(target->SaveBytes(), bytes) << "the writer writes exactly the documented layout";

  target->LoadBytes(
      Encode({{0, kBlock, "2", "", "", "", ""}, {0, kCategory, "2", "", "", "", ""}}));
  EXPECT_EQ(target->ItemCount(), 2) << "the same identifier under another class is no duplicate";
}

TEST_F(DataObjectBytesTest, EveryTruncationAndDamageOfEveryKindIsRefusedAndNamed) {
  struct Damage {
    const char* why;
    std::function<Bytes()> bytes;
    const char* expected;
  };
  const Bytes good = Encode(GoodItems());
  for (size_t size = 0; size < good.size(); ++size) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(ErrorOf([&] { target->LoadBytes(cut); }), host::DataObject::kFormatError)
        << "cut to " << size << " bytes";
  }
  EXPECT_EQ(target->SaveBytes(), before) << "no cut version changed anything";

  const auto changed = [&](const std::function<void(Bytes&)>& change, bool reseal) {
    return [=] {
      Bytes bytes = good;
      change(bytes);
      if (reseal) Reseal(bytes);
      return bytes;
    };
  };
  // Bytes from `at` on replaced, the checksum made right again.
  const auto set = [&](size_t at, Bytes values) {
    return changed([=](Bytes& b) { std::copy(values.begin(), values.end(), b.begin() + at); },
                   true);
  };
  const auto u32 = [&](size_t at, uint32_t value) {
    return changed([=](Bytes& b) { PutU32(b, at, value); }, true);
  };
  const auto encoded = [](std::vector<RawItem> items) { return [=] { return Encode(items); }; };
  // Offsets into the first item: the payload starts at 16; its flags byte, then the class
  // identifier's length at 17 and its text at 21.
  const size_t nameOffset = 16 + 1 + 4 + kBlock.size() + 4 + 4 + 4;  // first byte of "Motor"
  const std::vector<Damage> damages = {
      {"nothing at all", [] { return Bytes{}; }, "too few"},
      {"another format", set(0, {'X'}), "\"RGDO\""},
      {"a later version", set(4, {2}), "version 2"},
      {"reserved field set", set(6, {1}), "reserved"},
      {"items length too large", u32(12, 0xFFFFFFF0u), "announces 4294967280 bytes"},
      {"a byte too many", changed([](Bytes& b) { b.insert(b.end() - 4, 0); }, true), "announces"},
      {"a flipped bit", changed([](Bytes& b) { b[30] ^= 0x10; }, false), "checksum"},
      {"a damaged checksum", changed([](Bytes& b) { b.back() ^= 1; }, false), "checksum"},
      {"an impossible count", u32(8, 0xFFFFFFFFu), "cannot fit"},
      {"one item too many", u32(8, 4), "item 4"},
      {"one item too few", u32(8, 2), "follow the last item"},
      {"oversized text length", u32(17, 0x7FFFFFFFu),
       "item 1 says its class identifier has 2147483647 bytes"},
      {"unknown item flag", set(16, {0x03}), "unknown flags 0x03"},
      {"a byte that is no UTF-8", set(nameOffset, {0xFF}), "name that is not valid UTF-8"},
      {"an overlong UTF-8 form", set(nameOffset, {0xC1, 0xBF}), "not valid UTF-8"},
      {"a UTF-16 surrogate in UTF-8", set(nameOffset, {0xED, 0xA0, 0x80}), "not valid UTF-8"},
      {"a UTF-8 sequence cut by the text's end", set(nameOffset + 4, {0xE2}), "not valid UTF-8"},
      {"no class identifier", encoded({{0, "", "1", "", "", "", ""}}), "no class identifier"},
      {"a reference with content", encoded({{0, kBlock, "FB1", "", "", "", "<block/>"}}),
       "reference but carries content"},
      {"the same key twice",
       encoded({{0, kBlock, "FB1", "", "", "", ""}, {0, kBlock, "FB1", "", "", "", ""}}),
       "item 2 has the class and object identifier of item 1 ('FB1')"},
      {"the same key in another case",
       encoded({{0, kBlock, "FB10", "", "", "", ""}, {0, kBlock, "fb10", "", "", "", ""}}),
       "item 2 has the class and object identifier of item 1 ('fb10', which differs from it only "
       "in case)"},
  };
  for (const Damage& damage : damages) ExpectRefused(damage.bytes(), damage.expected, damage.why);
}

}  // namespace
}  // namespace hosttransfer
