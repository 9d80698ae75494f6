// A project object that opens in an editor: it carries the framework document state (open,
// modified) that the library reads through IRgDocument and that the host's editors set.
//
// The document's modified flag is the editor's "unsaved edits" state; it is independent of the
// project's own modified flag, which follows changes of the object data (ProjectObject::Touch).
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "host/app/IHostDocument.h"
#include "host/project/ProjectObject.h"
#include "mzblprsx/interfaces/IRgDocument.h"

namespace host {

class ProjectDocument : public ProjectObject,
                        public virtual mzblprsx::IRgDocument,
                        public virtual IHostDocument {
 public:
  // IRgDocument
  bool IsOpen() override { return open_; }
  bool IsModified() override { return modified_; }
  /// The owner changed the document's content: the project has unsaved changes.
  void Commit() override { Touch(); }

  // IHostDocument: the host's editors set these.
  void SetOpen(bool open) override { open_ = open; }
  void SetModified(bool modified) override { modified_ = modified; }

 protected:
  ProjectDocument(std::string_view classId, std::string objectId, std::string name)
      : ProjectObject(classId, std::move(objectId), std::move(name)) {}

 private:
  bool open_ = false;
  bool modified_ = false;
};

}  // namespace host
