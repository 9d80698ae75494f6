// Clipboard format numbers and the clipboard, as two applications on two threads share them.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <thread>

#include "ByteForm.h"
#include "host/framework/Clipboard.h"
#include "host/framework/ClipboardFormats.h"
#include "mzblprsx/interfaces/IRgClipboardFormats.h"

namespace hosttransfer {
namespace {

using host::ClipboardFormats;

TEST(ClipboardFormatsTest, OneNameOneNumberWithoutRegardToCase) {
  const int16_t list = ClipboardFormats::Register("hosttransfer.List");
  EXPECT_GE(static_cast<uint16_t>(list), ClipboardFormats::kFirstFormat)
      << "registered formats live above the predefined ones";
  EXPECT_LT(list, 0) << "which makes them negative as 16-bit values";
  EXPECT_EQ(ClipboardFormats::Register("HOSTTRANSFER.LIST"), list);
  EXPECT_NE(ClipboardFormats::Register("hosttransfer.Source"), list);
  EXPECT_EQ(ClipboardFormats::NameOf(list), "hosttransfer.List") << "the first spelling stays";
  EXPECT_EQ(ClipboardFormats::NameOf(1), std::nullopt) << "not a registered number";
  EXPECT_EQ(ErrorOf([] { ClipboardFormats::Register(""); }), platform::errc::kInvalidCall);
}

TEST(ClipboardFormatsTest, TwoApplicationsOnTwoThreadsGetTheSameNumbers) {
  host::Environment::RegisterClasses();
  const std::vector<std::string> names = {"ht.A", "ht.B", "ht.C", "ht.D", "ht.E", "ht.F"};
  constexpr int kThreads = 4;
  std::vector<std::map<std::string, int16_t>> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      // Each application creates its own registry object and asks in its own order and case.
      const auto formats = platform::CreateObjectAs<mzblprsx::IRgClipboardFormats>(
          mzblprsx::clsid::kClipboardFormats);
      for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[(i + static_cast<size_t>(t)) % names.size()];
        std::string asked = name;
        if (t % 2 == 1) asked[0] = 'H';
        seen[t][name] = formats->RegisterFormat(asked);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 1; t < kThreads; ++t) EXPECT_EQ(seen[t], seen[0]) << "thread " << t;
  std::set<int16_t> distinct;
  for (const auto& [name, number] : seen[0]) distinct.insert(number);
  EXPECT_EQ(distinct.size(), names.size()) << "different names never share a number";
}

TEST(ClipboardTest, HoldsBlocksUnderFormatsAndTellsEmptyFromAbsent) {
  host::Clipboard clipboard;
  EXPECT_FALSE(clipboard.HasFormat(-100));
  EXPECT_EQ(clipboard.GetData(-100), std::nullopt);
  clipboard.SetData(-100, Bytes{});
  EXPECT_TRUE(clipboard.HasFormat(-100));
  EXPECT_EQ(clipboard.GetData(-100), Bytes{}) << "an empty block is content";
  clipboard.SetData(-99, Bytes{1, 2, 3});
  clipboard.SetData(-99, Bytes{4});
  EXPECT_EQ(clipboard.GetData(-99), Bytes{4}) << "a format holds its last block";
  EXPECT_EQ(clipboard.Formats(), (std::vector<int16_t>{-100, -99}));

  const uint64_t sequence = clipboard.Sequence();
  clipboard.Replace({{7, Bytes{7}}});
  EXPECT_EQ(clipboard.Formats(), std::vector<int16_t>{7}) << "a new copy drops the old one";
  EXPECT_GT(clipboard.Sequence(), sequence);
  clipboard.Clear();
  EXPECT_TRUE(clipboard.Formats().empty());
  EXPECT_TRUE(SameObject(host::Clipboard::Process(), host::Clipboard::Process()));
}

}  // namespace
}  // namespace hosttransfer
