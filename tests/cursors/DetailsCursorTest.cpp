// The details cursor on a real model: modes, filling, the default sort index, sorting by columns,
// the memory card's files, events after a sort; and the sort against the exchange passes written
// out literally (slow on purpose) on random rows with ties, case variants and odd orders.
#include <random>
#include <tuple>

#include "cursors/CursorTest.h"
#include "mzblprsx/cursors/RgProjectCursorDetails.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "platform/DateTime.h"
#include "platform/Text.h"
#include "support/CommaLocale.h"

namespace mztest {
namespace {

using mzblprsx::RgEnumProjectDetailsCursorMode;
using mzblprsx::RgProjectCursorDetails;
using Types = std::vector<std::string>;
using Orders = std::vector<int32_t>;
constexpr auto kProject = mzblprsx::RgProjectDetailsCursorModeProject;
constexpr auto kProgram = mzblprsx::RgProjectDetailsCursorModeProgram;
constexpr auto kMMC = mzblprsx::RgProjectDetailsCursorModeMMC;

// P { HW, Prog { C1 {FB10, DB3, OB1}, Default {FC7, SFC9 (system), FB2}, C2 {UDT4} },
//     Card {b.txt, A.bin, c.dat}, Sym }
Ref<FakeObject> Sample() {
  return Obj(
      "P", "RgProjectOffline",
      {Obj("HW", "RgHwConfigOffline"),
       Obj("Prog", "RgProgramOffline",
           {Obj("C1", "RgCategory", {Fb(10), Block(9, 3), Block(8, 1)}),
            Obj("Default", "RgCategoryDefault", {Block(14, 7), SystemBlock(9), Fb(2)}),
            Obj("C2", "RgCategory", {Block(12, 4)})}),
       Obj("Card", "RgFilesOnMMC",
           {Obj("b.txt", "RgMMCFile"), Obj("A.bin", "RgMMCFile"), Obj("c.dat", "RgMMCFile")}),
       Obj("Sym", "RgSymbolTable")});
}

/// A program of blocks FB1, FB2, ... with these values each.
Ref<FakeObject> Blocks(const std::vector<Props>& values) {
  std::vector<Ref<FakeObject>> blocks;
  for (size_t i = 0; i < values.size(); ++i) blocks.push_back(Fb(int32_t(i + 1), values[i]));
  return Obj("P", "RgProjectOffline", {Obj("C1", "RgCategory", blocks)});
}

/// Passes over neighbouring rows, exchanging them while out of order, column after column.
std::vector<Item> BubbleSorted(const std::vector<Item>& items, const Types& types,
                               const Orders& orders) {
  struct Value {
    Variant value;
    bool text;
    std::string folded;  // folded once; UTF-8 bytes compare in code point order
  };
  const auto compare = [](const Value& a, const Value& b) {
    if (a.text && b.text) return a.folded < b.folded ? -1 : (a.folded > b.folded ? 1 : 0);
    const double x = a.value.ToDouble();
    const double y = b.value.ToDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
  };
  const auto info = platform::CreateObjectAs<mzblprsx::IRgBlockInfo>(mzblprsx::clsid::kBlockInfo);
  std::vector<std::pair<Item, std::vector<Value>>> rows;
  for (const auto& item : items) {
    std::vector<Value> values;
    const auto data = item->Data();
    for (const auto& type : types) {
      const bool text = type == "SYMBOL" || type == "AUTHOR" || type == "PROGLANGUAGE";
      const Variant value =
          type == "SortDefault"
              ? Variant(info->SortIndex(data->Value("BLOCKTYPE").ToInt32()) * 100000 +
                        data->Value("BLOCKNUMBER").ToInt32())
          : type == "NAME"         ? data->Value("NAME", "<Missing>")
          : type == "SIZE"         ? data->Value("SIZE", 0)
          : type == "LASTMODIFIED" ? data->Value(type, platform::DateTime())
          : text                   ? data->Value(type, "")
                                   : Variant();
      const bool isText = value.Type() == platform::VarType::String;
      values.push_back({value, isText, isText ? platform::text::FoldCase(value.ToString()) : ""});
    }
    rows.emplace_back(item, std::move(values));
  }
  for (size_t column = 0; column < types.size(); ++column) {
    for (bool exchanged = true; exchanged;) {
      exchanged = false;
      for (size_t i = 0; i + 1 < rows.size(); ++i) {
        const auto& a = rows[i].second;
        const auto& b = rows[i + 1].second;
        if (column > 0 && compare(a[column - 1], b[column - 1]) != 0) continue;
        const int c = compare(a[column], b[column]);
        if ((orders[column] == 0 && c > 0) || (orders[column] == 1 && c < 0)) {
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

class DetailsCursor : public CursorTest<RgProjectCursorDetails> {
 protected:
  /// Builds, attaches a checked cursor in that mode and refreshes it.
  void Start(RgEnumProjectDetailsCursorMode mode, const Ref<FakeObject>& projectObject = Sample()) {
    Build(projectObject);
    cursor->SetOptionService(options);
    cursor->SetCursorMode(mode);
    // The modes' rules, written out once more.
    checker = std::make_unique<CursorChecker>(
        model, cursor,
        [this](const Item& item) {
          const std::string type = item->Data()->Value("TYPE").ToString();
          const auto has = [&](const char* p) { return platform::text::ContainsNoCase(type, p); };
          const bool system = item->Data()->Value("SYSTEM") == Variant(true);
          const int block = !has("RgBlock") ? -1 : (!system || cursor->ShowSystemBlocks());
          const auto mode = cursor->CursorMode();
          if (mode == kProject)
            return has("RgHwConfig") || block == 1 || (block == -1 && has("RgFilesOnMMC"));
          return mode == kProgram ? block == 1 : mode == kMMC && has("RgMMCFile");
        },
        false);
    cursor->Attach(model);
    cursor->Refresh();
    checker->Events();
  }
  std::string Sorted(const Types& types, const Orders& orders) {
    cursor->Sort(types, orders);
    return Listed();
  }
  /// A program of random blocks whose values come from small pools, so that many rows tie.
  void BuildRandom(int count, std::mt19937& random) {
    // Names sharing their first eight bytes, or with a zero byte, test the leading-byte compare.
    using namespace std::string_literals;
    static const std::string kNames[] = {
        "alpha",         "Alpha",           "ALPHA",    "beta",
        "Beta",          "gamma",           "Straße",   "STRASSE",
        "ärger",         "Ärger",           "",         "<missing>",
        "Motor control", "motor control 2", "Motor co", "Motor con",
        "Motor co\0"s,   "alpha\0"s};
    static const char* const kAuthors[] = {"ann", "Ann", "bob", "BOB", "cy"};
    static const char* const kLanguages[] = {"LAD", "lad", "FBD", "STL"};
    static const int32_t kTypes[] = {8, 9, 10, 14, 12};
    const auto pick = [&](const auto& pool) { return pool[random() % std::size(pool)]; };
    std::vector<Ref<FakeObject>> blocks;
    for (int i = 0; i < count; ++i) {
      auto block = Block(pick(kTypes), int32_t(random() % 40));
      block->Erase("NAME");
      if (random() % 6) block->Set("NAME", pick(kNames));
      if (random() % 4) block->Set("AUTHOR", pick(kAuthors));
      if (random() % 3) block->Set("PROGLANGUAGE", pick(kLanguages));
      if (random() % 5) block->Set("SIZE", int32_t(random() % 6));
      if (random() % 4)
        block->Set("LASTMODIFIED", *platform::DateTime::FromParts(2026, 1, 1 + int(random() % 3)));
      blocks.push_back(block);
    }
    Start(kProgram, Obj("P", "RgProjectOffline", {Obj("C", "RgCategory", blocks)}));
  }
  /// Sorts with the cursor and with the oracle from the same order and compares.
  void ExpectSameOrder(const std::vector<std::string>& types, const std::vector<int32_t>& orders) {
    std::string config;
    for (size_t k = 0; k < types.size(); ++k)
      config += types[k] + "/" + std::to_string(orders[k]) + " ";
    const auto expected = BubbleSorted(cursor->NewEnum(), types, orders);
    cursor->Sort(types, orders);
    const auto actual = cursor->NewEnum();
    for (size_t i = 0; i < actual.size(); ++i) {
      ASSERT_TRUE(SameObject(actual[i], expected[i]))
          << config << ": row " << i + 1 << " is " << NameOf(actual[i]) << ", the passes give "
          << NameOf(expected[i]);
    }
  }
};

TEST_F(DetailsCursor, AttachPreparesAndRefreshFillsSortedByDefault) {
  Build(Sample());
  model->SetOwner(project);  // stands for the snap-in
  EXPECT_EQ(cursor->CursorMode(), kProject) << "mode 0 at creation";
  cursor->Sort({"NAME"}, {1});
  cursor->Attach(model);
  EXPECT_EQ(cursor->Count(), 0) << "Attach does not fill";
  EXPECT_EQ(cursor->SortTypes(), Types{"SortDefault"}) << "Attach resets the sort";
  EXPECT_EQ(cursor->SortOrders(), Orders{0});
  EXPECT_TRUE(SameObject(cursor->RgProjectModel(), model));
  EXPECT_TRUE(SameObject(cursor->SnapIn(), project)) << "the model's owner";
  cursor->Refresh();
  EXPECT_EQ(Listed(), "Card OB1 FB2 FB10 FC7 DB3 UDT4 HW")
      << "the card's container has index 0, blocks by the type's index then number, hardware 101";
  cursor->Attach(nullptr);
  EXPECT_FALSE(cursor->RgProjectModel()) << "as Detach";
  EXPECT_FALSE(cursor->SnapIn());
  model->SetOwner(nullptr);
}

TEST_F(DetailsCursor, TheModeChoosesTheListAndAfterASortNewItemsAreAppended) {
  Start(kProject);
  const std::tuple<int32_t, bool, const char*> rows[] = {
      {kProgram, true, "OB1 FB2 FB10 FC7 DB3 UDT4 SFC9"},
      {kMMC, false, "A.bin b.txt c.dat"},  // file ranks by name without regard to case
      {7, false, ""},
      {kProgram, false, "OB1 FB2 FB10 FC7 DB3 UDT4"},
  };
  for (const auto& [mode, system, listed] : rows) {
    options->SetValue("General/Display/ShowSystemBlocks", system);
    const std::string before = Listed();
    cursor->SetCursorMode(static_cast<RgEnumProjectDetailsCursorMode>(mode));
    EXPECT_EQ(Listed(), before) << "writing the mode only stores it";
    cursor->Refresh();
    EXPECT_EQ(Listed(), listed) << "mode " << mode << " system " << system;
  }
  // After a sort new items are appended, and an empty list raises nothing.
  EXPECT_EQ(Sorted({"SortDefault"}, {1}), "UDT4 DB3 FC7 FB10 FB2 OB1");
  checker->Events();
  AddBelow("C1", Block(8, 0));
  AddBelow("C1", Obj("Cat", "RgCategory"));
  ItemNamed("FC7")->Handler()->Refresh();
  RemoveItem("FB10");
  EXPECT_EQ(checker->Events(), "add OB0@7 change FC7@3 remove FB10@4")
      << "appended unsorted; the category is not listed";
  model->SetAutoRefresh(false);
  AddBelow("C2", Fb(99));
  model->SetAutoRefresh(true);
  EXPECT_EQ(checker->Events(), "auto 0 add FB99@7 total auto 1");
  EXPECT_EQ(Listed(), "UDT4 DB3 FC7 FB99 FB2 OB1 OB0") << "the end of a batch re-sorts";
  model->RemoveProject(project);
  checker->Events();
  cursor->Sort({"NAME", "SIZE"}, {1, 0});
  EXPECT_EQ(checker->Events(), "") << "an empty list stores the sort but raises nothing";
  EXPECT_EQ(cursor->SortTypes(), (Types{"NAME", "SIZE"}));
}

TEST_F(DetailsCursor, TheDefaultIndexFollowsTheStartOfTheType) {
  const auto typed = [](const char* name, const char* type, Props values = {}) {
    return Obj(name, type, {}, std::move(values));  // each listed in project mode
  };
  Start(kProject, Obj("P", "RgProjectOffline",
                      {typed("Project", "RgProjectXRgBlock"), typed("Program", "rgprogramRgBlock"),
                       typed("Hw", "RgHwConfigOnline"), typed("File", "RGMMCFILERgBlock"),
                       typed("Other", "XRgBlock"), typed("Ghost", "RgGhostBlock RgHwConfig"),
                       typed("Db", "RgBlockOnline.DB", {{"BLOCKTYPE", 9}, {"BLOCKNUMBER", 2}}),
                       typed("Vat", "rgblockoffline.V", {{"BLOCKTYPE", 1}, {"BLOCKNUMBER", 1}}),
                       typed("NoType", "RgBlockOffline", {{"BLOCKNUMBER", 5}})}));
  EXPECT_EQ(Listed(), "Other Ghost NoType Db Vat File Hw Program Project")
      << "0 for other starts; the block information's index (DB 4, VAT 9, none 0) x 100000 + "
         "number; 100 file, 101 hardware, 102 program, 103 project";
}

TEST_F(DetailsCursor, MemoryCardModeLoadsThroughTheContainerAndRanksFilesByName) {
  Build(Obj("P", "RgProjectOffline", {Obj("Card", "RgFilesOnMMC", {Obj("b2", "RgMMCFile")})}));
  auto* handler = dynamic_cast<FakeFilesHandler*>(ItemNamed("Card")->HandlerObject().Get());
  handler->files = {Obj("B1", "RgMMCFile"), Obj("a3", "RgMMCFile", {}, {{"SIZE", 5}}),
                    Obj("A3", "RgMMCFile", {}, {{"SIZE", 1}})};
  cursor->Attach(model);
  EXPECT_EQ(handler->loads, 0) << "only memory-card mode loads";
  cursor->SetCursorMode(kMMC);
  cursor->Attach(model);
  EXPECT_EQ(handler->loads, 1);
  EXPECT_EQ(Listed(), "B1 a3 A3") << "the files arrive as item events, appended";
  cursor->Refresh();
  EXPECT_EQ(Listed(), "a3 A3 B1 b2") << "ranked by name without regard to case";
  EXPECT_EQ(Sorted({"SortDefault", "SIZE"}, {0, 0}), "A3 a3 B1 b2")
      << "names equal without regard to case share a rank: the next column orders them";
  factory->loadingFilesHandler = false;
  model->RemoveProject(project);
  Build(Obj("P", "RgProjectOffline", {Obj("Card", "RgFilesOnMMC")}));
  cursor->Attach(model);  // a container that cannot load: nothing happens, no error
}

TEST_F(DetailsCursor, TextsCompareWithoutRegardToCaseAndMissingNamesAsMissing) {
  const auto blocks = Blocks({{{"NAME", "beta"}},
                              {{"NAME", "Alpha"}},
                              {},
                              {{"NAME", "ALPHA"}},
                              {{"NAME", "<missing>"}},
                              {{"NAME", "straße"}},
                              {{"NAME", "STRASSE"}}});
  blocks->children[0]->children[2]->Erase("NAME");  // FB3 has no name
  Start(kProgram, blocks);
  EXPECT_EQ(Sorted({"NAME"}, {0}), "FB3 FB5 FB2 FB4 FB1 FB6 FB7")
      << "a missing name sorts as \"<Missing>\"; equal names keep their order";
  EXPECT_EQ(checker->Events(), "total");
  EXPECT_EQ(Sorted({"NAME"}, {1}), "FB6 FB7 FB1 FB2 FB4 FB3 FB5") << "descending is stable too";
}

TEST_F(DetailsCursor, ColumnsReorderOnlyNeighboursEqualInTheColumnBeforeThem) {
  Start(kProgram, Blocks({{{"AUTHOR", "a"}, {"PROGLANGUAGE", "X"}, {"SIZE", 3}},
                          {{"AUTHOR", "b"}, {"PROGLANGUAGE", "x"}, {"SIZE", 1}},
                          {{"AUTHOR", "c"}, {"PROGLANGUAGE", "Y"}, {"SIZE", 2}},
                          {{"AUTHOR", "c"}, {"PROGLANGUAGE", "Y"}, {"SIZE", 0}}}));
  for (const auto& [types, orders] : std::vector<std::pair<Types, Orders>>{
           {{"SIZE"}, {2}}, {{"SIZE"}, {-1}}, {{"COLOR"}, {0}}, {{"size"}, {0}}, {{}, {}}}) {
    EXPECT_EQ(Sorted(types, orders), "FB1 FB2 FB3 FB4") << "an unknown type or order: no effect";
    EXPECT_EQ(cursor->SortTypes(), types) << "stored as given";
    EXPECT_EQ(checker->Events(), "total") << "the list is not empty: the view is told";
  }
  EXPECT_EQ(Sorted({"AUTHOR", "PROGLANGUAGE", "SIZE"}, {0, 0, 0}), "FB2 FB1 FB4 FB3")
      << "SIZE reorders FB1 and FB2 (same language) although their authors differ";
  EXPECT_EQ(Sorted({"AUTHOR", "COLOR", "SIZE"}, {1, 0, 0}), "FB4 FB2 FB3 FB1")
      << "an unknown column compares all rows equal: the next column sorts the whole list";
  EXPECT_EQ(Sorted({"AUTHOR", "PROGLANGUAGE", "SIZE"}, {0, 7, 1}), "FB1 FB2 FB3 FB4")
      << "a column without effect still splits the rows for the next one";
}

TEST_F(DetailsCursor, NumbersAndDatesCompareByValue) {
  const auto day = [](int d) { return Variant(*platform::DateTime::FromParts(2026, 1, d)); };
  Start(kProgram,
        Blocks({{{"SIZE", 10}, {"LASTMODIFIED", day(3)}},
                {{"SIZE", 9}},
                {{"SIZE", 100}, {"LASTMODIFIED", day(1)}},
                {{"LASTMODIFIED", Variant(*platform::DateTime::FromParts(1899, 12, 31))}}}));
  EXPECT_EQ(Sorted({"SIZE"}, {0}), "FB4 FB2 FB1 FB3") << "numbers, not texts; missing is 0";
  EXPECT_EQ(Sorted({"LASTMODIFIED"}, {0}), "FB4 FB2 FB3 FB1") << "missing is 1 January 1900";
  Change("FB1", "SIZE", "95");
  EXPECT_EQ(Sorted({"SIZE"}, {1}), "FB3 FB1 FB2 FB4") << "a text among numbers by its value";
  const mztest::CommaLocale locale;
  if (!locale.Active()) GTEST_SKIP() << locale.SkipReason();
  Change("FB1", "SIZE", "9.5");
  EXPECT_EQ(Sorted({"SIZE"}, {0}), "FB4 FB2 FB1 FB3") << "\"9.5\" is nine and a half anywhere";
}

TEST_F(DetailsCursor, FailuresOfTheSortTravelOrAreAbsorbed) {
  Start(kProgram, Blocks({{{"NAME", "b"}, {"SIZE", 2}},
                          {{"NAME", "a"}, {"SIZE", 1}},
                          {{"NAME", "c"}, {"SIZE", 0}}}));
  expectNoErrors = false;
  EXPECT_EQ(Sorted({"NAME", "SIZE"}, {1}), "FB3 FB1 FB2")
      << "no neighbours equal in NAME: SIZE's missing order is never read";
  EXPECT_TRUE(ErrorSources().empty());
  Change("FB2", "NAME", "C");
  EXPECT_EQ(ErrorOf([&] { cursor->Sort({"NAME", "SIZE"}, {0}); }), platform::errc::kSubscript);
  EXPECT_EQ(ErrorSources().front(), "mzblprsx.RgProjectCursorDetails.P_ChangeMatrixRows");
  EXPECT_EQ(Listed(), "FB3 FB1 FB2") << "a failed sort leaves the list as it was";
  Change("FB1", "BLOCKNUMBER", int32_t{2147483647});
  env.Errors().ClearReports();
  EXPECT_EQ(ErrorOf([&] { cursor->Sort({"SortDefault"}, {0}); }), platform::errc::kOverflow);
  EXPECT_EQ(ErrorSources(),
            (std::vector<std::string>{"mzblprsx.RgProjectCursorDetails.P_ItemNameSortIndex",
                                      "mzblprsx.RgProjectCursorDetails.P_SortItems",
                                      "mzblprsx.RgProjectCursorDetails.Sort"}));
  env.Errors().SetPolicy(host::ErrorPolicy::Absorb);
  EXPECT_EQ(Sorted({"SortDefault"}, {0}), "FB1 FB2 FB3") << "absorbed: the failed index is 0";
  EXPECT_EQ(Sorted({"NAME", "SIZE"}, {0}), "FB1 FB2 FB3")
      << "absorbed: the column without an order has no effect (by SIZE FB3 would come first)";
  cursor->Detach();
  EXPECT_EQ(cursor->Count(), 0) << "without a model Count fails: absorbed, it answers 0";
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgProjectCursorDetails.Property Get Count");
}

TEST_F(DetailsCursor, SortAgreesWithTheExchangePassesOnThousandsOfRows) {
  // Enough rows that the cursor reads the items in the order they lie in memory.
  std::mt19937 random(2026);
  BuildRandom(4500, random);
  ExpectSameOrder({"NAME", "AUTHOR", "SIZE"}, {0, 1, 0});
  ExpectSameOrder({"PROGLANGUAGE", "LASTMODIFIED", "NAME"}, {1, 0, 0});
  ExpectSameOrder({"AUTHOR", "COLOR", "SortDefault"}, {0, 0, 1});
}

TEST_F(DetailsCursor, SortAgreesWithTheExchangePassesInRandomConfigurations) {
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
}  // namespace mztest
