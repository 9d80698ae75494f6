// The host's project service: opening and closing of the offline project, and taking carried
// objects (a pasted hardware configuration, symbol table, variable tables, documentation or a
// whole project) into it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgDataObjectItem;
class IRgObject;

class IRgProjectService : public virtual platform::Object {
 public:
  /// (file object, project object)
  virtual platform::Signal<Ref<Object>, Ref<Object>>& Open() = 0;
  virtual platform::Signal<Ref<Object>, Ref<Object>>& Close() = 0;

  /// Takes a carried hardware configuration, symbol table, variable tables or documentation
  /// into the offline project. The first, third and fourth replace the project's own (whose
  /// object stays, with the carried content, so that views keep showing it) or are added when
  /// the project has none; a symbol table is merged (a carried name that another address holds
  /// is left out). Answers the project's object. Fails for another class, for an entry without
  /// content, and for a target that is no offline project; the project is then unchanged.
  virtual Ref<IRgObject> InsertObject(Ref<Object> project, Ref<IRgDataObjectItem> item) = 0;
  /// Merges a carried whole project into the offline project: its hardware configuration,
  /// variable tables and documentation as InsertObject; its symbols merged; its categories
  /// joined by name (a carried default category joins the target's default category); its
  /// blocks added, a block of a type and number the target holds being replaced, each listed
  /// by its category. The listing is framework data: a tree built on the project must be
  /// refreshed afterwards. Answers the project. Fails as InsertObject.
  virtual Ref<IRgObject> InsertProject(Ref<Object> project, Ref<IRgDataObjectItem> item) = 0;
};

}  // namespace mzblprsx
