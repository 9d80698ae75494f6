#include "ItemJson.h"

#include <ostream>
#include <unordered_map>

namespace prjsnap {
namespace {

std::string JsonText(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char kHexDigits[] = "0123456789abcdef";
          out += "\\u00";
          out += kHexDigits[(c >> 4) & 0xF];
          out += kHexDigits[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void WriteStore(std::ostream& out, const platform::Ref<mzblprsx::RgProjectItemData>& store) {
  out << "{";
  bool first = true;
  for (const std::string& key : store->Keys()) {
    out << (first ? "" : ", ") << JsonText(key) << ": " << JsonValue(store->Value(key));
    first = false;
  }
  out << "}";
}

}  // namespace

int32_t Depth(const platform::Ref<mzblprsx::RgProjectItem>& item) {
  int32_t depth = 0;
  for (auto parent = item->Parent(); parent; parent = parent->Parent()) ++depth;
  return depth;
}

std::vector<int32_t> ShownDepths(const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& rows) {
  std::unordered_map<const void*, int32_t> depthOf;
  depthOf.reserve(rows.size());
  std::vector<int32_t> depths;
  depths.reserve(rows.size());
  for (const auto& row : rows) {
    int32_t depth = 0;
    for (auto parent = row->Parent(); parent; parent = parent->Parent()) {
      const auto found = depthOf.find(platform::Identity(parent));
      if (found != depthOf.end()) {
        depth = found->second + 1;
        break;
      }
    }
    depthOf.emplace(platform::Identity(row), depth);
    depths.push_back(depth);
  }
  return depths;
}

std::vector<int32_t> ModelDepths(const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& items) {
  std::vector<int32_t> depths;
  depths.reserve(items.size());
  for (const auto& item : items) depths.push_back(Depth(item));
  return depths;
}

std::string JsonValue(const platform::Variant& value) {
  using platform::VarType;
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null:
      return "null";
    case VarType::Bool:
      return value.ToBool() ? "true" : "false";
    case VarType::Byte:
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Double:
      return value.ToString();
    case VarType::Date:
    case VarType::String:
      return JsonText(value.ToString());
    case VarType::Object:
    case VarType::Array:
      return "null";
  }
  return "null";
}

std::string JsonString(const std::string& text) {
  return JsonText(text);
}

void WriteItemsJson(std::ostream& out,
                    const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& items,
                    const std::vector<int32_t>& depths, const ItemJsonExtra& extra) {
  out << "[";
  for (size_t i = 0; i < items.size(); ++i) {
    const auto& item = items[i];
    out << (i == 0 ? "\n" : ",\n") << "  {\"depth\": " << depths.at(i) << ", \"data\": ";
    WriteStore(out, item->Data());
    out << ", \"states\": ";
    WriteStore(out, item->States());
    if (extra) {
      const std::string more = extra(item);
      if (!more.empty()) out << ", " << more;
    }
    out << "}";
  }
  out << "\n]\n";
}

}  // namespace prjsnap
