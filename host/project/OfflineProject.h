// The offline project (kProjectOffline): the project container that the project service opens,
// with its children in the fixed order hardware configuration, symbol table, variable tables,
// references, documentation, program (each optional), and the file object that saves it.
//
//   auto project = ProjectFile::LoadProject("conveyor.prj.xml");
//   project->Program()->FindBlockById("FB10");
//   project->FileObject()->Save(0);   // writes the file back when the project changed
//
// The object identifier and the container identifier are the project's GUID. A symbol table that
// comes or goes changes every block's symbol: the program then notifies 131072 as well.
#pragma once

#include <string>
#include <string_view>

#include "host/project/ProjectRoot.h"

namespace host {

class Documentation;
class HardwareConfig;
class Program;
class ProjectFileObject;
class References;
class SymbolTable;
class VarTables;

class OfflineProject : public ProjectRoot {
 public:
  OfflineProject(std::string guid, std::string name);

  std::string_view TypeName() const override { return "OfflineProject"; }

  /// The project's file; created on first use, one per project.
  platform::Ref<ProjectFileObject> FileObject();

  // The children; nothing for each one the project does not have.
  platform::Ref<HardwareConfig> Hardware() const;
  platform::Ref<SymbolTable> Symbols() const;
  platform::Ref<host::VarTables> VarTables() const;
  platform::Ref<host::References> References() const;
  platform::Ref<host::Documentation> Documentation() const;
  platform::Ref<host::Program> Program() const;

 protected:
  void OnChildrenChanged(ProjectObject& child) override;

 private:
  platform::Ref<ProjectFileObject> fileObject_;
};

}  // namespace host
