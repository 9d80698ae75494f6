#include "host/framework/ClipboardFormats.h"

#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace {

struct Table {
  std::mutex mutex;
  std::unordered_map<std::string, uint16_t> byName;  // folded name -> number
  std::vector<std::string> names;                    // by number - kFirstFormat, as first given
};

Table& Formats() {
  static Table table;
  return table;
}

}  // namespace

int16_t ClipboardFormats::Register(std::string_view name) {
  if (name.empty()) {
    throw platform::Error(platform::errc::kInvalidCall, "a clipboard format needs a name");
  }
  std::string folded = platform::text::FoldCase(name);
  Table& table = Formats();
  std::lock_guard lock(table.mutex);
  if (const auto it = table.byName.find(folded); it != table.byName.end()) {
    return static_cast<int16_t>(it->second);
  }
  if (table.names.size() > size_t{kLastFormat} - kFirstFormat) {
    throw platform::Error(platform::errc::kOutOfMemory,
                          "no clipboard format number is left for '" + std::string(name) + "'");
  }
  const auto number = static_cast<uint16_t>(kFirstFormat + table.names.size());
  table.names.emplace_back(name);
  table.byName.emplace(std::move(folded), number);
  return static_cast<int16_t>(number);
}

std::optional<std::string> ClipboardFormats::NameOf(int16_t format) {
  const auto number = static_cast<uint16_t>(format);
  Table& table = Formats();
  std::lock_guard lock(table.mutex);
  if (number < kFirstFormat || size_t{number} - kFirstFormat >= table.names.size()) {
    return std::nullopt;
  }
  return table.names[number - kFirstFormat];
}

}  // namespace host
