#include "mzblprsx/models/RgProjectFactoryOffline.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgCategory.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"
#include "mzblprsx/interfaces/IRgFileObject.h"
#include "mzblprsx/interfaces/IRgProgram.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/HandlerClasses.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"

namespace mzblprsx {
namespace {

// Which handler serves which framework object class in the offline tree.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kHandlers{{
    {clsid::kProjectOffline, "RgPrjHandlerProjectOffline"},
    {clsid::kHwConfigOffline, "RgPrjHandlerHwConfigOffline"},
    {clsid::kSymbolTable, "RgPrjHandlerSymbolTable"},
    {clsid::kVarTables, "RgPrjHandlerVarTables"},
    {clsid::kProgramOffline, "RgPrjHandlerProgramOffline"},
    {clsid::kBlockOffline, "RgPrjHandlerBlockOffline"},
    {clsid::kCategory, "RgPrjHandlerCategory"},
    {clsid::kGhostOffline, "RgPrjHandlerGhostBlock"},
    {clsid::kDocumentation, "RgPrjHandlerDocumentation"},
    {clsid::kReferences, "RgPrjHandlerReferences"},
}};

// The project's children, in the order the tree shows them.
constexpr std::array<std::string_view, 6> kProjectChildren{
    clsid::kHwConfigOffline, clsid::kSymbolTable,   clsid::kVarTables,
    clsid::kReferences,      clsid::kDocumentation, clsid::kProgramOffline,
};

/// The key of a framework object in the fill's sets: class identifier and object identifier.
std::string KeyOf(std::string_view classId, const std::string& objectId) {
  std::string key;
  key.reserve(classId.size() + 1 + objectId.size());
  key.append(classId).append("|").append(objectId);
  return key;
}

}  // namespace

/// The program's blocks not yet placed in the tree: in the program's order, with constant-time
/// lookup and removal by object identifier, so that a large program fills in linear time.
/// The index is one open-addressed array of positions beside the identifiers, not a node per
/// block: a large program's fill made and dropped tens of thousands of nodes, and each lookup
/// read a node far from the last.
class RgProjectFactoryOffline::BlockSet {
 public:
  explicit BlockSet(std::vector<Ref<IRgObject>> blocks)
      : blocks_(std::move(blocks)), ids_(blocks_.size()) {
    // Categories list offline blocks only, so only those are looked up (by object identifier);
    // a block of another class is placed with the remaining ones.
    size_t slots = 16;
    while (slots < 2 * blocks_.size()) slots *= 2;
    slots_.assign(slots, 0);
    for (size_t i = 0; i < blocks_.size(); ++i) {
      if (blocks_[i]->ClassID() != clsid::kBlockOffline) {
        ++unindexed_;
        continue;
      }
      ids_[i] = blocks_[i]->ObjectID();
      uint32_t& slot = SlotOf(ids_[i]);
      if (slot != 0) continue;  // a second block of that identifier is never taken singly
      slot = static_cast<uint32_t>(i + 1);
      ++indexed_;
    }
  }
  /// Takes the offline block of that object identifier out of the set; nothing when it is not
  /// (or no longer) there.
  Ref<IRgObject> Take(const std::string& objectId) {
    const uint32_t slot = SlotOf(objectId);
    if (slot == 0 || !blocks_[slot - 1]) return {};
    --indexed_;
    return std::move(blocks_[slot - 1]);
  }
  bool Empty() const { return indexed_ == 0 && unindexed_ == 0; }
  /// Takes every block still in the set, in the program's order.
  std::vector<Ref<IRgObject>> TakeRemaining() {
    std::vector<Ref<IRgObject>> result;
    result.reserve(indexed_ + unindexed_);
    for (Ref<IRgObject>& block : blocks_) {
      if (block) result.push_back(std::move(block));
    }
    blocks_.clear();
    ids_.clear();
    slots_.assign(slots_.size(), 0);  // a later Take finds nothing
    indexed_ = 0;
    unindexed_ = 0;
    return result;
  }

 private:
  /// The slot that holds the identifier's position + 1, or the free slot (0) where it would go.
  uint32_t& SlotOf(std::string_view objectId) {
    const size_t mask = slots_.size() - 1;
    const size_t hash = std::hash<std::string_view>{}(objectId);
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
      uint32_t& slot = slots_[at];
      if (slot == 0 || ids_[slot - 1] == objectId) return slot;
    }
  }

  std::vector<Ref<IRgObject>> blocks_;  // taken ones are nothing
  std::vector<std::string> ids_;        // the offline blocks' object identifiers
  std::vector<uint32_t> slots_;         // positions + 1 by identifier hash; at most half used
  size_t indexed_ = 0;                  // offline blocks that can still be taken
  size_t unindexed_ = 0;                // blocks of other classes, never taken singly
};

Ref<Object> RgProjectFactoryOffline::P_GetHandlerObject(const Ref<IRgObject>& object) {
  Ref<Object> result;
  Guard(*this, "P_GetHandlerObject", [&] {
    // Taken as IRgObject: converting every block of a large program again would cost a
    // dynamic cast each.
    const std::string classId = object->ClassID();
    for (const auto& [objectClass, handlerClass] : kHandlers) {
      if (classId == objectClass) {  // exact, case-sensitive, braces included
        result = CreateHandler(handlerClass);
        return;
      }
    }
  });
  return result;
}

Ref<RgProjectItem> RgProjectFactoryOffline::AddProject(Ref<RgProjectModel> model,
                                                       Ref<Object> project) {
  Ref<RgProjectItem> result;
  Guard(*this, "IRgProjectModelFactory_AddProject", [&] {
    if (!model || !project) return;
    TraceCall(1, kTypeName, "IRgProjectModelFactory_AddProject");
    const Ref<RgProjectItem> item = model->Items()->AddNew(project, nullptr, nullptr);
    result = item;
    P_FillProjectItems(item);
    const auto snapIn = model->Owner().Cast<RgProjectSnapin>();
    const std::string title = item->Data()->Value("DISPLAY_TITLE", Variant("")).ToString();
    snapIn->Application()->SetMainWindowExtension(title);
  });
  return result;
}

void RgProjectFactoryOffline::InitializeItem(Ref<RgProjectItem> item, Ref<Object> object) {
  Guard(*this, "IRgProjectModelFactory_InitializeItem", [&] {
    const Ref<IRgObject> framework = AsFrameworkObject(object);  // not one: no handler
    if (!item || !framework) return;
    const Ref<Object> handler = P_GetHandlerObject(framework);
    if (handler) AttachHandler(item, handler, framework);
  });
}

void RgProjectFactoryOffline::TerminateItem(Ref<RgProjectItem> item) {
  Guard(*this, "IRgProjectModelFactory_TerminateItem", [&] {
    if (item) DetachHandler(item);
  });
}

void RgProjectFactoryOffline::RemoveProject(Ref<RgProjectModel> model, Ref<Object> project) {
  Guard(*this, "IRgProjectModelFactory_RemoveProject", [&] {
    if (!model || !project) return;
    TraceCall(1, kTypeName, "IRgProjectModelFactory_RemoveProject");
    const Ref<RgProjectItemList> list = model->ItemList();
    if (list->Find(find_by::kObject, Variant(project))) {
      const Ref<RgProjectItem> item = list->FoundItem();
      item->Items()->Clear();
      model->Items()->Remove(item);
    }
    if (model->Items()->Count() == 0) {
      model->Owner().Cast<RgProjectSnapin>()->Application()->SetMainWindowExtension("");
    }
  });
}

void RgProjectFactoryOffline::RefreshProject(Ref<RgProjectModel> model, Ref<Object> project) {
  Guard(*this, "IRgProjectModelFactory_RefreshProject", [&] {
    if (!model || !project) return;
    TraceCall(3, kTypeName, "RefreshProject");
    RemoveProject(model, project);
    AddProject(model, project);
    model->ItemList()->Find(find_by::kObject, Variant(project));
  });
}

void RgProjectFactoryOffline::P_FillProjectItems(Ref<RgProjectItem> projectItem) {
  Guard(*this, "P_FillProjectItems", [&] {
    const Ref<IRgProjectItemHandler> projectHandler = projectItem->Handler();
    const Ref<IRgProjectContainer> container =
        projectHandler ? projectHandler->Object().As<IRgProjectContainer>() : nullptr;
    if (container) {
      const Ref<IRgObjectList> children = container->Objects();
      for (const std::string_view classId : kProjectChildren) {
        const Ref<IRgObject> child = children->FindByClass(std::string(classId));
        if (!child) continue;  // the project has no such child
        const Ref<RgProjectItem> childItem = projectItem->Items()->AddNew(child, nullptr, nullptr);
        if (classId == clsid::kProgramOffline) {
          P_FillProgramItems(childItem);
          if (const auto handler = childItem->Handler()) handler->Refresh();
        }
      }
    }
    if (projectHandler) projectHandler->Refresh();
  });
}

void RgProjectFactoryOffline::P_FillProgramItems(Ref<RgProjectItem> programItem) {
  Guard(*this, "P_FillProgramItems", [&] {
    const auto snapIn = programItem->Model()->Owner().Cast<RgProjectSnapin>();
    const Ref<RgProjectServices> services = snapIn->Services();
    const auto categoryService =
        services->RgCategoryService(RgProjectLocationOffline).Cast<IRgCategoryService>();
    const auto blockService =
        services->RgBlockService(RgProjectLocationOffline).Cast<IRgBlockService>();
    const auto programHandler = programItem->HandlerObject().Cast<RgPrjHandlerProgramOffline>();
    const Ref<IRgObject> program = programHandler->Object();
    const std::vector<std::string> order = programHandler->GetCategoryOrder();

    std::vector<Ref<IRgObject>> categories = categoryService->Categories(program);
    std::unordered_map<std::string, size_t> categoryIndex;
    categoryIndex.reserve(categories.size());
    for (size_t i = 0; i < categories.size(); ++i) {
      categoryIndex.emplace(KeyOf(clsid::kCategory, categories[i]->ObjectID()), i);
    }
    BlockSet blocks(blockService->Blocks());
    int32_t defaultId = program.Cast<IRgProgram>()->DefaultCategoryID();
    const Ref<RgProjectItems> children = programItem->Items();

    // Every program has a default category: it holds the blocks that no category names, and
    // every edit that hands blocks over (deleting a category) needs it. A program without one,
    // or whose default has gone, gets it from the category service, which makes it the
    // program's default; it is stored in the order too, so that it stays first.
    bool changed = false;
    if (categoryIndex.count(KeyOf(clsid::kCategory, std::to_string(defaultId))) == 0) {
      const Ref<IRgObject> created = categoryService->CreateDefaultCategory(program);
      children->AddNew(created, children->First(), nullptr);
      defaultId = program.Cast<IRgProgram>()->DefaultCategoryID();
      changed = true;
    }

    std::vector<bool> named(categories.size(), false);
    for (const std::string& id : order) {
      if (id.empty()) continue;
      const auto it = categoryIndex.find(KeyOf(clsid::kCategory, id));
      if (it == categoryIndex.end() || named[it->second]) continue;
      named[it->second] = true;
      const Ref<IRgObject>& category = categories[it->second];
      P_FillCategoryItems(blocks, children->AddNew(category, nullptr, nullptr), category, false);
    }
    for (size_t i = 0; i < categories.size(); ++i) {
      if (named[i]) continue;
      P_FillCategoryItems(blocks, children->AddNew(categories[i], nullptr, nullptr), categories[i],
                          false);
      changed = true;
    }

    // Blocks that no category lists join the default category: the program changed only when
    // there are such blocks, so that opening an unchanged project does not save it.
    if (defaultId > 0 && !blocks.Empty()) {
      if (const Ref<RgProjectItem> defaultItem = programHandler->GetDefaultCategory()) {
        P_FillCategoryItems(blocks, defaultItem, defaultItem->Handler()->Object(), true);
        changed = true;
      }
    }

    if (changed) {
      programItem->Handler()->Save();
      const auto file =
          snapIn->Projects()->Project(RgProjectLocationOffline)->FileObject().Cast<IRgFileObject>();
      if (file && file->IsModified()) file->Save(0);
    }
  });
}

void RgProjectFactoryOffline::P_FillCategoryItems(BlockSet& blocks,
                                                  const Ref<RgProjectItem>& categoryItem,
                                                  const Ref<IRgObject>& category,
                                                  bool remainingBlocks) {
  Guard(*this, "P_FillCategoryItems", [&] {
    const Ref<RgProjectItems> items = categoryItem->Items();
    if (remainingBlocks) {
      for (const Ref<IRgObject>& block : blocks.TakeRemaining()) {
        items->AddNew(block, nullptr, nullptr);
      }
      return;
    }
    for (const std::string& id : category.Cast<IRgCategory>()->BlockIDs()) {
      if (const Ref<IRgObject> block = blocks.Take(id)) {
        items->AddNew(block, nullptr, nullptr);
      }
    }
  });
}

}  // namespace mzblprsx
