// Keeps each category object's block list in step with the offline tree: the library moves block
// items between category items (item mover) and inserts them (Items()->AddNew), and the category
// objects must then list the blocks in the tree's order, so that a saved and reloaded project
// shows the same tree.
//
//   auto model = platform::MakeObject<host::ProjectModel>();
//   host::CategorySync::Attach(model);    // for the model's whole life
//
// On ItemAdd of an item whose framework object is a block and whose parent item's object is a
// category of the same program, the block is listed in that category directly after the nearest
// earlier sibling that is a block of that category (at the front when there is none), taken out
// of the category that listed it before. A block already in that place changes nothing, so
// building the tree of a project leaves it unmodified. ItemRemove is ignored: a move is a remove
// and an add, a deleted block leaves its category itself, and taking a tree down must not change
// the project.
//
// Trap: the sync lives in the model's ItemAdd signal and holds the model weakly; it cannot be
// detached, and a model made without Attach (MakeObject) has none.
#pragma once

#include "host/model/ProjectModel.h"

namespace host {

class CategorySync : public virtual platform::Object {
 public:
  std::string_view TypeName() const override { return "CategorySync"; }

  /// Attaches a new sync to the model's ItemAdd event for as long as the model lives.
  static void Attach(const platform::Ref<ProjectModel>& model);

  /// Lists the item's block in its parent's category (see the file comment); anything else is
  /// ignored.
  void OnItemAdd(const platform::Ref<mzblprsx::RgProjectItem>& item);
};

}  // namespace host
