// A snap-in with the offline tree of a project built, and helpers to read the tree as text.
// Projects are opened from text, never from the sample file: building the tree may save the
// project, and a project loaded from a path would write the file.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/SnapInFixture.h"
#include "host/project/Block.h"
#include "host/project/Category.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFileObject.h"
#include "mzblprsx/handlers/RgPrjHandlerBlockOffline.h"
#include "mzblprsx/handlers/RgPrjHandlerCategory.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"

namespace mztest {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;

/// A project file text with only a program; `attributes` go on the program element.
inline std::string ProgramProject(const std::string& attributes, const std::string& content) {
  return "<project name=\"Test\" guid=\"{11111111-2222-3333-4444-555555555555}\">"
         "<program name=\"Program\" " +
         attributes + ">" + content + "</program></project>";
}

/// A block element; `more` adds attributes.
inline std::string BlockXml(const std::string& type, int number, const std::string& more = "") {
  return "<block type=\"" + type + "\" number=\"" + std::to_string(number) + "\" " + more + "/>";
}

/// A category element listing its members ("FB10 DB10").
inline std::string CategoryXml(int id, const std::string& name, const std::string& members = "") {
  std::string xml = "<category id=\"" + std::to_string(id) + "\" name=\"" + name + "\">";
  std::istringstream in(members);
  for (std::string member; in >> member;) xml += "<member block=\"" + member + "\"/>";
  return xml + "</category>";
}

class HandlerFixture : public SnapInFixture {
 protected:
  void SetUp() override {
    Start();
    Initialized();
  }

  static std::string SampleText() {
    std::ifstream in(SampleFile("conveyor.prj.xml"));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  /// Opens the project (the tree is built); its file object saves into memory.
  platform::Ref<host::OfflineProject> OpenText(const std::string& xml) {
    project = env.OpenProjectText(xml, "test.prj.xml");
    return project;
  }

  platform::Ref<host::Program> HostProgram() { return project->Program(); }
  platform::Ref<host::Block> HostBlock(const std::string& name) {
    return HostProgram()->FindBlockById(name);
  }

  platform::Ref<mzblprsx::RgProjectModel> Model() { return snapIn->OfflineModel(); }
  ItemRef ProjectItem() { return Model()->Items()->First(); }

  /// The item that shows the framework object; nothing when none does.
  ItemRef ItemOf(const platform::Ref<platform::Object>& object) {
    const auto list = Model()->ItemList();
    return list->Find(4, platform::Variant(object)) ? list->FoundItem() : ItemRef();
  }
  ItemRef ProgramItem() { return ItemOf(HostProgram()); }
  ItemRef BlockItem(const std::string& name) { return ItemOf(HostBlock(name)); }
  ItemRef CategoryItem(int id) { return ItemOf(HostProgram()->FindCategory(id)); }

  platform::Ref<mzblprsx::RgPrjHandlerProgramOffline> Program() {
    return ProgramItem()->HandlerObject().Cast<mzblprsx::RgPrjHandlerProgramOffline>();
  }
  platform::Ref<mzblprsx::RgPrjHandlerBlockOffline> BlockHandler(const std::string& name) {
    return BlockItem(name)->HandlerObject().Cast<mzblprsx::RgPrjHandlerBlockOffline>();
  }
  platform::Ref<mzblprsx::RgPrjHandlerCategory> CategoryHandler(int id) {
    return CategoryItem(id)->HandlerObject().Cast<mzblprsx::RgPrjHandlerCategory>();
  }

  static platform::Variant Value(const ItemRef& item, const std::string& key) {
    return item->Data()->Value(key);
  }
  static std::string Text(const ItemRef& item, const std::string& key) {
    return item->Data()->Value(key).ToString();
  }

  /// Every key of the item's data in order: "NAME=FB10, SIZE=412/Long" (the runtime's type name
  /// follows values that are not text).
  static std::string Dump(const ItemRef& item) {
    std::vector<std::string> parts;
    for (const std::string& key : item->Data()->Keys()) {
      const platform::Variant value = item->Data()->Value(key);
      const bool text = value.Type() == platform::VarType::String;
      std::string part = key + "=" + value.ToString();
      if (!text) part.append("/").append(value.TypeName());
      parts.push_back(std::move(part));
    }
    return Join(parts);
  }

  /// The children's "NAME"s, blank-separated.
  static std::string Names(const ItemRef& item) {
    std::string out;
    const auto items = item->Items();
    for (int32_t i = 1; i <= items->Count(); ++i) {
      if (!out.empty()) out += ' ';
      out += Text(items->Item(i), "NAME");
    }
    return out;
  }

  /// The program's tree: "Category[Block Block] Category[]".
  std::string Tree() {
    std::string out;
    const auto categories = ProgramItem()->Items();
    for (int32_t i = 1; i <= categories->Count(); ++i) {
      const ItemRef category = categories->Item(i);
      if (!out.empty()) out += ' ';
      out.append(Text(category, "NAME")).append("[").append(Names(category)).append("]");
    }
    return out;
  }

  /// What the framework's category member lists say, in the form of Tree (categories in the
  /// program's own order).
  std::string FrameworkTree() {
    std::string out;
    for (const auto& category : HostProgram()->Categories()) {
      std::string members;
      for (const auto& block : category->Members()) {
        if (!members.empty()) members += ' ';
        members += block->Name();
      }
      if (!out.empty()) out += ' ';
      out.append(category->Name()).append("[").append(members).append("]");
    }
    return out;
  }

  std::string StoredOrder() { return Join(HostProgram()->CategoryOrder()); }

  platform::Ref<host::OfflineProject> project;
};

}  // namespace mztest
