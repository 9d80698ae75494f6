// The framework's object finder (clsid::kObjectFinder): finds a framework object of a program or
// a project by its class identifier and its object identifier or display name.
//
//   auto finder = platform::CreateObjectAs<mzblprsx::IRgObjectFinder>(clsid::kObjectFinder);
//   finder->Bind(program);
//   auto fb10 = finder->Find(std::string(clsid::kBlockOffline), "FB10");   // nothing: none
//
// Bound to a program it finds the program, its blocks and its categories; bound to a project (or
// the PLC) also the project itself, its children and the files of the PLC's memory card.
// Class identifiers compare as exact texts. Object identifiers compare exactly except block
// names, whose letters may be in any case ("fb10"); display names compare without regard to
// case. Blocks and memory card files are found in constant time. Bound to the PLC, a project
// block's class finds the PLC's block of that name (the one a download of it would replace).
//
// Trap: the finder holds what it is bound to until it is bound again or released.
#pragma once

#include <string>

#include "mzblprsx/interfaces/IRgObjectFinder.h"

namespace host {

class Program;
class ProjectObject;
class ProjectRoot;

class ObjectFinder : public mzblprsx::IRgObjectFinder {
 public:
  std::string_view TypeName() const override { return "ObjectFinder"; }

  /// Binds to a program, a block service bound to one, a project or the PLC. Error 91 for
  /// nothing, 13 for any other object.
  void Bind(platform::Ref<platform::Object> container) override;
  /// Nothing when there is no such object. Error 5 when the finder is bound to nothing.
  platform::Ref<mzblprsx::IRgObject> Find(const std::string& classId,
                                          const std::string& name) override;

 private:
  platform::Ref<mzblprsx::IRgObject> FindInProgram(Program& program, const std::string& classId,
                                                   const std::string& name) const;
  platform::Ref<mzblprsx::IRgObject> FindInRoot(ProjectRoot& root, const std::string& classId,
                                                const std::string& name) const;

  platform::Ref<Program> program_;
  platform::Ref<ProjectRoot> root_;
};

}  // namespace host
