// The offline stream handler's inserters: the received objects go into the project in a fixed
// order (project children, categories, blocks).
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"

#include <vector>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOffline.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgBlockSymbol.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectFinder.h"
#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgProjectService.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "mzblprsx/models/RgProjects.h"
#include "mzblprsx/streaming/RgObjectStreamItem.h"
#include "mzblprsx/streaming/RgObjectStreamItems.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOfflineShared.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"

namespace mzblprsx {

using offline_stream::HasBit;
using offline_stream::MovedKey;

// ---- Receiving: inserting ---------------------------------------------------------------------

bool RgPrjStreamHandlerOffline::InsertObjects(Ref<RgObjectStreamItems>& items, int32_t action,
                                              Ref<RgProjectItem>& position, int32_t source) {
  bool result = false;
  Guard(*this, "InsertObjects", [&] {
    bool offline = false;
    bool online = false;
    const Ref<IRgDataObject> dataObject = items->DataObject();
    if (dataObject) parent_->GetObjectLocations(dataObject, offline, online);
    blockInserted_ = false;
    blockCategory_.clear();
    categoryTail_.clear();
    if (online) {
      result = UploadObjects(items, position);
      return;
    }
    result = true;
    if (!offline) return;  // everything was cancelled: nothing to do is no failure
    if (items->GetObjectTypeCount(std::string(clsid::kProjectOffline)) > 0) {
      result = InsertProject(items);
      return;
    }
    const auto has = [&](std::string_view classId) {
      return items->GetObjectTypeCount(std::string(classId)) > 0;
    };
    if (result && has(clsid::kHwConfigOffline)) result = InsertHwConfig(items);
    if (result && has(clsid::kSymbolTable)) result = InsertSymbolTable(items);
    if (result && has(clsid::kVarTables)) result = P_InsertVarTableItems(items);
    if (result && has(clsid::kDocumentation)) result = InsertDocumentation(items);
    // Categories first, so that the blocks they list have their place.
    if (result && has(clsid::kCategory)) result = InsertCategories(items, action, position, source);
    if (result && has(clsid::kBlockOffline)) result = InsertBlocks(items, action, position, source);
  });
  blockCategory_.clear();
  categoryTail_.clear();
  return result;
}

bool RgPrjStreamHandlerOffline::UploadObjects(const Ref<RgObjectStreamItems>& items,
                                              const Ref<RgProjectItem>& position) {
  bool result = false;
  Guard(*this, "UploadObjects", [&] {
    const Ref<IRgDataObject> dataObject = items->DataObject();
    if (!dataObject) return;
    const std::string xml = P_GetLoadXML(dataObject);
    if (xml.empty()) return;
    // The framework reports the uploaded blocks it creates to the program handler, which places
    // them at its CreateBlockPosition.
    const Ref<RgProjectItem> programItem = P_GetProgramObject(position);
    const auto program =
        programItem ? programItem->HandlerObject().As<RgPrjHandlerProgramOffline>() : nullptr;
    if (program) program->SetCreateBlockPosition(position);
    uploadProgram_ = program;
    struct ResetPosition {
      RgPrjStreamHandlerOffline& handler;
      ~ResetPosition() {
        if (handler.uploadProgram_) handler.uploadProgram_->SetCreateBlockPosition(nullptr);
        handler.uploadProgram_.Reset();
      }
    } reset{*this};
    result = P_Load(xml, parent_->ProjectSnapIn()->OfflineModel());
  });
  return result;
}

void RgPrjStreamHandlerOffline::P_ItemLoaded(const Ref<RgProjectItem>& item) {
  if (uploadProgram_ && offline_stream::IsBlockItem(item)) {
    uploadProgram_->SetCreateBlockPosition(item);
  }
}

Ref<RgProjectItem> RgPrjStreamHandlerOffline::P_GetProgramObject(
    const Ref<RgProjectItem>& position) {
  Ref<RgProjectItem> result;
  Guard(*this, "P_GetProgramObject", [&] {
    for (Ref<RgProjectItem> item = position; item; item = item->Parent()) {
      if (item->HandlerObject().As<RgPrjHandlerProgramOffline>()) {
        result = item;
        return;
      }
    }
    result = P_GetProgramItem();
  });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertProject(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertProject", [&] {
    const Ref<Object> container = P_OfflineContainer();
    const auto service =
        parent_->ProjectSnapIn()->Services()->RgProjectService().Cast<IRgProjectService>();
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(clsid::kProjectOffline))->NewEnum()) {
      service->InsertProject(container, item->DataObjectItem());
    }
    // The merged blocks are listed by their categories in the framework; the tree reads them
    // anew from there.
    parent_->ProjectSnapIn()->Projects()->RefreshModel(RgProjectLocationOffline);
    P_AddInserted(P_ItemOf(container));
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_InsertProjectChildren(const Ref<RgObjectStreamItems>& items,
                                                        std::string_view classId) {
  bool result = false;
  Guard(*this, "P_InsertProjectChildren", [&] {
    const Ref<Object> container = P_OfflineContainer();
    const auto service =
        parent_->ProjectSnapIn()->Services()->RgProjectService().Cast<IRgProjectService>();
    const Ref<RgProjectItem> projectItem = P_ItemOf(container);
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(classId))->NewEnum()) {
      const Ref<IRgObject> object = service->InsertObject(container, item->DataObjectItem());
      Ref<RgProjectItem> shown = P_ItemOf(object);
      if (!shown && projectItem) {
        // A child the project did not have yet: shown at its place in the project's order.
        const Ref<IRgObjectList> objects = container.Cast<IRgProjectContainer>()->Objects();
        Ref<RgProjectItem> before;
        bool passed = false;
        for (int32_t i = 1; i <= objects->Count() && !before; ++i) {
          const Ref<IRgObject> child = objects->Item(i);
          if (platform::SameObject(child, object)) {
            passed = true;
          } else if (passed) {
            before = P_ItemOf(child);
          }
        }
        shown = projectItem->Items()->AddNew(object, before, nullptr);
      }
      P_AddInserted(shown);
    }
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertHwConfig(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertHwConfig",
        [&] { result = P_InsertProjectChildren(items, clsid::kHwConfigOffline); });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertSymbolTable(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertSymbolTable",
        [&] { result = P_InsertProjectChildren(items, clsid::kSymbolTable); });
  return result;
}

bool RgPrjStreamHandlerOffline::P_InsertVarTableItems(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertVarTables",
        [&] { result = P_InsertProjectChildren(items, clsid::kVarTables); });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertVarTables(const Ref<IRgDataObject>& dataObject, bool silent) {
  bool result = false;
  const auto body = [&] {
    auto items = platform::MakeObject<RgObjectStreamItems>();
    items->AttachDataObject(dataObject);
    result = P_InsertVarTableItems(items);
  };
  if (!silent) {
    Guard(*this, "InsertVarTables", body);
    return result;
  }
  try {
    body();
  } catch (...) {  // silent: the caller only wants to know whether it worked
    result = false;
  }
  return result;
}

bool RgPrjStreamHandlerOffline::InsertDocumentation(const Ref<RgObjectStreamItems>& items) {
  bool result = false;
  Guard(*this, "InsertDocumentation",
        [&] { result = P_InsertProjectChildren(items, clsid::kDocumentation); });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertCategories(const Ref<RgObjectStreamItems>& items,
                                                 int32_t action, const Ref<RgProjectItem>& position,
                                                 int32_t source) {
  bool result = false;
  Guard(*this, "InsertCategories", [&] {
    // New categories follow each other in the transfer's order, after the position's category.
    Ref<RgProjectItem> place = P_CategoryPosition(position);
    result = true;
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(clsid::kCategory))->NewEnum()) {
      Ref<RgProjectItem> created;
      result = P_InsertCategory(item, source, action, place, created);
      if (!result) return;
      if (!created) continue;
      const int32_t done = item->Action();
      if (done != RgDataObjectItemActionIgnore && done != RgDataObjectItemActionIgnoreAll) {
        P_AddInserted(created);
        place = created;
      }
      // The blocks the category listed in its project go into it here.
      const std::string marker = item->DataObjectItem()->MarkerText();
      std::string_view list = marker;
      while (!list.empty()) {
        const size_t end = list.find(';');
        const std::string_view name = list.substr(0, end);
        if (!name.empty()) blockCategory_[platform::text::FoldCase(name)] = created;
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
      }
    }
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_InsertCategory(const Ref<RgObjectStreamItem>& item,
                                                 int32_t source, int32_t action,
                                                 Ref<RgProjectItem>& position,
                                                 Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_InsertCategory", [&] {
    const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
    const bool same = HasBit(source, RgStreamDataSourceSameApplication);
    if (same && action == RgStreamServiceDataActionMove) {
      // Within this project the category itself changes place.
      const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
      finder->Bind(P_TargetProgram());
      const Ref<IRgObject> category =
          finder->Find(std::string(clsid::kCategory), entry->ObjectID().ToString());
      result = category && P_MoveCategory(category, position, newItem);
      if (result) movedInPlace_.insert(MovedKey(clsid::kCategory, category->ObjectID()));
      return;
    }
    switch (item->Action()) {
      case RgDataObjectItemActionInsert:
        result = P_CreateCategory(entry->Name(), position, newItem);
        break;
      case RgDataObjectItemActionRename:
        result = P_CreateCategory(P_ItemData(item)->Value("NAME").ToString(), position, newItem);
        break;
      case RgDataObjectItemActionOverwrite:
      case RgDataObjectItemActionOverwriteAll: {
        const CategoryContext& context = P_GetCategoryContext();
        if (!same) {
          // The received category takes the place of the one of its name; a new category is
          // already where it belongs.
          result = P_ReplaceCategory(entry->Name(), position, newItem);
          break;
        }
        const Ref<IRgObject> existing =
            context.service->FindCategory(context.program, entry->Name());
        result = existing && P_MoveCategory(existing, position, newItem);
        break;
      }
      case RgDataObjectItemActionIgnore:
      case RgDataObjectItemActionIgnoreAll:
        result = P_FindCategory(entry->Name(), newItem);
        break;
      default:
        result = true;
        break;
    }
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_CreateCategory(const std::string& name,
                                                 Ref<RgProjectItem>& position,
                                                 Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_CreateCategory", [&] {
    const CategoryContext& context = P_GetCategoryContext();
    std::string free = name;
    if (free.empty()) {
      free = context.service->UniqueName(context.program,
                                         parent_->ProjectSnapIn()->GetStaticText(kTextNewCategory));
    } else {
      // Two received categories may share a name; the second gets a free one.
      free = context.service->ProposeCategoryName(context.program, name);
    }
    const Ref<IRgObject> category = context.service->CreateCategory(context.program, free, 0);
    if (!category) return;
    newItem = P_GetProgramHandler()->AddCategory(category, position);
    result = static_cast<bool>(newItem);
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_MoveCategory(const Ref<IRgObject>& category,
                                               Ref<RgProjectItem>& position,
                                               Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_MoveCategory", [&] {
    Ref<RgProjectItem> item = P_ItemOf(category);
    if (!item) return;
    if (!platform::SameObject(item, position)) {
      P_GetProgramHandler()->MoveCategory(item, position);
    }
    newItem = item;
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_ReplaceCategory(const std::string& name,
                                                  Ref<RgProjectItem>& position,
                                                  Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_ReplaceCategory", [&] {
    const CategoryContext& context = P_GetCategoryContext();
    const Ref<IRgObject> existing = context.service->FindCategory(context.program, name);
    if (existing) {
      // A category the position stands on is going away: place the new one where it was.
      const Ref<RgProjectItem> existingItem = P_ItemOf(existing);
      if (existingItem && platform::SameObject(existingItem, position)) {
        position = P_GetProgramHandler()->GetDefaultCategory();
        const Ref<RgProjectItems> siblings = existingItem->Parent()->Items();
        const int32_t at = siblings->IndexOf(existingItem);
        if (at > 1) position = siblings->Item(at - 1);
      }
      if (!P_DeleteCategory(existing)) return;
    }
    result = P_CreateCategory(name, position, newItem);
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_DeleteCategory(const Ref<IRgObject>& category) {
  bool result = false;
  Guard(*this, "P_DeleteCategory", [&] {
    std::vector<std::string> ids{category->ObjectID()};
    result = P_GetProgramHandler()->DeleteCategories(ids);
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_FindCategory(const std::string& name,
                                               Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_FindCategory", [&] {
    const CategoryContext& context = P_GetCategoryContext();
    const Ref<IRgObject> existing = context.service->FindCategory(context.program, name);
    if (existing) newItem = P_ItemOf(existing);
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::InsertBlocks(const Ref<RgObjectStreamItems>& items, int32_t action,
                                             const Ref<RgProjectItem>& position, int32_t source) {
  bool result = false;
  Guard(*this, "InsertBlocks", [&] {
    if (!targetProgram_) targetProgram_ = P_TargetProgram();
    const bool moveInPlace = action == RgStreamServiceDataActionMove &&
                             HasBit(source, RgStreamDataSourceSameApplication);
    // Blocks follow each other in the transfer's order: each goes below the one before it.
    Ref<RgProjectItem> place = position;
    result = true;
    for (const Ref<RgObjectStreamItem>& item :
         items->GetItemsByObjectType(std::string(clsid::kBlockOffline))->NewEnum()) {
      const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
      // A block that a received category lists goes into that category.
      Ref<RgProjectItem>* target = &place;
      const auto listed =
          blockCategory_.find(platform::text::FoldCase(entry->ObjectID().ToString()));
      if (listed != blockCategory_.end()) {
        auto [tail, fresh] =
            categoryTail_.try_emplace(platform::Identity(listed->second), listed->second);
        target = &tail->second;
      }
      Ref<RgProjectItem> created;
      if (moveInPlace) {
        result = P_MoveBlock(entry, *target, created);
        if (result) {
          movedInPlace_.insert(MovedKey(clsid::kBlockOffline, entry->ObjectID().ToString()));
        }
      } else {
        result = P_InsertBlock(item, source, *target, created);
      }
      if (!result) break;
      const int32_t done = item->Action();
      if (created && done != RgDataObjectItemActionIgnore &&
          done != RgDataObjectItemActionIgnoreAll) {
        P_AddInserted(created);
        *target = created;
      }
      blockInserted_ = true;
    }
    P_RefreshCompareStates();
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_InsertBlock(const Ref<RgObjectStreamItem>& item, int32_t source,
                                              Ref<RgProjectItem>& position,
                                              Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_InsertBlock", [&] {
    const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
    const auto stored = [&](const char* key) { return P_ItemData(item)->Value(key); };
    switch (item->Action()) {
      case RgDataObjectItemActionInsert: {
        int32_t type = 0;
        int32_t number = 0;
        P_BlockInfo()->ParseBlockName(entry->ObjectID().ToString(), type, number);
        result = P_CreateBlock(entry, false, type, number, entry->Name(), position, newItem);
        break;
      }
      case RgDataObjectItemActionRename:
        result = P_CreateBlock(entry, false, stored("BLOCKTYPE").ToInt32(),
                               stored("BLOCKNUMBER").ToInt32(), stored("SYMBOL").ToString(),
                               position, newItem);
        break;
      case RgDataObjectItemActionOverwrite:
      case RgDataObjectItemActionOverwriteAll: {
        if (HasBit(source, RgStreamDataSourceSameApplication)) {
          result = P_MoveBlock(entry, position, newItem);
          break;
        }
        int32_t type = 0;
        int32_t number = 0;
        P_BlockInfo()->ParseBlockName(entry->ObjectID().ToString(), type, number);
        result = P_CreateBlock(entry, true, type, number, entry->Name(), position, newItem);
        break;
      }
      case RgDataObjectItemActionIgnore:
      case RgDataObjectItemActionIgnoreAll:
        result = P_FindBlock(entry, newItem);
        break;
      default:
        result = true;
        break;
    }
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_MoveBlock(const Ref<IRgDataObjectItem>& entry,
                                            Ref<RgProjectItem>& position,
                                            Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_MoveBlock", [&] {
    const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
    finder->Bind(P_TargetProgram());
    const Ref<IRgObject> block =
        finder->Find(std::string(clsid::kBlockOffline), entry->ObjectID().ToString());
    if (!block) return;
    Ref<RgProjectItem> item = P_ItemOf(block);
    if (!item) return;
    if (!platform::SameObject(item, position)) P_GetProgramHandler()->MoveBlock(item, position);
    newItem = item;
    result = true;
  });
  return result;
}

bool RgPrjStreamHandlerOffline::P_CreateBlock(const Ref<IRgDataObjectItem>& entry, bool replace,
                                              int32_t type, int32_t number,
                                              const std::string& symbol,
                                              Ref<RgProjectItem>& position,
                                              Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_CreateBlock", [&] {
    const auto service = parent_->ProjectSnapIn()
                             ->Services()
                             ->RgBlockService(RgProjectLocationOffline)
                             .As<IRgBlockService>();
    if (!service) return;
    const Ref<RgPrjHandlerProgramOffline> program = P_GetProgramHandler();
    Ref<IRgObject> block;
    {
      // The framework reports the new block to the program handler, which places it here.
      program->SetCreateBlockPosition(position);
      struct ResetPosition {
        const Ref<RgPrjHandlerProgramOffline>& program;
        ~ResetPosition() { program->SetCreateBlockPosition(nullptr); }
      } reset{program};
      try {
        block = service->CreateFromData(entry, replace, type, number);
      } catch (...) {  // a block that cannot be created is this insert's answer, not an error
        block.Reset();
      }
    }
    if (!block) return;
    P_SetBlockSymbol(block, symbol);
    Ref<IRgObject> placed = block;
    Ref<RgProjectItem> item = P_ItemOf(block);
    if (replace && item) {
      program->MoveBlock(item, position);
    } else if (!replace) {
      item = program->AddBlock(placed, position, false);
    }
    newItem = item;
    result = static_cast<bool>(item);
  });
  return result;
}

void RgPrjStreamHandlerOffline::P_SetBlockSymbol(const Ref<IRgObject>& block,
                                                 const std::string& symbol) {
  // Its own procedure, so that a symbol the table refuses (a name another address holds) is
  // reported by its own location while the block, already created, still gets its item.
  Guard(*this, "P_SetBlockSymbol", [&] {
    const auto named = block.As<IRgBlockSymbol>();
    if (!named) return;
    // An address without a symbol that receives none has nothing to change, even in a project
    // without a symbol table.
    if (symbol.empty() && named->Symbol().empty()) return;
    named->SetSymbol(symbol);
  });
}

bool RgPrjStreamHandlerOffline::P_FindBlock(const Ref<IRgDataObjectItem>& entry,
                                            Ref<RgProjectItem>& newItem) {
  bool result = false;
  Guard(*this, "P_FindBlock", [&] {
    const auto finder = platform::CreateObjectAs<IRgObjectFinder>(clsid::kObjectFinder);
    finder->Bind(P_TargetProgram());
    const Ref<IRgObject> block =
        finder->Find(std::string(clsid::kBlockOffline), entry->ObjectID().ToString());
    if (block) newItem = P_ItemOf(block);
    result = true;
  });
  return result;
}

void RgPrjStreamHandlerOffline::P_RefreshCompareStates() {
  Guard(*this, "P_RefreshCompareStates", [&] {
    if (const Ref<RgPrjStatusController> controller =
            parent_->ProjectSnapIn()->StatusController()) {
      controller->RefreshProgramStatus();
    }
  });
}

}  // namespace mzblprsx
