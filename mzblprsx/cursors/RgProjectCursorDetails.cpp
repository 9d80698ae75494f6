#include "mzblprsx/cursors/RgProjectCursorDetails.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "mzblprsx/cursors/IRgFilesOnMMCLoader.h"
#include "mzblprsx/cursors/RgCursorItemList.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

const std::string kTypeKey = "TYPE";  // built once: the filters read it for every item
constexpr std::string_view kSortDefault = "SortDefault";

/// A sort type of the table: the property it reads and the value of items without it.
struct SortKey {
  std::string_view type;
  Variant fallback;
};

/// The property sort types; "SortDefault" is computed, any other text sorts nothing.
const SortKey* FindSortKey(std::string_view type) {
  static const SortKey keys[] = {
      {"NAME", Variant("<Missing>")}, {"SYMBOL", Variant("")},
      {"DISPLAY_TYPE", Variant("")},  {"SIZE", Variant(int32_t{0})},
      {"PROGLANGUAGE", Variant("")},  {"LASTMODIFIED", Variant(platform::DateTime())},
      {"AUTHOR", Variant("")},        {"HEADERNAME", Variant("")},
  };
  for (const SortKey& key : keys) {
    if (key.type == type) return &key;
  }
  return nullptr;
}

int32_t Sign(int value) {
  return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

}  // namespace

/// One sort: the listed items and the values of every sort column, read once.
struct RgProjectCursorDetails::SortContext {
  /// The values of one column in the form that compares fastest while giving the same answers
  /// as comparing the values themselves: folded texts when every value is a text, numbers when
  /// none is, the values when the column mixes both.
  struct Column {
    enum Kind { kNone, kText, kNumber, kMixed } kind = kNone;
    std::vector<std::string> texts;
    std::vector<double> numbers;
    std::vector<Variant> values;
  };

  std::vector<const Ref<RgProjectItem>*> items;  // in list order (the list's own references)
  std::vector<Column> columns;                   // one per sort type
  Ref<IRgBlockInfo> blockInfo;                   // created on first need
  bool ranksBuilt = false;
  std::vector<std::string> fileNames;  // folded names of the listed memory card files, sorted
};

// --- Properties ------------------------------------------------------------------------------

int32_t RgProjectCursorDetails::Count() {
  int32_t result = 0;
  Guard(*this, "Property Get Count", [&] { result = list_->Count(); });
  return result;
}

RgEnumProjectDetailsCursorMode RgProjectCursorDetails::CursorMode() {
  RgEnumProjectDetailsCursorMode result = RgProjectDetailsCursorModeProject;
  Guard(*this, "Property Get CursorMode", [&] { result = mode_; });
  return result;
}

void RgProjectCursorDetails::SetCursorMode(RgEnumProjectDetailsCursorMode mode) {
  Guard(*this, "Property Let CursorMode", [&] { mode_ = mode; });
}

Ref<mzblprsx::RgProjectModel> RgProjectCursorDetails::RgProjectModel() {
  Ref<mzblprsx::RgProjectModel> result;
  Guard(*this, "Property Get RgProjectModel", [&] { result = model_; });
  return result;
}

// --- Life -------------------------------------------------------------------------------------

void RgProjectCursorDetails::Attach(Ref<mzblprsx::RgProjectModel> model) {
  Guard(*this, "Attach", [&] {
    if (!model) {
      Detach();
      return;
    }
    P_SetModel(std::move(model));
    snapIn_ = model_->Owner();
    // Items of a model attached before must not stay listed under this one.
    list_ = platform::MakeObject<RgCursorItemList>();
    P_SetCursorOptions();
    sortTypes_ = {std::string(kSortDefault)};
    sortOrders_ = {0};
    if (mode_ == RgProjectDetailsCursorModeMMC) P_LoadMMCFiles();
  });
}

void RgProjectCursorDetails::Detach() {
  Guard(*this, "Detach", [&] {
    P_SetModel(nullptr);
    list_.Reset();
    snapIn_.Reset();
  });
}

void RgProjectCursorDetails::Refresh() {
  Guard(*this, "Refresh", [&] {
    const Ref<RgProjectItems> roots = model_->Items();
    P_NewList();
    P_SetCursorOptions();
    P_SearchItems(roots);
    P_SortItems();
    TotalRefresh().Emit();
  });
}

void RgProjectCursorDetails::Sort(const std::vector<std::string>& sortTypes,
                                  const std::vector<int32_t>& sortOrders) {
  Guard(*this, "Sort", [&] {
    sortTypes_ = sortTypes;
    sortOrders_ = sortOrders;
    if (!list_ || list_->Count() == 0) return;
    P_SortItems();
    TotalRefresh().Emit();
  });
}

void RgProjectCursorDetails::P_LoadMMCFiles() {
  Guard(*this, "P_LoadMMCFiles", [&] {
    const Ref<RgProjectItemList> tree = model_->ItemList();
    if (!tree->Find(2, Variant("RgPrjHandlerFilesOnMMC"))) return;
    const Ref<RgProjectItem> container = tree->FoundItem();
    if (!container) return;
    // A container handler that cannot load has no file list to offer: nothing to do.
    if (const auto loader = container->HandlerObject().As<IRgFilesOnMMCLoader>()) {
      loader->LoadFiles();
    }
  });
}

// --- Filter and events -------------------------------------------------------------------------

bool RgProjectCursorDetails::P_ValidateItem(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItem", [&] {
    if (!item) return;
    switch (mode_) {
      case RgProjectDetailsCursorModeProject:
        result = P_ValidateItemProject(item);
        break;
      case RgProjectDetailsCursorModeProgram:
        result = P_ValidateItemProgram(item);
        break;
      case RgProjectDetailsCursorModeMMC:
        result = P_ValidateItemMMC(item);
        break;
      default:
        break;
    }
  });
  return result;
}

bool RgProjectCursorDetails::P_ValidateItemProject(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItemProject", [&] {
    const std::string type = item->Data()->Value(kTypeKey).ToString();
    if (TypeContains(type, "RgHwConfig")) {
      result = true;
    } else if (TypeContains(type, "RgBlock")) {
      result = P_ValidateBlock(item);
    } else {
      result = TypeContains(type, "RgFilesOnMMC");
    }
  });
  return result;
}

bool RgProjectCursorDetails::P_ValidateItemProgram(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItemProgram", [&] {
    const std::string type = item->Data()->Value(kTypeKey).ToString();
    result = TypeContains(type, "RgBlock") && P_ValidateBlock(item);
  });
  return result;
}

bool RgProjectCursorDetails::P_ValidateItemMMC(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItemMMC",
        [&] { result = TypeContains(item->Data()->Value(kTypeKey).ToString(), "RgMMCFile"); });
  return result;
}

void RgProjectCursorDetails::P_ItemAdded(const Ref<RgProjectItem>& item) {
  if (!P_ValidateItem(item)) return;
  // Unsorted at the end: the view re-sorts when it wants to.
  list_->Append(item);
  ItemAdd().Emit(item, list_->Count());
}

// --- Sorting ---------------------------------------------------------------------------------

void RgProjectCursorDetails::P_SortItems() {
  Guard(*this, "P_SortItems", [&] {
    // One row per listed item: its values of the sort types, read once.
    SortContext context;
    context.items.reserve(static_cast<size_t>(list_->Count()));
    list_->ForEach([&](const Ref<RgProjectItem>& item) { context.items.push_back(&item); });
    const size_t rows = context.items.size();
    std::vector<const SortKey*> keys;
    std::vector<std::string> properties;
    for (const auto& type : sortTypes_) {
      keys.push_back(type == kSortDefault ? nullptr : FindSortKey(type));
      properties.emplace_back(keys.back() ? keys.back()->type : std::string_view());
    }
    std::vector<std::vector<Variant>> values(sortTypes_.size());
    for (auto& column : values) column.reserve(rows);
    for (size_t row = 0; row < rows; ++row) {
      // Large lists live far apart in memory: ask for the references and items a few rows ahead.
      if (row + 16 < rows) __builtin_prefetch(context.items[row + 16]);
      if (row + 8 < rows) __builtin_prefetch(context.items[row + 8]->Get());
      const Ref<RgProjectItem>* item = context.items[row];
      const Ref<RgProjectItemData> data = (*item)->Data();
      for (size_t k = 0; k < sortTypes_.size(); ++k) {
        if (keys[k]) {
          values[k].push_back(data->Value(properties[k], keys[k]->fallback));
        } else if (sortTypes_[k] == kSortDefault) {
          values[k].push_back(Variant(P_ItemNameSortIndex(*item, context)));
        }
      }
    }
    context.columns.resize(sortTypes_.size());
    for (size_t k = 0; k < sortTypes_.size(); ++k) {
      if (values[k].empty()) continue;  // an unknown type: an empty column that never reorders
      P_StoreColumn(context, k, std::move(values[k]));
    }
    list_->Reorder(P_SortMatrix(context));
  });
}

void RgProjectCursorDetails::P_StoreColumn(SortContext& context, size_t k,
                                           std::vector<Variant> values) {
  SortContext::Column& column = context.columns[k];
  bool anyText = false;
  bool allText = true;
  bool allNumbers = true;
  for (const auto& value : values) {
    switch (value.Type()) {
      case platform::VarType::String:
        anyText = true;
        break;
      case platform::VarType::Null:
      case platform::VarType::Object:
      case platform::VarType::Array:
        allText = allNumbers = false;
        break;
      default:
        allText = false;
    }
  }
  if (allText) {
    // Folded texts compare in code point order exactly as the texts compare without regard to
    // case (an ASCII text folds to its lower case, as FoldCase does, without another copy).
    column.kind = SortContext::Column::kText;
    column.texts.reserve(values.size());
    for (const auto& value : values) {
      std::string text = value.ToString();
      if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
      } else {
        text = platform::text::FoldCase(text);
      }
      column.texts.push_back(std::move(text));
    }
  } else if (!anyText && allNumbers) {
    column.kind = SortContext::Column::kNumber;
    column.numbers.reserve(values.size());
    for (const auto& value : values) column.numbers.push_back(value.ToDouble());
  } else {
    column.kind = SortContext::Column::kMixed;
    column.values = std::move(values);
  }
}

std::vector<uint32_t> RgProjectCursorDetails::P_SortMatrix(SortContext& context) {
  // The order views expect is that of repeated passes exchanging neighbours row i, i+1 while
  // column k says they are out of order and, for k after the first, column k-1 compares them
  // equal; those passes are quadratic, so the same order is reached another way. Equality
  // in a column is an equivalence, so the maximal runs of neighbours equal in column k-1 never
  // change while column k is sorted: no exchange crosses a run's border, and within a run the
  // passes are a stable sort. So: the first column sorts everything stably, every later column
  // sorts each such run stably. An unknown type compares everything equal and so makes the next
  // column's run the whole list. (A column mixing texts and numbers compares pair by pair, as
  // the passes do; where those answers contradict each other no order is exact anyway.)
  const size_t rows = context.items.size();
  std::vector<uint32_t> order(rows);
  std::iota(order.begin(), order.end(), 0u);
  Guard(*this, "P_SortMatrix", [&] {
    const auto compare = [&](const SortContext::Column& column, uint32_t a, uint32_t b) -> int32_t {
      switch (column.kind) {
        case SortContext::Column::kText:
          return Sign(column.texts[a].compare(column.texts[b]));
        case SortContext::Column::kNumber:
          return column.numbers[a] < column.numbers[b]
                     ? -1
                     : (column.numbers[a] > column.numbers[b] ? 1 : 0);
        case SortContext::Column::kMixed:
          return P_CompareVariants(column.values[a], column.values[b]);
        default:
          return 0;
      }
    };
    for (size_t k = 0; k < context.columns.size(); ++k) {
      std::vector<std::pair<size_t, size_t>> runs;  // [begin, end) in `order`, two rows or more
      if (k == 0) {
        if (rows >= 2) runs.emplace_back(0, rows);
      } else {
        const SortContext::Column& previous = context.columns[k - 1];
        for (size_t begin = 0, end = 1; begin < rows; begin = end++) {
          while (end < rows && compare(previous, order[end - 1], order[end]) == 0) ++end;
          if (end - begin >= 2) runs.emplace_back(begin, end);
        }
      }
      if (runs.empty()) continue;  // no two rows this column may exchange
      if (k >= sortOrders_.size()) {
        // The exchange test reads the column's order: a missing one fails there.
        Guard(*this, "P_ChangeMatrixRows", [&] {
          throw platform::Error(platform::errc::kSubscript,
                                "The sort type \"" + sortTypes_[k] + "\" (column " +
                                    std::to_string(k + 1) + ") has no sort order");
        });
        continue;
      }
      const int32_t direction = sortOrders_[k];
      const SortContext::Column& column = context.columns[k];
      if ((direction != 0 && direction != 1) || column.kind == SortContext::Column::kNone) {
        continue;
      }
      const auto before = [&](uint32_t a, uint32_t b) {
        const int32_t c = compare(column, a, b);
        return direction == 0 ? c < 0 : c > 0;
      };
      for (const auto& [begin, end] : runs) {
        std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(begin),
                         order.begin() + static_cast<std::ptrdiff_t>(end), before);
      }
    }
  });
  return order;
}

int32_t RgProjectCursorDetails::P_CompareVariants(const Variant& a, const Variant& b) {
  int32_t result = 0;
  Guard(*this, "P_CompareVariants", [&] {
    if (a.Type() == platform::VarType::String && b.Type() == platform::VarType::String) {
      result = Sign(platform::text::CompareNoCase(a.ToString(), b.ToString()));
      return;
    }
    const double x = a.ToDouble();
    const double y = b.ToDouble();
    result = x < y ? -1 : (x > y ? 1 : 0);
  });
  return result;
}

int32_t RgProjectCursorDetails::P_ItemNameSortIndex(const Ref<RgProjectItem>& item,
                                                    SortContext& context) {
  int32_t result = 0;
  Guard(*this, "P_ItemNameSortIndex", [&] {
    const Ref<RgProjectItemData> data = item->Data();
    const std::string type = data->Value(kTypeKey).ToString();
    const int64_t typeIndex = P_ItemTypeSortIndex(item, type, context);
    int64_t subIndex = 0;
    if (TypeStartsWith(type, "RgBlock")) {
      subIndex = data->Value("BLOCKNUMBER").ToInt32();
    } else if (TypeStartsWith(type, "RgMMCFile")) {
      subIndex = P_MMCFileSortIndex(item, context);
    }
    const int64_t index = typeIndex * 100000 + subIndex;
    if (index < std::numeric_limits<int32_t>::min() ||
        index > std::numeric_limits<int32_t>::max()) {
      throw platform::Error(platform::errc::kOverflow,
                            "The default sort index of \"" + data->Value("NAME").ToString() +
                                "\" (" + std::to_string(index) + ") exceeds 32 bits");
    }
    result = static_cast<int32_t>(index);
  });
  return result;
}

int32_t RgProjectCursorDetails::P_ItemTypeSortIndex(const Ref<RgProjectItem>& item,
                                                    const std::string& type, SortContext& context) {
  int32_t result = 0;
  Guard(*this, "P_ItemTypeSortIndex", [&] {
    if (TypeStartsWith(type, "RgBlock")) {
      if (!context.blockInfo) {
        context.blockInfo = platform::CreateObjectAs<IRgBlockInfo>(clsid::kBlockInfo);
      }
      result = context.blockInfo->SortIndex(item->Data()->Value("BLOCKTYPE").ToInt32());
    } else if (TypeStartsWith(type, "RgMMCFile")) {
      result = 100;
    } else if (TypeStartsWith(type, "RgHwConfig")) {
      result = 101;
    } else if (TypeStartsWith(type, "RgProgram")) {
      result = 102;
    } else if (TypeStartsWith(type, "RgProject")) {
      result = 103;
    }
  });
  return result;
}

int32_t RgProjectCursorDetails::P_MMCFileSortIndex(const Ref<RgProjectItem>& item,
                                                   SortContext& context) {
  int32_t result = 0;
  Guard(*this, "P_MMCFileSortIndex", [&] {
    if (!context.ranksBuilt) {
      // The listed files ordered by name; a file's rank is where its name first appears.
      for (const Ref<RgProjectItem>* listed : context.items) {
        const Ref<RgProjectItemData> data = (*listed)->Data();
        if (!TypeContains(data->Value(kTypeKey).ToString(), "RgMMCFile")) continue;
        context.fileNames.push_back(platform::text::FoldCase(data->Value("NAME").ToString()));
      }
      std::sort(context.fileNames.begin(), context.fileNames.end());
      context.ranksBuilt = true;
    }
    const std::string name = platform::text::FoldCase(item->Data()->Value("NAME").ToString());
    const auto at = std::lower_bound(context.fileNames.begin(), context.fileNames.end(), name);
    result = static_cast<int32_t>(at - context.fileNames.begin()) + 1;
  });
  return result;
}

}  // namespace mzblprsx
