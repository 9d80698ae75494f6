// The offline stream handler's check index against the literal searches it replaces, on random
// transfers; and the index rules of symbolic names.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"
#include "platform/Text.h"

namespace mztest {
namespace {

using Handler = mzblprsx::RgPrjStreamHandlerOffline;
using Index = Handler::InsertIndex;

/// What the literal algorithm works on: the values stored by the items checked so far.
struct Stored {
  int32_t type;
  int32_t number;
  std::string symbol;
};

bool LiteralAlreadyInserted(const std::vector<Stored>& before, int32_t type, int32_t number) {
  for (const Stored& s : before) {
    if (s.type == type && s.number == number) return true;
  }
  return false;
}

int32_t LiteralNextFree(const std::set<std::pair<int32_t, int32_t>>& program,
                        const std::vector<Stored>& before, int32_t type) {
  for (int32_t n = 1; n <= 65535; ++n) {
    if (!program.contains({type, n}) && !LiteralAlreadyInserted(before, type, n)) return n;
  }
  return 65535;
}

std::string LiteralFreeName(const std::set<std::string>& table, const std::vector<Stored>& before,
                            const std::string& base) {
  if (base.empty()) return {};
  for (int32_t i = 0;; ++i) {
    const std::string candidate = i == 0 ? base : base + " (" + std::to_string(i) + ")";
    bool taken = table.contains(platform::text::FoldCase(candidate));
    for (const Stored& s : before) {
      taken = taken || platform::text::EqualsNoCase(s.symbol, candidate);
    }
    if (!taken) return candidate;
  }
}

TEST(InsertIndexTest, AnswersAsTheLiteralSearchesOnRandomTransfers) {
  std::mt19937 random(20261102);
  for (int round = 0; round < 40; ++round) {
    // A dense program (low numbers mostly taken, so free numbers lie behind runs) and a table.
    std::set<std::pair<int32_t, int32_t>> program;
    std::set<std::string> table;
    const std::vector<int32_t> types{8, 9, 10, 14};
    const std::vector<std::string> bases{"Motor", "Belt", "Pump", ""};
    for (int32_t type : types) {
      for (int32_t n = 1; n <= 60; ++n) {
        if (random() % 4 != 0) program.insert({type, n});
      }
    }
    for (const std::string& base : bases) {
      if (base.empty()) continue;
      for (int32_t i = 0; i < 8; ++i) {
        if (random() % 2 == 0) {
          table.insert(
              platform::text::FoldCase(i == 0 ? base : base + " (" + std::to_string(i) + ")"));
        }
      }
    }
    const auto programHas = [&](int32_t t, int32_t n) { return program.contains({t, n}); };
    const auto tableHas = [&](const std::string& s) {
      return table.contains(platform::text::FoldCase(s));
    };

    Index index;
    index.Reset();
    std::vector<Stored> before;
    for (int item = 0; item < 120; ++item) {
      const int32_t type = types[random() % types.size()];
      const int32_t number = static_cast<int32_t>(random() % 80) + 1;
      const std::string base = bases[random() % bases.size()];
      ASSERT_EQ(index.BlockAlreadyInserted(type, number),
                LiteralAlreadyInserted(before, type, number))
          << "round " << round << " item " << item;
      const int32_t free = index.NextFreeBlockNumber(type, programHas);
      ASSERT_EQ(free, LiteralNextFree(program, before, type)) << "round " << round;
      const std::string name = index.FreeSymbolicName(base, tableHas);
      ASSERT_EQ(name, LiteralFreeName(table, before, base)) << "round " << round;
      // Stored as its own number, the proposal (a rename) or nothing (cancelled); names likewise.
      Stored stored{0, 0, ""};
      switch (random() % 3) {
        case 0:
          stored = {type, number, random() % 2 ? base : std::string()};
          break;
        case 1:
          stored = {type, free, name};
          break;
        default:
          break;
      }
      index.Record(stored.type, stored.number, stored.symbol);
      before.push_back(stored);
    }
  }
}

TEST(InsertIndexTest, ProposalsSkipTheProgramAndEarlierItemsAndNamesAreRebuiltFromTheBase) {
  Index index;
  index.Reset();
  const auto fb1to5 = [](int32_t type, int32_t n) { return type == 10 && n <= 5; };
  EXPECT_EQ(index.NextFreeBlockNumber(10, fb1to5), 6) << "FB1 to FB5 taken, FB6 free";
  index.Record(10, 6, "");
  EXPECT_EQ(index.NextFreeBlockNumber(10, fb1to5), 7) << "an earlier FB6 moves the proposal on";
  EXPECT_EQ(index.NextFreeBlockNumber(14, fb1to5), 1) << "each type counts on its own";
  const auto all = [](int32_t, int32_t) { return true; };
  EXPECT_EQ(index.NextFreeBlockNumber(9, all), 65535) << "a full type still answers 65535";
  index.Reset();
  EXPECT_FALSE(index.BlockAlreadyInserted(10, 6)) << "a new check forgets the last one";

  std::set<std::string> table{"motor", "motor (1)"};
  const auto tableHas = [&](const std::string& s) {
    return table.contains(platform::text::FoldCase(s));
  };
  const std::string base = Handler::RemoveIndexFromName("Motor (2)");
  EXPECT_EQ(index.FreeSymbolicName(base, tableHas), "Motor (2)") << "free, so taken as it is";
  table.insert("motor (2)");
  EXPECT_EQ(index.FreeSymbolicName(base, tableHas), "Motor (3)");
  index.Record(10, 7, "MOTOR (3)");
  EXPECT_EQ(index.FreeSymbolicName(base, tableHas), "Motor (4)")
      << "an earlier item's name counts without regard to case";
  EXPECT_EQ(index.FreeSymbolicName("", tableHas), "");

  const std::vector<std::pair<std::string, std::string>> rows{
      {"Motor (3)", "Motor"},
      {"Motor(3)", "Motor"},
      {"Motor  (12) ", "Motor  (12) "},
      {"Motor (A)", "Motor (A)"},
      {"Motor (3) x", "Motor (3) x"},
      {"", ""},
      {"(4)", ""},
      {"Motor ()", "Motor ()"},
      {"Motor )3(", "Motor )3("},
      {"A (1) (2)", "A (1)"},
      {"Motor (-1)", "Motor (-1)"},
      {"Motor", "Motor"},
  };
  for (const auto& [name, expected] : rows) {
    EXPECT_EQ(Handler::RemoveIndexFromName(name), expected) << "name \"" << name << "\"";
  }
}

}  // namespace
}  // namespace mztest
