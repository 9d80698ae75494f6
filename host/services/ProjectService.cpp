#include "host/services/ProjectService.h"

#include <string>
#include <utility>
#include <vector>

#include "host/project/Block.h"
#include "host/project/Category.h"
#include "host/project/Documentation.h"
#include "host/project/HardwareConfig.h"
#include "host/project/NotificationHub.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFileReader.h"
#include "host/project/SymbolTable.h"
#include "host/project/VarTables.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace clsid = mzblprsx::clsid;

namespace {

[[noreturn]] void Invalid(std::string text) {
  throw platform::Error(platform::errc::kInvalidCall, std::move(text));
}

OfflineProject& TargetOf(const platform::Ref<platform::Object>& project, const char* operation) {
  if (!project) {
    throw platform::Error(platform::errc::kObjectNotSet,
                          std::string(operation) + ": no target project was given");
  }
  const auto offline = project.As<OfflineProject>();
  if (!offline) {
    Invalid(std::string(operation) + ": the target is a " + std::string(project->TypeName()) +
            ", not an offline project");
  }
  return *offline;
}

std::string ContentOf(mzblprsx::IRgDataObjectItem& item, const char* operation) {
  if (!item.HasData()) {
    Invalid(std::string(operation) + ": the transfer entry '" + item.ObjectID().ToString() +
            "' carries no content: it is only a reference");
  }
  return item.Data();
}

// The carried element as the one child of a project of its own, read as a file would be.
platform::Ref<OfflineProject> ReadCarriedChild(const std::string& element,
                                               const std::string& entry) {
  const std::string text =
      "<project name=\"carried\" guid=\"{00000000-0000-0000-0000-000000000000}\">" + element +
      "</project>";
  return ProjectFileReader::ReadProject(text, "transfer entry '" + entry + "'");
}

// Gives `target` the content of `carried` (same class), keeping the target object itself.
void TakeHardware(HardwareConfig& target, const HardwareConfig& carried) {
  target.SetName(carried.Name());
  target.SetLastModified(carried.LastModified());
  target.SetSize(carried.Size());
  target.SetState(carried.State());
  target.Extras() = carried.Extras();
}

void TakeDocument(ProjectObject& target, const ProjectObject& carried) {
  target.SetName(carried.Name());
  target.Extras() = carried.Extras();
  target.Touch();
}

// Replaces the project's own child of that class by the carried one's content, or adopts the
// carried one when the project has none. Answers the project's child.
template <class T>
platform::Ref<T> ReplaceChild(OfflineProject& target, const platform::Ref<T>& own,
                              OfflineProject& carrier, const platform::Ref<T>& carried,
                              void (*take)(T&, const T&)) {
  if (own) {
    take(*own, *carried);
    return own;
  }
  carrier.RemoveObject(*carried);
  target.AddObject(carried);
  return carried;
}

void TakeDocumentOf(Documentation& target, const Documentation& carried) {
  TakeDocument(target, carried);
}
void TakeDocumentOf(VarTables& target, const VarTables& carried) {
  TakeDocument(target, carried);
}

// Adds the carried symbols; a name that another address of the target holds stays out, since
// a name belongs to one address.
void MergeSymbols(SymbolTable& target, const SymbolTable& carried) {
  for (const SymbolTable::Symbol& symbol : carried.Symbols()) {
    const std::string owner = target.AddressOf(symbol.name);
    if (!owner.empty() && !platform::text::EqualsNoCase(owner, symbol.address)) continue;
    target.SetSymbol(symbol.address, symbol.name, symbol.extras);
  }
}

platform::Ref<SymbolTable> TakeSymbols(OfflineProject& target, OfflineProject& carrier) {
  const auto carried = carrier.Symbols();
  if (const auto own = target.Symbols()) {
    MergeSymbols(*own, *carried);
    return own;
  }
  carrier.RemoveObject(*carried);
  target.AddObject(carried);
  return carried;
}

// The target's category for a carried one: the default one for the default, else the one of
// the same name, else a new one.
platform::Ref<Category> JoinCategory(Program& target, const Program& carried,
                                     const Category& category) {
  if (category.Id() == carried.DefaultCategoryId() && target.DefaultCategoryId() != 0) {
    if (auto own = target.FindCategory(target.DefaultCategoryId())) return own;
  }
  if (auto own = target.FindCategoryByName(category.Name())) return own;
  auto created = platform::MakeObject<Category>(target.NextCategoryId(), category.Name());
  target.AddCategory(created);
  return created;
}

void MergeProgram(OfflineProject& target, OfflineProject& carrier) {
  const auto carried = carrier.Program();
  const auto own = target.Program();
  if (!own) {
    carrier.RemoveObject(*carried);
    target.AddObject(carried);
    return;
  }
  // Where each carried block goes, read before the blocks leave the carried program.
  std::vector<std::pair<platform::Ref<Block>, platform::Ref<Category>>> blocks;
  for (const auto& block : carried->Blocks()) {
    const auto category = block->OwnerCategory();
    blocks.emplace_back(block, category ? JoinCategory(*own, *carried, *category) : nullptr);
  }
  for (const auto& category : carried->Categories()) JoinCategory(*own, *carried, *category);
  {
    // One delivery for the whole program: the blocks that went (replaced) and came.
    NotificationBatch batch(*own);
    for (const auto& [block, category] : blocks) {
      carried->RemoveBlock(*block);
      if (const auto existing = own->FindBlock(block->Type(), block->Number())) {
        own->RemoveBlock(*existing);
      }
      own->AddBlock(block);
    }
  }
  // Listed after the delivery: a tree that placed the new blocks has had its say, the
  // framework's lists are what the project keeps.
  for (const auto& [block, category] : blocks) {
    if (category) category->InsertMember(block);
  }
}

}  // namespace

platform::Ref<mzblprsx::IRgObject> ProjectService::InsertObject(
    platform::Ref<platform::Object> project, platform::Ref<mzblprsx::IRgDataObjectItem> item) {
  OfflineProject& target = TargetOf(project, "InsertObject");
  if (!item) {
    throw platform::Error(platform::errc::kObjectNotSet, "InsertObject: no transfer entry");
  }
  const std::string classId = item->ClassID();
  const bool known = classId == clsid::kHwConfigOffline || classId == clsid::kSymbolTable ||
                     classId == clsid::kVarTables || classId == clsid::kDocumentation;
  if (!known) {
    Invalid("InsertObject: a transfer entry of class " + classId +
            " is no hardware configuration, symbol table, variable tables or documentation");
  }
  const std::string entry = item->ObjectID().ToString();
  const auto carrier = ReadCarriedChild(ContentOf(*item, "InsertObject"), entry);
  if (classId == clsid::kHwConfigOffline && carrier->Hardware()) {
    return ReplaceChild<HardwareConfig>(target, target.Hardware(), *carrier, carrier->Hardware(),
                                        &TakeHardware);
  }
  if (classId == clsid::kSymbolTable && carrier->Symbols()) return TakeSymbols(target, *carrier);
  if (classId == clsid::kVarTables && carrier->VarTables()) {
    return ReplaceChild<VarTables>(target, target.VarTables(), *carrier, carrier->VarTables(),
                                   &TakeDocumentOf);
  }
  if (classId == clsid::kDocumentation && carrier->Documentation()) {
    return ReplaceChild<Documentation>(target, target.Documentation(), *carrier,
                                       carrier->Documentation(), &TakeDocumentOf);
  }
  Invalid("InsertObject: the transfer entry '" + entry + "' does not carry what its class " +
          classId + " says");
}

platform::Ref<mzblprsx::IRgObject> ProjectService::InsertProject(
    platform::Ref<platform::Object> project, platform::Ref<mzblprsx::IRgDataObjectItem> item) {
  OfflineProject& target = TargetOf(project, "InsertProject");
  if (!item) {
    throw platform::Error(platform::errc::kObjectNotSet, "InsertProject: no transfer entry");
  }
  if (item->ClassID() != clsid::kProjectOffline) {
    Invalid("InsertProject: the transfer entry of class " + item->ClassID() +
            " is no offline project");
  }
  const auto carrier = ProjectFileReader::ReadProject(
      ContentOf(*item, "InsertProject"), "transfer entry '" + item->ObjectID().ToString() + "'");
  if (carrier->Hardware()) {
    ReplaceChild<HardwareConfig>(target, target.Hardware(), *carrier, carrier->Hardware(),
                                 &TakeHardware);
  }
  if (carrier->Symbols()) TakeSymbols(target, *carrier);
  if (carrier->VarTables()) {
    ReplaceChild<VarTables>(target, target.VarTables(), *carrier, carrier->VarTables(),
                            &TakeDocumentOf);
  }
  if (carrier->Documentation()) {
    ReplaceChild<Documentation>(target, target.Documentation(), *carrier, carrier->Documentation(),
                                &TakeDocumentOf);
  }
  if (carrier->Program()) MergeProgram(target, *carrier);
  return project.Cast<mzblprsx::IRgObject>();
}

}  // namespace host
