#include "host/framework/CategorySync.h"

#include "host/model/ProjectItem.h"
#include "host/project/Block.h"
#include "host/project/Category.h"
#include "host/project/Program.h"
#include "platform/CachedQuery.h"

namespace host {

void CategorySync::Attach(const platform::Ref<ProjectModel>& model) {
  auto sync = platform::MakeObject<CategorySync>();
  // The slot owns the sync and the model owns the slot; the connection is never ended by hand.
  static_cast<void>(
      model->ItemAdd().Connect([sync](const platform::Ref<mzblprsx::RgProjectItem>& item, int32_t) {
        sync->OnItemAdd(item);
      }));
}

void CategorySync::OnItemAdd(const platform::Ref<mzblprsx::RgProjectItem>& item) {
  // Follows every item a tree adds: the interface queries are answered per class.
  const auto nodeRef = platform::CachedQuery<ProjectItem>(item);
  const ProjectItem* node = nodeRef.Get();
  if (node == nullptr) return;
  const auto block = platform::CachedQuery<Block>(node->FrameworkObject());
  const ProjectItem* parent = node->ParentNode();
  if (!block || block->Online() || parent == nullptr || parent->IsHiddenRoot()) return;
  const auto category = platform::CachedQuery<Category>(parent->FrameworkObject());
  const auto program = block->OwnerProgram();
  if (!category || !program || !SameObject(program, category->OwnerProgram())) return;

  // Mostly the sibling right before is the one: appending and moving next to a block both
  // leave it there, so this walk is short.
  const Block* after = nullptr;
  for (size_t i = node->Position(); i-- > 0;) {
    const auto sibling = platform::CachedQuery<Block>(parent->ChildAt(i)->FrameworkObject());
    if (sibling && SameObject(sibling->OwnerCategory(), category)) {
      after = sibling.Get();
      break;
    }
  }
  category->InsertMemberAfter(block, after);
}

}  // namespace host
