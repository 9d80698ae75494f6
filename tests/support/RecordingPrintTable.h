// A print table that records every call but the cells' ("SetRowStyle(1,1,0,0,0)") and keeps the
// cells (PageCount answers `pages` once printing began), and a scope that makes it the class
// registry's print table, putting back the previous one after.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IMzPrintTable.h"
#include "platform/ClassRegistry.h"

namespace mztest {

class RecordingPrintTable final : public mzblprsx::IMzPrintTable {
 public:
  using V = const platform::Variant&;
  using I = int32_t;
  std::string_view TypeName() const override { return "RecordingPrintTable"; }

  void SetFont(I k, I w, I s, const std::string& name, V size, V bold, V italic) override {
    Note("SetFont", k, w, s, name, size, bold, italic);
  }
  void SetDrawRect(V l, V t, V r, V b) override { Note("SetDrawRect", l, t, r, b); }
  void SetInitialRect(V l, V t, V r, V b, V s) override { Note("SetInitialRect", l, t, r, b, s); }
  void BeginPrinting(V d, V a, V b) override {
    begun = true;
    Note("BeginPrinting", d, a, b);
  }
  void PrintPage(I p, V d, V a, V b) override { Note("PrintPage", p, d, a, b); }
  void StopPrinting() override { Note("StopPrinting"); }
  I PageCount() override { return begun ? pages : 0; }
  void SetColumnCount(I count) override { Note("SetColumnCount", columns = count); }
  void SetRowCount(I count) override { Note("SetRowCount", rows = count); }
  void SetColumnAttribute(I c, I a, V v) override { Note("SetColumnAttribute", c, a, v); }
  void SetCellText(I r, I c, const std::string& text) override { cells[{r, c}] = text; }
  void SetCellFormat(I k, I r, I c, I v) override { Note("SetCellFormat", k, r, c, v); }
  void SetColumnList(const std::shared_ptr<platform::SafeArray>& list) override {
    std::string numbers = std::to_string(list->LBound()) + ":";
    for (I i = list->LBound(); i <= list->UBound(); ++i) numbers += list->Get({i}).ToString();
    Note("SetColumnList", numbers);
  }
  void SetRowStyle(I s, I r, I a, I b, I c) override { Note("SetRowStyle", s, r, a, b, c); }
  void Finish(I how) override { Note("Finish", how); }

  /// The row's cells 1..column count joined by "|" (a cell never set is empty).
  std::string Row(int32_t row) const {
    std::string out;
    for (int32_t c = 1; c <= columns; ++c) {
      const auto it = cells.find({row, c});
      out += (c > 1 ? "|" : "") + (it == cells.end() ? std::string() : it->second);
    }
    return out;
  }

  std::vector<std::string> calls;
  std::map<std::pair<int32_t, int32_t>, std::string> cells;
  int32_t columns = 0;
  int32_t rows = -1;  ///< the row count set; -1 before
  int32_t pages = 1;
  bool begun = false;

 private:
  static std::string Text(V v) { return v.ToString(); }
  static std::string Text(const std::string& s) { return s; }
  static std::string Text(int32_t n) { return std::to_string(n); }
  template <class... Args>
  void Note(const char* name, const Args&... args) {
    std::string call = std::string(name) + "(";
    ((call += Text(args) + ","), ...);
    if (call.back() == ',') call.pop_back();
    calls.push_back(call + ")");
  }
};

class ScopedPrintTable {
 public:
  ScopedPrintTable() : previous_(platform::ClassRegistry::Instance().FactoryOf(kId)) {
    platform::ClassRegistry::Instance().Register(kId, "", [this] {
      return platform::Ref<platform::Object>(last = platform::MakeObject<RecordingPrintTable>());
    });
  }
  ~ScopedPrintTable() {
    auto& registry = platform::ClassRegistry::Instance();
    previous_ ? registry.Register(kId, "", previous_) : registry.Unregister(kId);
  }
  ScopedPrintTable(const ScopedPrintTable&) = delete;
  ScopedPrintTable& operator=(const ScopedPrintTable&) = delete;

  platform::Ref<RecordingPrintTable> last;  ///< the table created last

 private:
  static constexpr std::string_view kId = mzblprsx::clsid::kPrintTable;
  platform::ClassRegistry::Factory previous_;
};

}  // namespace mztest
