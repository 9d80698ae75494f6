#include "mzblprsx/cursors/RgProjectCursorDetails.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <memory>
#include <numeric>

#include "mzblprsx/cursors/IRgFilesOnMMCLoader.h"
#include "mzblprsx/cursors/RgCursorItemList.h"
#include "mzblprsx/handlers/ItemKind.h"
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
  std::string type;
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

/// One sort's working memory: the listed items, the values of every sort column read once,
/// and the new order. The cursor keeps it between sorts, emptied: on a large list, fresh pages
/// for the rows cost more than sorting them.
struct RgProjectCursorDetails::SortContext {
  /// The values of one column in the form that compares fastest while giving the same answers
  /// as comparing the values themselves: folded texts when every value is a text, numbers when
  /// every value is a number (or a Boolean, date or Empty), the values themselves otherwise.
  struct Column {
    enum Kind { kNone, kText, kNumber, kMixed };
    Kind kind = kNone;
    const SortKey* key = nullptr;  // the property it reads; nothing for "SortDefault"
    bool sortDefault = false;
    std::string texts;  // kText: the rows' folded texts, one after another in reading order
    std::vector<std::pair<uint32_t, uint32_t>> spans;  // kText: each row's text in `texts`
    std::vector<uint64_t> heads;  // kText: each row's first eight bytes, as a big-endian number
    std::vector<double> numbers;  // kNumber
    std::vector<Variant> values;  // kMixed

    bool Reads() const { return key || sortDefault; }
    std::string_view Text(uint32_t row) const {
      return std::string_view(texts).substr(spans[row].first, spans[row].second);
    }
    /// The two rows' texts compared in code point order (-1, 0, 1). Most answers come from
    /// the first eight bytes: as numbers they order exactly as the bytes do, and when they are
    /// equal and neither text is longer than eight bytes, the shorter text (padded with zero
    /// bytes) is less.
    int32_t CompareTexts(uint32_t a, uint32_t b) const {
      if (heads[a] != heads[b]) return heads[a] < heads[b] ? -1 : 1;
      const uint32_t sizeA = spans[a].second;
      const uint32_t sizeB = spans[b].second;
      if (sizeA <= 8 && sizeB <= 8) return sizeA < sizeB ? -1 : (sizeA > sizeB ? 1 : 0);
      return Sign(Text(a).compare(Text(b)));
    }
    /// Stores a row's value while the column holds one kind; a value of another kind makes
    /// the column mixed, to be read again as values.
    void Set(size_t row, const Variant& value) {
      if (kind == kMixed) return;
      if (const std::string* text = value.Text()) {
        if (kind == kNumber) {
          kind = kMixed;
          return;
        }
        kind = kText;
        SetText(row, *text);
        return;
      }
      switch (value.Type()) {
        case platform::VarType::Null:
        case platform::VarType::Object:
        case platform::VarType::Array:
          kind = kMixed;
          return;
        default:
          break;
      }
      if (kind == kText) {
        kind = kMixed;
        return;
      }
      SetNumber(row, value.ToDouble());
    }
    void SetNumber(size_t row, double number) {
      kind = kNumber;
      numbers[row] = number;
    }

   private:
    // Folded texts compare in code point order exactly as the texts compare without regard
    // to case; an ASCII text folds to its lower case, as FoldCase does, in place.
    void SetText(size_t row, const std::string& text) {
      const size_t begin = texts.size();
      if (platform::text::IsAscii(text)) {
        texts.append(text);
        for (size_t i = begin; i < texts.size(); ++i) {
          texts[i] = platform::text::LowerAscii(texts[i]);
        }
      } else {
        texts.append(platform::text::FoldCase(text));
      }
      spans[row] = {static_cast<uint32_t>(begin), static_cast<uint32_t>(texts.size() - begin)};
      uint64_t head = 0;
      const size_t size = std::min<size_t>(texts.size() - begin, 8);
      for (size_t i = 0; i < 8; ++i) {
        head = (head << 8) | (i < size ? static_cast<unsigned char>(texts[begin + i]) : 0u);
      }
      heads[row] = head;
    }
  };

  std::vector<const Ref<RgProjectItem>*> items;  // in list order (the list's own references)
  std::vector<Column> columns;                   // one per sort type
  /// A row to read: its item, directly and as the list's reference.
  struct Visit {
    RgProjectItem* item;
    const Ref<RgProjectItem>* ref;
    uint32_t row;
  };
  std::vector<Visit> visits;                    // the rows in the order they are read
  std::vector<uint32_t> rangeStarts;            // PlanVisits' counting sort
  std::vector<uint32_t> order;                  // the new order: indexes into `items`
  std::vector<std::pair<size_t, size_t>> runs;  // [begin, end) in `order`
  Ref<IRgBlockInfo> blockInfo;                  // created on first need
  bool ranksBuilt = false;
  std::vector<std::string> fileNames;  // folded names of the listed memory card files, sorted

  /// The rows in the order their items lie in memory, roughly: on a large list the items are
  /// spread over far more memory than the caches (and the address translation's cache) hold,
  /// and reading them in list order would wait for memory at nearly every item. A counting
  /// sort by address range, each range about an item's size; small lists keep their order.
  void PlanVisits() {
    constexpr size_t kSmall = 4096;  // fits the caches anyway
    const size_t rows = items.size();
    visits.resize(rows);
    const auto visit = [&](size_t row) {
      return Visit{items[row]->Get(), items[row], static_cast<uint32_t>(row)};
    };
    if (rows < kSmall) {
      for (size_t row = 0; row < rows; ++row) visits[row] = visit(row);
      return;
    }
    const auto address = [&](size_t row) { return reinterpret_cast<uintptr_t>(items[row]->Get()); };
    uintptr_t low = address(0);
    uintptr_t high = low;
    for (size_t row = 1; row < rows; ++row) {
      low = std::min(low, address(row));
      high = std::max(high, address(row));
    }
    // About as many ranges as rows, each a power of two bytes wide.
    const auto shift = std::bit_width((high - low) / rows);
    const size_t ranges = static_cast<size_t>((high - low) >> shift) + 1;
    rangeStarts.assign(ranges + 1, 0);
    for (size_t row = 0; row < rows; ++row) ++rangeStarts[((address(row) - low) >> shift) + 1];
    std::partial_sum(rangeStarts.begin(), rangeStarts.end(), rangeStarts.begin());
    for (size_t row = 0; row < rows; ++row) {
      visits[rangeStarts[(address(row) - low) >> shift]++] = visit(row);
    }
  }

  /// Empties everything for a sort by these types, keeping the room.
  void Start(const std::vector<std::string>& sortTypes) {
    items.clear();
    columns.resize(sortTypes.size());
    for (size_t k = 0; k < sortTypes.size(); ++k) {
      Column& column = columns[k];
      column.kind = Column::kNone;
      column.sortDefault = sortTypes[k] == kSortDefault;
      column.key = column.sortDefault ? nullptr : FindSortKey(sortTypes[k]);
      column.texts.clear();
      column.values.clear();
    }
    visits.clear();
    order.clear();
    runs.clear();
    blockInfo.Reset();
    ranksBuilt = false;
    fileNames.clear();
  }
};

RgProjectCursorDetails::RgProjectCursorDetails() = default;
RgProjectCursorDetails::~RgProjectCursorDetails() = default;

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
    sortMemory_.reset();
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
    if (!tree->Find(find_by::kHandlerClass, Variant("RgPrjHandlerFilesOnMMC"))) return;
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
    const std::string type = item->DataValue(kTypeKey).ToString();
    if (platform::text::ContainsNoCase(type, "RgHwConfig")) {
      result = true;
    } else if (item_kind::IsBlockType(type)) {
      result = P_ValidateBlock(item);
    } else {
      result = platform::text::ContainsNoCase(type, "RgFilesOnMMC");
    }
  });
  return result;
}

bool RgProjectCursorDetails::P_ValidateItemProgram(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItemProgram", [&] {
    const std::string type = item->DataValue(kTypeKey).ToString();
    result = item_kind::IsBlockType(type) && P_ValidateBlock(item);
  });
  return result;
}

bool RgProjectCursorDetails::P_ValidateItemMMC(const Ref<RgProjectItem>& item) {
  bool result = false;
  Guard(*this, "P_ValidateItemMMC", [&] {
    result = platform::text::ContainsNoCase(item->DataValue(kTypeKey).ToString(), "RgMMCFile");
  });
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
    // The kept memory, or new memory when a sort runs inside another (a host call back).
    std::unique_ptr<SortContext> memory = std::move(sortMemory_);
    if (!memory) memory = std::make_unique<SortContext>();
    struct GiveBack {
      RgProjectCursorDetails& cursor;
      std::unique_ptr<SortContext>& memory;
      ~GiveBack() {
        // What belongs to one sort only (the block information, the file ranks) goes now.
        memory->blockInfo.Reset();
        memory->fileNames.clear();
        if (!cursor.sortMemory_) cursor.sortMemory_ = std::move(memory);
      }
    } giveBack{*this, memory};
    SortContext& context = *memory;
    context.Start(sortTypes_);

    // One row per listed item: its values of the sort types, read once.
    context.items.reserve(static_cast<size_t>(list_->Count()));
    list_->ForEach([&](const Ref<RgProjectItem>& item) { context.items.push_back(&item); });
    const size_t rows = context.items.size();
    for (auto& column : context.columns) {
      if (column.Reads()) {
        column.texts.reserve(rows * 8);
        column.spans.resize(rows);
        column.heads.resize(rows);
        column.numbers.resize(rows);
      }
    }
    context.PlanVisits();
    for (size_t next = 0; next < rows; ++next) {
      if (next + 8 < rows) __builtin_prefetch(context.visits[next + 8].item);
      const SortContext::Visit& visit = context.visits[next];
      for (auto& column : context.columns) {
        if (column.key) {
          column.Set(visit.row, visit.item->DataValue(column.key->type, column.key->fallback));
        } else if (column.sortDefault) {
          column.SetNumber(visit.row, P_ItemNameSortIndex(*visit.ref, context));
        }
      }
    }
    // A column that mixes texts with other values compares pair by pair as values: read again.
    for (auto& column : context.columns) {
      if (column.kind != SortContext::Column::kMixed) continue;
      column.values.reserve(rows);
      for (const Ref<RgProjectItem>* item : context.items) {
        column.values.push_back((*item)->DataValue(column.key->type, column.key->fallback));
      }
    }
    P_SortMatrix(context);
    list_->Reorder(context.order);
  });
}

void RgProjectCursorDetails::P_SortMatrix(SortContext& context) {
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
  std::vector<uint32_t>& order = context.order;
  order.resize(rows);
  std::iota(order.begin(), order.end(), 0u);
  Guard(*this, "P_SortMatrix", [&] {
    const auto compare = [&](const SortContext::Column& column, uint32_t a, uint32_t b) -> int32_t {
      switch (column.kind) {
        case SortContext::Column::kText:
          return column.CompareTexts(a, b);
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
    std::vector<std::pair<size_t, size_t>>& runs = context.runs;
    for (size_t k = 0; k < context.columns.size(); ++k) {
      runs.clear();  // [begin, end) in `order`, two rows or more
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
    const std::string type = item->DataValue(kTypeKey).ToString();
    const int64_t typeIndex = P_ItemTypeSortIndex(item, type, context);
    int64_t subIndex = 0;
    if (platform::text::StartsWithNoCase(type, "RgBlock")) {
      subIndex = item->DataValue("BLOCKNUMBER").ToInt32();
    } else if (platform::text::StartsWithNoCase(type, "RgMMCFile")) {
      subIndex = P_MMCFileSortIndex(item, context);
    }
    const int64_t index = typeIndex * 100000 + subIndex;
    if (index < std::numeric_limits<int32_t>::min() ||
        index > std::numeric_limits<int32_t>::max()) {
      throw platform::Error(platform::errc::kOverflow,
                            "The default sort index of \"" + item->DataValue("NAME").ToString() +
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
    if (platform::text::StartsWithNoCase(type, "RgBlock")) {
      if (!context.blockInfo) {
        context.blockInfo = platform::CreateObjectAs<IRgBlockInfo>(clsid::kBlockInfo);
      }
      result = context.blockInfo->SortIndex(item->DataValue("BLOCKTYPE").ToInt32());
    } else if (platform::text::StartsWithNoCase(type, "RgMMCFile")) {
      result = 100;
    } else if (platform::text::StartsWithNoCase(type, "RgHwConfig")) {
      result = 101;
    } else if (platform::text::StartsWithNoCase(type, "RgProgram")) {
      result = 102;
    } else if (platform::text::StartsWithNoCase(type, "RgProject")) {
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
        if (!platform::text::ContainsNoCase((*listed)->DataValue(kTypeKey).ToString(), "RgMMCFile"))
          continue;
        context.fileNames.push_back(
            platform::text::FoldCase((*listed)->DataValue("NAME").ToString()));
      }
      std::sort(context.fileNames.begin(), context.fileNames.end());
      context.ranksBuilt = true;
    }
    const std::string name = platform::text::FoldCase(item->DataValue("NAME").ToString());
    const auto at = std::lower_bound(context.fileNames.begin(), context.fileNames.end(), name);
    result = static_cast<int32_t>(at - context.fileNames.begin()) + 1;
  });
  return result;
}

}  // namespace mzblprsx
