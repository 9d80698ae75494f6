// The details sort against the exchange passes written out literally (slow on purpose) on
// random rows with ties, case variants, missing values, unknown types and orders outside 0/1.
#include <random>

#include "CursorFakes.h"
#include "mzblprsx/cursors/RgProjectCursorDetails.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "platform/DateTime.h"
#include "platform/Text.h"

namespace cursortest {
namespace {

/// Passes over neighbouring rows, exchanging them while out of order, column after column.
class BubbleOracle {
 public:
  BubbleOracle(std::vector<std::string> types, std::vector<int32_t> orders)
      : types_(std::move(types)), orders_(std::move(orders)) {}

  std::vector<Item> Sort(const std::vector<Item>& items) {
    const auto info = platform::CreateObjectAs<mzblprsx::IRgBlockInfo>(mzblprsx::clsid::kBlockInfo);
    std::vector<std::pair<Item, std::vector<Value>>> rows;
    for (const auto& item : items) {
      std::vector<Value> values;
      const auto data = item->Data();
      for (const auto& type : types_) {
        const bool text = type == "SYMBOL" || type == "AUTHOR" || type == "PROGLANGUAGE";
        values.push_back(
            Of(type == "SortDefault"
                   ? Variant(info->SortIndex(data->Value("BLOCKTYPE").ToInt32()) * 100000 +
                             data->Value("BLOCKNUMBER").ToInt32())
               : type == "NAME"         ? data->Value("NAME", "<Missing>")
               : type == "SIZE"         ? data->Value("SIZE", 0)
               : type == "LASTMODIFIED" ? data->Value(type, platform::DateTime())
               : text                   ? data->Value(type, "")
                                        : Variant()));
      }
      rows.emplace_back(item, std::move(values));
    }
    for (size_t column = 0; column < types_.size(); ++column) {
      for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (size_t i = 0; i + 1 < rows.size(); ++i) {
          const auto& a = rows[i].second;
          const auto& b = rows[i + 1].second;
          if (column > 0 && Compare(a[column - 1], b[column - 1]) != 0) continue;
          const int c = Compare(a[column], b[column]);
          if ((orders_[column] == 0 && c > 0) || (orders_[column] == 1 && c < 0)) {
            std::swap(rows[i], rows[i + 1]);
            exchanged = true;
          }
        }
      }
    }
    std::vector<Item> out;
    for (const auto& row : rows) out.push_back(row.first);
    return out;
  }

 private:
  struct Value {
    Variant value;
    int text;  // place in texts_; -1 for a value that is no text
  };
  /// The texts come from small pools: each pair is compared once, or the passes take minutes.
  Value Of(Variant value) {
    if (value.Type() != platform::VarType::String) return {std::move(value), -1};
    const std::string text = value.ToString();
    const auto known = std::find(texts_.begin(), texts_.end(), text);
    if (known != texts_.end()) return {std::move(value), int(known - texts_.begin())};
    texts_.push_back(text);
    const size_t n = texts_.size() - 1;
    for (auto& row : order_) row.push_back(0);
    order_.emplace_back(texts_.size(), 0);
    for (size_t i = 0; i <= n; ++i) {
      const int c = platform::text::CompareNoCase(texts_[i], text);
      order_[i][n] = c < 0 ? -1 : (c > 0 ? 1 : 0);
      order_[n][i] = -order_[i][n];
    }
    return {std::move(value), int(texts_.size() - 1)};
  }
  int Compare(const Value& a, const Value& b) {
    if (a.text >= 0 && b.text >= 0) return order_[size_t(a.text)][size_t(b.text)];
    const double x = a.value.ToDouble();
    const double y = b.value.ToDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
  }

  std::vector<std::string> types_;
  std::vector<int32_t> orders_;
  std::vector<std::string> texts_;
  std::vector<std::vector<int>> order_;
};

class SortOracle : public CursorFixture<mzblprsx::RgProjectCursorDetails> {
 protected:
  /// A program of random blocks whose values come from small pools, so that many rows tie.
  void BuildRandom(int count, std::mt19937& random) {
    // Long names that share their first eight bytes, and a name with a zero byte, test the
    // cursor's comparison of leading bytes against the texts themselves.
    static const std::string kNames[] = {"alpha",
                                         "Alpha",
                                         "ALPHA",
                                         "beta",
                                         "Beta",
                                         "gamma",
                                         "Straße",
                                         "STRASSE",
                                         "ärger",
                                         "Ärger",
                                         "",
                                         "<missing>",
                                         "Motor control",
                                         "motor control 2",
                                         "Motor co",
                                         "Motor con",
                                         std::string("Motor co\0", 9),
                                         std::string("alpha\0", 6)};
    static const char* const kAuthors[] = {"ann", "Ann", "bob", "BOB", "cy"};
    static const char* const kLanguages[] = {"LAD", "lad", "FBD", "STL"};
    static const int32_t kTypes[] = {8, 9, 10, 14, 12};
    const auto pick = [&](const auto& pool) { return pool[random() % std::size(pool)]; };
    std::vector<Ref<FakeObject>> blocks;
    for (int i = 0; i < count; ++i) {
      auto block = Block(pick(kTypes), int32_t(random() % 40));
      block->props.erase("NAME");
      if (random() % 6) block->props["NAME"] = pick(kNames);
      if (random() % 4) block->props["AUTHOR"] = pick(kAuthors);
      if (random() % 3) block->props["PROGLANGUAGE"] = pick(kLanguages);
      if (random() % 5) block->props["SIZE"] = int32_t(random() % 6);
      if (random() % 4)
        block->props["LASTMODIFIED"] =
            *platform::DateTime::FromParts(2026, 1, 1 + int(random() % 3));
      blocks.push_back(block);
    }
    Build(Obj("P", "RgProjectOffline", {Obj("C", "RgCategory", blocks)}));
    cursor->SetCursorMode(mzblprsx::RgProjectDetailsCursorModeProgram);
    cursor->Attach(model);
    cursor->Refresh();
  }
  /// Sorts with the cursor and with the oracle from the same order and compares.
  void ExpectSameOrder(const std::vector<std::string>& types, const std::vector<int32_t>& orders) {
    std::string config;
    for (size_t k = 0; k < types.size(); ++k)
      config += types[k] + "/" + std::to_string(orders[k]) + " ";
    const auto expected = BubbleOracle(types, orders).Sort(cursor->NewEnum());
    cursor->Sort(types, orders);
    const auto actual = cursor->NewEnum();
    for (size_t i = 0; i < actual.size(); ++i) {
      ASSERT_TRUE(SameObject(actual[i], expected[i]))
          << config << ": row " << i + 1 << " is " << NameOf(actual[i]) << ", the passes give "
          << NameOf(expected[i]);
    }
  }
};

TEST_F(SortOracle, ThreeColumnsOnThousandsOfRows) {
  // Enough rows that the cursor reads the items in the order they lie in memory.
  std::mt19937 random(2026);
  BuildRandom(4500, random);
  ExpectSameOrder({"NAME", "AUTHOR", "SIZE"}, {0, 1, 0});
  ExpectSameOrder({"PROGLANGUAGE", "LASTMODIFIED", "NAME"}, {1, 0, 0});
  ExpectSameOrder({"AUTHOR", "COLOR", "SortDefault"}, {0, 0, 1});
}

TEST_F(SortOracle, RandomConfigurationsOnSmallLists) {
  static const char* const kTypes[] = {"SortDefault", "NAME",         "AUTHOR", "PROGLANGUAGE",
                                       "SIZE",        "LASTMODIFIED", "SYMBOL", "COLOR"};
  static const int32_t kOrders[] = {0, 0, 0, 1, 1, 1, 2, -1};
  std::mt19937 random(99);
  BuildRandom(150, random);
  for (int round = 0; round < 150 && !HasFailure(); ++round) {
    std::vector<std::string> types;
    std::vector<int32_t> orders;
    for (size_t k = 0, columns = 1 + random() % 4; k < columns; ++k) {
      types.emplace_back(kTypes[random() % std::size(kTypes)]);
      orders.push_back(kOrders[random() % std::size(kOrders)]);
    }
    ExpectSameOrder(types, orders);
  }
}

}  // namespace
}  // namespace cursortest
