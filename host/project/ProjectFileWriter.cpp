#include "host/project/ProjectFileWriter.h"

#include <pugixml.hpp>

#include <sstream>
#include <string_view>

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
#include "host/project/References.h"
#include "host/project/SymbolTable.h"
#include "host/project/VarTables.h"
#include "platform/Error.h"

namespace host {

namespace {

void Set(pugi::xml_node element, const char* name, std::string_view value) {
  element.append_attribute(name).set_value(value.data(), value.size());
}

void Set(pugi::xml_node element, const char* name, int64_t value) {
  element.append_attribute(name).set_value(static_cast<long long>(value));
}

void SetBool(pugi::xml_node element, const char* name, bool value) {
  element.append_attribute(name).set_value(value ? "true" : "false");
}

// The unknown attributes after the known ones, the unknown nodes after the known children.
void AppendExtras(pugi::xml_node element, const XmlExtras& extras) {
  for (const auto& [name, value] : extras.attributes) {
    element.append_attribute(name.c_str()).set_value(value.c_str());
  }
  for (const auto& node : extras.nodes) {
    element.append_buffer(node.data(), node.size(), pugi::parse_default, pugi::encoding_utf8);
  }
}

void WriteNamed(pugi::xml_node parent, const char* tag, const ProjectObject& object) {
  auto element = parent.append_child(tag);
  Set(element, "name", object.Name());
  AppendExtras(element, object.Extras());
}

void WriteHardware(pugi::xml_node parent, const HardwareConfig& hardware) {
  auto element = parent.append_child("hardware");
  Set(element, "name", hardware.Name());
  Set(element, "modified", hardware.ModifiedText());
  Set(element, "size", int64_t{hardware.Size()});
  Set(element, "state", int64_t{hardware.State()});
  AppendExtras(element, hardware.Extras());
}

void WriteSymbols(pugi::xml_node parent, const SymbolTable& table) {
  auto element = parent.append_child("symbols");
  Set(element, "name", table.Name());
  for (const auto& symbol : table.Symbols()) {
    auto entry = element.append_child("symbol");
    Set(entry, "address", symbol.address);
    Set(entry, "name", symbol.name);
    AppendExtras(entry, symbol.extras);
  }
  AppendExtras(element, table.Extras());
}

void WriteBlock(pugi::xml_node parent, const Block& block) {
  auto element = parent.append_child("block");
  Set(element, "type", block.TypeText());
  Set(element, "number", int64_t{block.Number()});
  Set(element, "header", block.Header());
  Set(element, "author", block.Author());
  Set(element, "language", block.LanguageText());
  Set(element, "size", int64_t{block.Size()});
  Set(element, "modified", block.LastModified().ToString());
  SetBool(element, "protected", block.Protected());
  SetBool(element, "system", block.System());
  if (const auto owner = block.InstanceOf()) {
    Set(element, "instance-of", BlockInfo::MakeName(owner->type, owner->number));
  }
  Set(element, "body", block.Body());
  AppendExtras(element, block.Extras());
}

void WriteCategory(pugi::xml_node parent, const Category& category) {
  auto entry = parent.append_child("category");
  Set(entry, "id", int64_t{category.Id()});
  Set(entry, "name", category.Name());
  const auto& members = category.Members();
  for (size_t i = 0; i < members.size(); ++i) {
    auto member = entry.append_child("member");
    Set(member, "block", members[i]->Name());
    AppendExtras(member, category.MemberExtras(i));
  }
  AppendExtras(entry, category.Extras());
}

void WriteProgram(pugi::xml_node parent, const Program& program) {
  auto element = parent.append_child("program");
  Set(element, "name", program.Name());
  if (!program.Online()) {
    if (program.DefaultCategoryId() != 0) {
      Set(element, "default-category", int64_t{program.DefaultCategoryId()});
    }
    if (!program.CategoryOrder().empty()) {
      std::string order;
      for (const auto& id : program.CategoryOrder()) {
        if (!order.empty()) order += ' ';
        order += id;
      }
      Set(element, "category-order", order);
    }
    for (const auto& category : program.Categories()) WriteCategory(element, *category);
  }
  for (const auto& block : program.Blocks()) WriteBlock(element, *block);
  AppendExtras(element, program.Extras());
}

void WriteFile(pugi::xml_node parent, const MMCFile& file) {
  auto entry = parent.append_child("file");
  Set(entry, "name", file.Name());
  Set(entry, "type", int64_t{file.FileType()});
  Set(entry, "type-text", file.TypeText());
  Set(entry, "size", int64_t{file.Size()});
  Set(entry, "modified", file.ModifiedText());
  AppendExtras(entry, file.Extras());
}

void WriteMemoryCard(pugi::xml_node parent, const MemoryCard& card) {
  auto element = parent.append_child("memory-card");
  Set(element, "name", card.Name());
  Set(element, "modified", card.ModifiedText());
  Set(element, "size", int64_t{card.Size()});
  for (const auto& file : card.Files()) WriteFile(element, *file);
  AppendExtras(element, card.Extras());
}

std::string Save(const pugi::xml_document& document) {
  std::ostringstream out;
  // The declaration names the encoding, which is the one the reader accepts.
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  document.save(out, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

pugi::xml_node WriteRoot(pugi::xml_document& document, const char* tag, ProjectRoot& root) {
  auto element = document.append_child(tag);
  Set(element, "name", root.Name());
  Set(element, "guid", root.Guid());
  return element;
}

// Writes the element of one object into `parent`; false for an object without an element of its
// own in a project file.
bool WriteElement(pugi::xml_node parent, const ProjectObject& object) {
  if (const auto* block = dynamic_cast<const Block*>(&object)) {
    WriteBlock(parent, *block);
  } else if (const auto* category = dynamic_cast<const Category*>(&object)) {
    WriteCategory(parent, *category);
  } else if (const auto* program = dynamic_cast<const Program*>(&object)) {
    WriteProgram(parent, *program);
  } else if (const auto* hardware = dynamic_cast<const HardwareConfig*>(&object)) {
    WriteHardware(parent, *hardware);
  } else if (const auto* table = dynamic_cast<const SymbolTable*>(&object)) {
    WriteSymbols(parent, *table);
  } else if (dynamic_cast<const VarTables*>(&object) != nullptr) {
    WriteNamed(parent, "vartables", object);
  } else if (dynamic_cast<const References*>(&object) != nullptr) {
    WriteNamed(parent, "references", object);
  } else if (dynamic_cast<const Documentation*>(&object) != nullptr) {
    WriteNamed(parent, "documentation", object);
  } else if (const auto* card = dynamic_cast<const MemoryCard*>(&object)) {
    WriteMemoryCard(parent, *card);
  } else if (const auto* file = dynamic_cast<const MMCFile*>(&object)) {
    WriteFile(parent, *file);
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::string ProjectFileWriter::Write(OfflineProject& project) {
  pugi::xml_document document;
  auto root = WriteRoot(document, "project", project);
  if (const auto hardware = project.Hardware()) WriteHardware(root, *hardware);
  if (const auto symbols = project.Symbols()) WriteSymbols(root, *symbols);
  if (const auto tables = project.VarTables()) WriteNamed(root, "vartables", *tables);
  if (const auto references = project.References()) WriteNamed(root, "references", *references);
  if (const auto documentation = project.Documentation()) {
    WriteNamed(root, "documentation", *documentation);
  }
  if (const auto program = project.Program()) WriteProgram(root, *program);
  AppendExtras(root, project.Extras());
  return Save(document);
}

std::string ProjectFileWriter::Write(PlcProject& plc) {
  pugi::xml_document document;
  auto root = WriteRoot(document, "plc", plc);
  if (const auto memory = plc.LoadMemory()) Set(root, "load-memory", std::to_string(*memory));
  if (const auto hardware = plc.Hardware()) WriteHardware(root, *hardware);
  if (const auto card = plc.MemoryCard()) WriteMemoryCard(root, *card);
  if (const auto program = plc.Program()) WriteProgram(root, *program);
  AppendExtras(root, plc.Extras());
  return Save(document);
}

std::string ProjectFileWriter::ElementText(const ProjectObject& object) {
  pugi::xml_document document;
  if (!WriteElement(document, object)) {
    throw platform::Error(
        platform::errc::kInvalidCall,
        "a " + std::string(object.TypeName()) + " has no element of its own in a project file");
  }
  std::ostringstream out;
  document.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

}  // namespace host
