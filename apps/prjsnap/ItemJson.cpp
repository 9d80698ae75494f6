#include "ItemJson.h"

#include <ostream>

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

void WriteItemsJson(std::ostream& out,
                    const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& items) {
  out << "[";
  for (size_t i = 0; i < items.size(); ++i) {
    const auto& item = items[i];
    out << (i == 0 ? "\n" : ",\n") << "  {\"depth\": " << Depth(item) << ", \"data\": ";
    WriteStore(out, item->Data());
    out << ", \"states\": ";
    WriteStore(out, item->States());
    out << "}";
  }
  out << "\n]\n";
}

}  // namespace prjsnap
