#include "host/framework/ObjectFinder.h"

#include "host/project/Block.h"
#include "host/project/Category.h"
#include "host/project/IProgramSource.h"
#include "host/project/MMCFile.h"
#include "host/project/MemoryCard.h"
#include "host/project/ObjectList.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectRoot.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace clsid = mzblprsx::clsid;

namespace {

bool Names(ProjectObject& object, const std::string& name) {
  return object.ObjectID() == name || platform::text::EqualsNoCase(object.DisplayName(), name);
}

platform::Ref<Program> ProgramOfRoot(ProjectRoot& root) {
  if (auto* project = dynamic_cast<OfflineProject*>(&root)) return project->Program();
  if (auto* plc = dynamic_cast<PlcProject*>(&root)) return plc->Program();
  return {};
}

}  // namespace

void ObjectFinder::Bind(platform::Ref<platform::Object> container) {
  if (!container) {
    throw platform::Error(platform::errc::kObjectNotSet, "Bind: no container was given");
  }
  platform::Ref<Program> program = container.As<Program>();
  if (!program) {
    if (const auto source = container.As<IProgramSource>()) program = source->SourceProgram();
  }
  const auto root = container.As<ProjectRoot>();
  if (!program && !root) {
    throw platform::Error(
        platform::errc::kTypeMismatch,
        "Bind: a " + std::string(container->TypeName()) + " is neither a program nor a project");
  }
  program_ = program;
  root_ = root;
}

platform::Ref<mzblprsx::IRgObject> ObjectFinder::Find(const std::string& classId,
                                                      const std::string& name) {
  if (!program_ && !root_) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "Find: the object finder is bound to nothing (Bind comes first)");
  }
  if (root_) return FindInRoot(*root_, classId, name);
  return FindInProgram(*program_, classId, name);
}

platform::Ref<mzblprsx::IRgObject> ObjectFinder::FindInProgram(Program& program,
                                                               const std::string& classId,
                                                               const std::string& name) const {
  if (classId == program.ClassId()) {
    return Names(program, name) ? platform::Self<mzblprsx::IRgObject>(&program) : nullptr;
  }
  if (classId == (program.Online() ? clsid::kBlockOnline : clsid::kBlockOffline)) {
    return program.FindBlockById(name);  // a block's display name is its object identifier
  }
  if (program.Online() && classId == clsid::kBlockOffline) {
    // A project block named in the PLC is the PLC's block of that name: what a download of it
    // would overwrite (and whose open editor the download must not overwrite).
    return program.FindBlockById(name);
  }
  if (classId == clsid::kCategory && !program.Online()) {
    if (auto category = program.FindCategoryById(name)) return category;
    for (const auto& category : program.Categories()) {
      if (Names(*category, name)) return category;
    }
  }
  return {};
}

platform::Ref<mzblprsx::IRgObject> ObjectFinder::FindInRoot(ProjectRoot& root,
                                                            const std::string& classId,
                                                            const std::string& name) const {
  if (classId == root.ClassId()) {
    return Names(root, name) ? platform::Self<mzblprsx::IRgObject>(&root) : nullptr;
  }
  if (classId == clsid::kMMCFile) {
    auto* plc = dynamic_cast<PlcProject*>(&root);
    const auto card = plc ? plc->MemoryCard() : nullptr;
    return card ? card->FindFile(name) : nullptr;
  }
  if (const auto child = root.Children()->Find(classId)) {
    return Names(*child, name) ? child : nullptr;
  }
  const auto program = ProgramOfRoot(root);
  return program ? FindInProgram(*program, classId, name) : nullptr;
}

}  // namespace host
