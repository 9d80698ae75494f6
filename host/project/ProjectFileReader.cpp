#include "host/project/ProjectFileReader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <sstream>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "host/project/Block.h"
#include "host/project/BlockInfo.h"
#include "host/project/Category.h"
#include "host/project/Documentation.h"
#include "host/project/HardwareConfig.h"
#include "host/project/MMCFile.h"
#include "host/project/MemoryCard.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFile.h"
#include "host/project/ProjectFileObject.h"
#include "host/project/References.h"
#include "host/project/SymbolTable.h"
#include "host/project/VarTables.h"
#include "platform/DateTime.h"
#include "platform/Error.h"

namespace host {

namespace {

using platform::MakeObject;
using platform::Ref;

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();

enum class IntegerText { kOk, kNotNumber, kTooLarge };

// A whole number: an optional minus and decimal digits, nothing else.
IntegerText ParseInteger(std::string_view text, int64_t& value) {
  const size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
  if (start == text.size()) return IntegerText::kNotNumber;
  for (size_t i = start; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return IntegerText::kNotNumber;
  }
  if (text.size() - start > 18) return IntegerText::kTooLarge;
  int64_t v = 0;
  for (size_t i = start; i < text.size(); ++i) v = v * 10 + (text[i] - '0');
  value = start == 1 ? -v : v;
  return IntegerText::kOk;
}

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
bool IsGuid(std::string_view text) {
  constexpr std::string_view kPattern = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  if (text.size() != kPattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] == 'X' ? !IsHex(text[i]) : text[i] != kPattern[i]) return false;
  }
  return true;
}

// The parsed document and everything needed to say where in the text something is wrong.
class Session {
 public:
  Session(std::string_view xml, std::string fileName)
      : original_(xml), buffer_(xml), fileName_(std::move(fileName)) {}

  // Parses in place, so that node and attribute names point into the text and their lines can
  // be found; checks that there is exactly one root element and that it has the expected name.
  pugi::xml_node Parse(std::string_view rootName) {
    const auto result = document_.load_buffer_inplace(buffer_.data(), buffer_.size(),
                                                      pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
      Fail(LineAtOffset(result.offset), {}, std::string("malformed XML: ") + result.description());
    }
    pugi::xml_node root;
    for (auto child : document_.children()) {
      if (child.type() != pugi::node_element) continue;
      if (root)
        Fail(LineOf(child), {}, "a second root element <" + std::string(child.name()) + ">");
      root = child;
    }
    if (!root) Fail(1, {}, "the file holds no XML element");
    if (rootName != root.name()) {
      Fail(LineOf(root), {},
           "the root element is <" + std::string(root.name()) + ">, expected <" +
               std::string(rootName) + ">");
    }
    return root;
  }

  [[noreturn]] void Fail(size_t line, std::string_view context, std::string_view problem) const {
    throw platform::Error(ProjectFile::kFormatError, Located(line, context, problem));
  }

  /// "<file>:<line>: <context>: <problem>", the form of errors and warnings alike.
  std::string Located(size_t line, std::string_view context, std::string_view problem) const {
    std::string text = fileName_ + ":" + std::to_string(line) + ": ";
    if (!context.empty()) {
      text += context;
      text += ": ";
    }
    text += problem;
    return text;
  }

  size_t LineOf(pugi::xml_node node) const {
    const ptrdiff_t offset = node.offset_debug();
    return offset < 0 ? 1 : LineAtOffset(offset);
  }

  size_t LineOf(pugi::xml_attribute attribute, pugi::xml_node owner) const {
    const char* name = attribute ? attribute.name() : nullptr;
    if (name >= buffer_.data() && name < buffer_.data() + buffer_.size()) {
      return LineAtOffset(name - buffer_.data());
    }
    return LineOf(owner);
  }

  // An unknown node as text, to be written back as it came.
  static std::string Raw(pugi::xml_node node) {
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
  }

 private:
  // Lines are counted in the original text: parsing in place rewrites values in the buffer.
  // The line breaks are found once, when the first line is asked for: a file with many warnings
  // asks for many lines.
  size_t LineAtOffset(ptrdiff_t offset) const {
    if (!breaksFound_) {
      for (size_t at = original_.find('\n'); at != std::string_view::npos;
           at = original_.find('\n', at + 1))
        breaks_.push_back(at);
      breaksFound_ = true;
    }
    const auto end = static_cast<size_t>(std::max<ptrdiff_t>(offset, 0));
    return 1 + static_cast<size_t>(std::lower_bound(breaks_.begin(), breaks_.end(), end) -
                                   breaks_.begin());
  }

  std::string_view original_;
  mutable std::vector<size_t> breaks_;  // offsets of the line breaks of the original text
  mutable bool breaksFound_ = false;
  std::string buffer_;
  pugi::xml_document document_;
  std::string fileName_;
};

// The attributes of one element: the known ones by name, the unknown ones kept as extras.
class Attributes {
 public:
  Attributes(const Session& session, pugi::xml_node element, std::string context,
             std::initializer_list<std::string_view> known)
      : session_(session), element_(element), context_(std::move(context)) {
    std::unordered_set<std::string_view> seen;
    for (auto attribute : element.attributes()) {
      const std::string_view name = attribute.name();
      if (!seen.insert(name).second) {
        Fail(attribute, "attribute '" + std::string(name) + "' is given twice");
      }
      if (std::find(known.begin(), known.end(), name) != known.end()) {
        known_.emplace_back(name, attribute);
      } else {
        extras_.attributes.emplace_back(std::string(name), attribute.value());
      }
    }
  }

  void SetContext(std::string context) { context_ = std::move(context); }
  const std::string& Context() const { return context_; }
  pugi::xml_node Element() const { return element_; }

  pugi::xml_attribute Get(std::string_view name) const {
    for (const auto& [known, attribute] : known_) {
      if (known == name) return attribute;
    }
    return {};
  }
  bool Has(std::string_view name) const { return static_cast<bool>(Get(name)); }

  std::string Text(std::string_view name) const { return Get(name).value(); }

  std::string Required(std::string_view name) const {
    const auto attribute = Get(name);
    if (!attribute) FailElement("missing attribute '" + std::string(name) + "'");
    return attribute.value();
  }

  std::string RequiredNonEmpty(std::string_view name) const {
    std::string value = Required(name);
    if (value.empty()) Fail(Get(name), "attribute '" + std::string(name) + "' is empty");
    return value;
  }

  int64_t Integer(std::string_view name, int64_t min, int64_t max, int64_t fallback) const {
    const auto attribute = Get(name);
    if (!attribute) return fallback;
    const std::string text = attribute.value();
    const std::string quoted = std::string(name) + " '" + text + "'";
    int64_t value = 0;
    const auto parsed = ParseInteger(text, value);
    if (parsed == IntegerText::kNotNumber) Fail(attribute, quoted + " is not a whole number");
    if (min == 0 && (parsed == IntegerText::kOk && value < 0))
      Fail(attribute, quoted + " is negative");
    if (parsed == IntegerText::kTooLarge || value < min || value > max) {
      Fail(attribute,
           quoted + " is out of range " + std::to_string(min) + ".." + std::to_string(max));
    }
    return value;
  }

  int32_t Size(std::string_view name) const {
    return static_cast<int32_t>(Integer(name, 0, kInt32Max, 0));
  }

  platform::DateTime Date(std::string_view name) const {
    const auto attribute = Get(name);
    if (!attribute) return platform::DateTime();
    const auto date = platform::DateTime::Parse(attribute.value());
    if (!date) {
      Fail(attribute, std::string(name) + " '" + attribute.value() +
                          "' is not a date and time of the form YYYY-MM-DD HH:MM:SS");
    }
    return *date;
  }

  bool Boolean(std::string_view name) const {
    const auto attribute = Get(name);
    if (!attribute) return false;
    const std::string_view text = attribute.value();
    if (text == "true" || text == "1") return true;
    if (text == "false" || text == "0") return false;
    Fail(attribute, std::string(name) + " '" + std::string(text) + "' is neither true nor false");
  }

  std::string Guid(std::string_view name) const {
    std::string text = Required(name);
    if (!IsGuid(text)) {
      Fail(Get(name), std::string(name) + " '" + text +
                          "' is not a GUID of the form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}");
    }
    return text;
  }

  /// The unknown attributes (once).
  XmlExtras TakeExtras() { return std::move(extras_); }

  [[noreturn]] void Fail(pugi::xml_attribute attribute, std::string_view problem) const {
    session_.Fail(session_.LineOf(attribute, element_), context_, problem);
  }
  [[noreturn]] void Fail(std::string_view attributeName, std::string_view problem) const {
    Fail(Get(attributeName), problem);
  }
  [[noreturn]] void FailElement(std::string_view problem) const {
    session_.Fail(session_.LineOf(element_), context_, problem);
  }

 private:
  const Session& session_;
  pugi::xml_node element_;
  std::string context_;
  std::vector<std::pair<std::string_view, pugi::xml_attribute>> known_;
  XmlExtras extras_;
};

// Remembers which singular child elements were seen, to refuse a second one.
class Singles {
 public:
  explicit Singles(const Session& session) : session_(session) {}
  void Check(pugi::xml_node element) {
    const std::string_view name = element.name();
    const auto [it, inserted] = seen_.emplace(name, element);
    if (!inserted) {
      session_.Fail(session_.LineOf(element), name,
                    "a second <" + std::string(name) + "> element (the first is at line " +
                        std::to_string(session_.LineOf(it->second)) + ")");
    }
  }

 private:
  const Session& session_;
  std::unordered_map<std::string_view, pugi::xml_node> seen_;
};

class Reader {
 public:
  Reader(std::string_view xml, const std::string& fileName, std::vector<std::string>* warnings)
      : session_(xml, fileName), fileName_(fileName), warnings_(warnings) {}

  Ref<OfflineProject> ReadProject() {
    const auto root = session_.Parse("project");
    Attributes attributes(session_, root, "project", {"name", "guid"});
    auto project =
        MakeObject<OfflineProject>(attributes.Guid("guid"), attributes.RequiredNonEmpty("name"));
    XmlExtras extras = attributes.TakeExtras();
    Singles singles(session_);
    ForEachChild(root, extras, [&](pugi::xml_node child) {
      const std::string_view name = child.name();
      Ref<ProjectObject> object;
      if (name == "hardware") {
        singles.Check(child);
        object = ReadHardware(child, false);
      } else if (name == "symbols") {
        singles.Check(child);
        object = ReadSymbols(child);
      } else if (name == "vartables") {
        singles.Check(child);
        object = ReadNamed<VarTables>(child);
      } else if (name == "references") {
        singles.Check(child);
        object = ReadNamed<References>(child);
      } else if (name == "documentation") {
        singles.Check(child);
        object = ReadNamed<Documentation>(child);
      } else if (name == "program") {
        singles.Check(child);
        object = ReadProgram(child, false);
      } else {
        return false;
      }
      project->AddObject(object);
      return true;
    });
    project->Extras() = std::move(extras);
    project->SetSourceName(fileName_);
    project->FileObject()->SetFileName(fileName_);
    project->SetModified(false);
    return project;
  }

  Ref<Block> ReadBlockText(bool online) {
    const auto root = session_.Parse("block");
    try {
      return MakeBlock(root, online, nullptr);
    } catch (const platform::Error& error) {
      if (error.Number() == ProjectFile::kFormatError) throw;
      session_.Fail(session_.LineOf(root), "block", error.Description());
    }
  }

  Ref<PlcProject> ReadPlc() {
    const auto root = session_.Parse("plc");
    Attributes attributes(session_, root, "plc", {"name", "guid", "load-memory"});
    auto plc = MakeObject<PlcProject>(attributes.Guid("guid"), attributes.RequiredNonEmpty("name"));
    if (attributes.Has("load-memory")) {
      plc->SetLoadMemory(
          attributes.Integer("load-memory", 0, std::numeric_limits<int64_t>::max(), 0));
    }
    XmlExtras extras = attributes.TakeExtras();
    Singles singles(session_);
    ForEachChild(root, extras, [&](pugi::xml_node child) {
      const std::string_view name = child.name();
      Ref<ProjectObject> object;
      if (name == "hardware") {
        singles.Check(child);
        object = ReadHardware(child, true);
      } else if (name == "memory-card") {
        singles.Check(child);
        object = ReadMemoryCard(child);
      } else if (name == "program") {
        singles.Check(child);
        object = ReadProgram(child, true);
      } else {
        return false;
      }
      plc->AddObject(object);
      return true;
    });
    plc->Extras() = std::move(extras);
    plc->SetSourceName(fileName_);
    plc->SetModified(false);
    return plc;
  }

 private:
  // Hands every child element to `onElement`; what it does not take (unknown elements, text)
  // is kept in `extras`. Errors of the object model are turned into errors at the child's line.
  template <class OnElement>
  void ForEachChild(pugi::xml_node element, XmlExtras& extras, OnElement&& onElement) {
    for (auto child : element.children()) {
      bool taken = false;
      if (child.type() == pugi::node_element) {
        try {
          taken = onElement(child);
        } catch (const platform::Error& error) {
          if (error.Number() == ProjectFile::kFormatError) throw;
          session_.Fail(session_.LineOf(child), child.name(), error.Description());
        }
      }
      if (!taken) extras.nodes.push_back(Session::Raw(child));
    }
  }
  void KeepAllChildren(pugi::xml_node element, XmlExtras& extras) {
    ForEachChild(element, extras, [](pugi::xml_node) { return false; });
  }

  Ref<HardwareConfig> ReadHardware(pugi::xml_node element, bool online) {
    Attributes attributes(session_, element, "hardware", {"name", "modified", "size", "state"});
    auto hardware = MakeObject<HardwareConfig>(online, attributes.RequiredNonEmpty("name"));
    hardware->SetLastModified(attributes.Date("modified"));
    hardware->SetSize(attributes.Size("size"));
    hardware->SetState(static_cast<int32_t>(attributes.Integer("state", kInt32Min, kInt32Max, 0)));
    hardware->Extras() = attributes.TakeExtras();
    KeepAllChildren(element, hardware->Extras());
    return hardware;
  }

  // An element with a name only; its children are kept unless `keepChildren` is false.
  template <class T>
  Ref<T> ReadNamed(pugi::xml_node element, bool keepChildren = true) {
    Attributes attributes(session_, element, element.name(), {"name"});
    auto object = MakeObject<T>(attributes.RequiredNonEmpty("name"));
    object->Extras() = attributes.TakeExtras();
    if (keepChildren) KeepAllChildren(element, object->Extras());
    return object;
  }

  Ref<SymbolTable> ReadSymbols(pugi::xml_node element) {
    auto table = ReadNamed<SymbolTable>(element, false);
    ForEachChild(element, table->Extras(), [&](pugi::xml_node child) {
      if (std::string_view(child.name()) != "symbol") return false;
      Attributes attributes(session_, child, "symbol", {"address", "name"});
      std::string address = attributes.RequiredNonEmpty("address");
      attributes.SetContext("symbol '" + address + "'");
      std::string name = attributes.RequiredNonEmpty("name");
      const std::string existing = table->NameOf(address);
      if (!existing.empty()) {
        attributes.Fail("address", "the address already has the symbol '" + existing + "'");
      }
      const std::string owner = table->AddressOf(name);
      if (!owner.empty())
        attributes.Fail("name", "the name '" + name + "' is already given to " + owner);
      XmlExtras symbolExtras = attributes.TakeExtras();
      KeepAllChildren(child, symbolExtras);
      table->SetSymbol(std::move(address), std::move(name), std::move(symbolExtras));
      return true;
    });
    return table;
  }

  struct PendingMember {
    Ref<Category> category;
    pugi::xml_node element;
    std::string block;
    std::string context;  // "category '2': member 'FB10'"
    XmlExtras extras;
  };

  Ref<Program> ReadProgram(pugi::xml_node element, bool online) {
    Attributes attributes = online ? Attributes(session_, element, "program", {"name"})
                                   : Attributes(session_, element, "program",
                                                {"name", "default-category", "category-order"});
    auto program = MakeObject<Program>(online, attributes.RequiredNonEmpty("name"));
    int32_t defaultCategory = 0;
    std::vector<std::string> order;
    if (!online) {
      defaultCategory =
          static_cast<int32_t>(attributes.Integer("default-category", 0, kInt32Max, 0));
      order = ReadCategoryOrder(attributes);
    }
    XmlExtras extras = attributes.TakeExtras();
    std::vector<PendingMember> members;
    std::unordered_map<int32_t, pugi::xml_node> categories;
    std::unordered_map<int64_t, pugi::xml_node> blocks;
    ForEachChild(element, extras, [&](pugi::xml_node child) {
      const std::string_view name = child.name();
      if (!online && name == "category") {
        ReadCategory(child, *program, categories, members);
        return true;
      }
      if (name == "block") {
        ReadBlock(child, *program, blocks);
        return true;
      }
      return false;
    });
    // Members are resolved after all blocks are known: categories come before blocks.
    AddMembers(*program, order, members);
    program->Extras() = std::move(extras);
    if (!online) {
      program->SetDefaultCategoryId(defaultCategory);
      program->SetCategoryOrder(std::move(order));
    }
    return program;
  }

  std::vector<std::string> ReadCategoryOrder(const Attributes& attributes) {
    std::vector<std::string> order;
    std::unordered_set<std::string> seen;
    std::istringstream tokens(attributes.Text("category-order"));
    std::string id;
    while (tokens >> id) {
      if (!Program::IsCategoryIdText(id)) {
        attributes.Fail("category-order",
                        "category-order names '" + id + "', which is not a category identifier");
      }
      if (!seen.insert(id).second) {
        attributes.Fail("category-order", "category-order names category " + id + " twice");
      }
      order.push_back(id);
    }
    return order;
  }

  void ReadCategory(pugi::xml_node element, Program& program,
                    std::unordered_map<int32_t, pugi::xml_node>& seen,
                    std::vector<PendingMember>& members) {
    Attributes attributes(session_, element, "category", {"id", "name"});
    const std::string idText = attributes.Required("id");
    attributes.SetContext("category '" + idText + "'");
    if (!Program::IsCategoryIdText(idText)) {
      attributes.Fail("id", "id '" + idText +
                                "' is not a category identifier (a whole number from 1 to "
                                "2147483647, no leading zero)");
    }
    const auto id = static_cast<int32_t>(std::stoll(idText));
    const auto [first, inserted] = seen.emplace(id, element);
    if (!inserted) {
      attributes.Fail("id", "category " + idText + " is already defined at line " +
                                std::to_string(session_.LineOf(first->second)));
    }
    auto category = MakeObject<Category>(id, attributes.RequiredNonEmpty("name"));
    category->Extras() = attributes.TakeExtras();
    ForEachChild(element, category->Extras(), [&](pugi::xml_node child) {
      if (std::string_view(child.name()) != "member") return false;
      Attributes member(session_, child, attributes.Context() + ": member", {"block"});
      std::string block = member.RequiredNonEmpty("block");
      member.SetContext(attributes.Context() + ": member '" + block + "'");
      if (!BlockInfo::ParseName(block)) member.Fail("block", "this is no block name");
      XmlExtras memberExtras = member.TakeExtras();
      KeepAllChildren(child, memberExtras);
      members.push_back(PendingMember{category, child, std::move(block), member.Context(),
                                      std::move(memberExtras)});
      return true;
    });
    program.AddCategory(category);
  }

  // A merge of two branches can leave a block listed by two categories (each branch moved it)
  // or a member whose block the other branch deleted. Such a file still opens, as the tree would
  // show it: a block stays with the first category of the tree's order that lists it (the stored
  // order, then the categories it leaves out, in file order), and the other listings and the
  // members without a block are dropped, each with a warning, so that a save writes them no more.
  void AddMembers(Program& program, const std::vector<std::string>& order,
                  std::vector<PendingMember>& members) {
    std::unordered_map<const Category*, size_t> rank;
    for (const std::string& id : order) {
      if (const auto category = program.FindCategory(static_cast<int32_t>(std::stoll(id))))
        rank.emplace(category.Get(), rank.size());
    }
    for (const auto& category : program.Categories()) rank.emplace(category.Get(), rank.size());
    std::stable_sort(members.begin(), members.end(), [&](const auto& a, const auto& b) {
      return rank[a.category.Get()] < rank[b.category.Get()];
    });

    const auto lineOf = [&](pugi::xml_node element) {
      return session_.LineOf(element.attribute("block"), element);
    };
    std::vector<std::pair<size_t, std::string>> dropped;      // line, warning
    std::unordered_map<const Block*, pugi::xml_node> keptBy;  // block, the member that keeps it
    for (auto& member : members) {
      const auto drop = [&](const std::string& why) {
        const size_t line = lineOf(member.element);
        dropped.emplace_back(line, session_.Located(line, member.context, why));
      };
      const auto block = program.FindBlockById(member.block);
      if (!block) {
        drop("the program has no block " + member.block + ": the member is dropped");
        continue;
      }
      if (const auto listed = block->OwnerCategory()) {
        const std::string first = std::to_string(lineOf(keptBy[block.Get()]));
        drop(SameObject(listed, member.category)
                 ? "block " + block->Name() + " is listed twice in this category (first at line " +
                       first + "): the second listing is dropped"
                 : "block " + block->Name() + " is also listed by category " + listed->ObjectID() +
                       " at line " + first +
                       ", which the tree shows first: the block stays there, this listing is "
                       "dropped");
        continue;
      }
      keptBy.emplace(block.Get(), member.element);
      member.category->InsertMember(block, Category::kEnd, std::move(member.extras));
    }
    if (warnings_ == nullptr) return;
    std::stable_sort(dropped.begin(), dropped.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [line, warning] : dropped) warnings_->push_back(std::move(warning));
  }

  void ReadBlock(pugi::xml_node element, Program& program,
                 std::unordered_map<int64_t, pugi::xml_node>& seen) {
    program.AddBlock(MakeBlock(element, program.Online(), &seen));
  }

  // A block from its element; `seen` (when given) refuses a second block of a type and number.
  Ref<Block> MakeBlock(pugi::xml_node element, bool online,
                       std::unordered_map<int64_t, pugi::xml_node>* seen) {
    Attributes attributes(session_, element, "block",
                          {"type", "number", "header", "author", "language", "size", "modified",
                           "protected", "system", "body", "instance-of"});
    const std::string typeText = attributes.Required("type");
    const std::string numberText = attributes.Required("number");
    attributes.SetContext("block '" + typeText + " " + numberText + "'");
    const auto type = BlockInfo::TypeFromText(typeText);
    if (!type) {
      attributes.Fail("type", "unknown block type '" + typeText +
                                  "' (expected OB, FB, FC, DB, UDT, SFB, SFC, SDB or VAT)");
    }
    const auto number =
        static_cast<int32_t>(attributes.Integer("number", 1, BlockInfo::MaxNumber(*type), 0));
    const int64_t key = (static_cast<int64_t>(*type) << 32) | static_cast<uint32_t>(number);
    if (seen != nullptr) {
      const auto [first, inserted] = seen->emplace(key, element);
      if (!inserted) {
        attributes.FailElement(BlockInfo::MakeName(*type, number) + " is already defined at line " +
                               std::to_string(session_.LineOf(first->second)));
      }
    }
    const std::string languageText = attributes.Text("language");
    const auto language = BlockInfo::LanguageFromText(languageText);
    if (!language) {
      attributes.Fail("language", "language '" + languageText + "' is unknown (expected " +
                                      BlockInfo::LanguageList() + ")");
    }

    auto block = MakeObject<Block>(online, *type, number);
    block->SetHeader(attributes.Text("header"));
    block->SetAuthor(attributes.Text("author"));
    block->SetLanguage(*language);
    block->SetSize(attributes.Size("size"));
    block->SetLastModified(attributes.Date("modified"));
    block->SetProtected(attributes.Boolean("protected"));
    block->SetSystem(attributes.Boolean("system"));
    block->SetBody(attributes.Text("body"));
    if (attributes.Has("instance-of")) {
      const std::string ownerText = attributes.Text("instance-of");
      const auto owner = BlockInfo::ParseName(ownerText);
      if (!owner)
        attributes.Fail("instance-of", "instance-of '" + ownerText + "' is no block name");
      try {
        block->SetInstanceOf(owner);
      } catch (const platform::Error& error) {
        attributes.Fail("instance-of", "instance-of '" + ownerText + "': " + error.Description());
      }
    }
    block->Extras() = attributes.TakeExtras();
    KeepAllChildren(element, block->Extras());
    return block;
  }

  Ref<MemoryCard> ReadMemoryCard(pugi::xml_node element) {
    Attributes attributes(session_, element, "memory-card", {"name", "modified", "size"});
    auto card = MakeObject<MemoryCard>(attributes.RequiredNonEmpty("name"));
    card->SetLastModified(attributes.Date("modified"));
    card->SetSize(attributes.Size("size"));
    card->Extras() = attributes.TakeExtras();
    ForEachChild(element, card->Extras(), [&](pugi::xml_node child) {
      if (std::string_view(child.name()) != "file") return false;
      Attributes file(session_, child, "file", {"name", "type", "type-text", "size", "modified"});
      std::string name = file.RequiredNonEmpty("name");
      file.SetContext("file '" + name + "'");
      if (card->FindFile(name)) file.Fail("name", "a file of that name is already on the card");
      auto object = MakeObject<MMCFile>(std::move(name));
      object->SetFileType(static_cast<int32_t>(file.Integer("type", kInt32Min, kInt32Max, 0)));
      object->SetTypeText(file.Text("type-text"));
      object->SetSize(file.Size("size"));
      object->SetLastModified(file.Date("modified"));
      object->Extras() = file.TakeExtras();
      KeepAllChildren(child, object->Extras());
      card->AddFile(object);
      return true;
    });
    return card;
  }

  Session session_;
  std::string fileName_;
  std::vector<std::string>* warnings_;  // not owned; nothing when the caller does not listen
};

}  // namespace

Ref<OfflineProject> ProjectFileReader::ReadProject(std::string_view xml,
                                                   const std::string& fileName,
                                                   std::vector<std::string>* warnings) {
  std::vector<std::string> found;
  auto project = Reader(xml, fileName, &found).ReadProject();
  // Only a file that loads has warnings: a refused one leaves the caller's list as it was.
  if (warnings != nullptr) warnings->insert(warnings->end(), found.begin(), found.end());
  return project;
}

Ref<PlcProject> ProjectFileReader::ReadPlc(std::string_view xml, const std::string& fileName) {
  return Reader(xml, fileName, nullptr).ReadPlc();
}

Ref<Block> ProjectFileReader::ReadBlock(std::string_view xml, bool online,
                                        const std::string& sourceName) {
  return Reader(xml, sourceName, nullptr).ReadBlockText(online);
}

}  // namespace host
