#include "mzblprsx/models/RgProjectFactoryOnline.h"

#include <array>
#include <utility>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOnline.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgOnlineConnection.h"
#include "mzblprsx/interfaces/IRgOnlineService.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/HandlerClasses.h"

namespace mzblprsx {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kHandlers{{
    {clsid::kProjectOnline, "RgPrjHandlerProjectOnline"},
    {clsid::kHwConfigOnline, "RgPrjHandlerHwConfigOnline"},
    {clsid::kMMCFile, "RgPrjHandlerMMCFile"},
    {clsid::kVarTables, "RgPrjHandlerVarTables"},
    {clsid::kProgramOnline, "RgPrjHandlerProgramOnline"},
    {clsid::kBlockOnline, "RgPrjHandlerBlockOnline"},
    {clsid::kGhostOnline, "RgPrjHandlerGhostBlock"},
}};

constexpr std::array<std::string_view, 3> kPlcChildren{clsid::kHwConfigOnline, clsid::kMemoryCard,
                                                       clsid::kProgramOnline};

}  // namespace

Ref<Object> RgProjectFactoryOnline::P_GetHandlerObject(const Ref<IRgObject>& object) {
  Ref<Object> result;
  Guard(*this, "P_GetHandlerObject", [&] {
    const std::string classId = object->ClassID();
    if (classId == clsid::kMemoryCard) {
      // The card and its file-list node share the class: the card comes first.
      if (!memoryCardHandedOut_) {
        result = CreateHandler("RgPrjHandlerMemoryCard");
        memoryCardHandedOut_ = true;
      } else {
        result = CreateHandler("RgPrjHandlerFilesOnMMC");
      }
      return;
    }
    for (const auto& [objectClass, handlerClass] : kHandlers) {
      if (classId == objectClass) {
        result = CreateHandler(handlerClass);
        return;
      }
    }
  });
  return result;
}

Ref<IRgOnlineConnection> RgProjectFactoryOnline::P_GetOnlineConnection(
    Ref<RgProjectSnapin> snapIn) {
  Ref<IRgOnlineConnection> result;
  Guard(*this, "P_GetOnlineConnection", [&] {
    const auto online = snapIn->Services()->RgOnlineService().As<IRgOnlineService>();
    if (online) result = online->Connection().As<IRgOnlineConnection>();
  });
  return result;
}

Ref<RgProjectItem> RgProjectFactoryOnline::AddProject(Ref<RgProjectModel> model,
                                                      Ref<Object> project) {
  Ref<RgProjectItem> result;
  Guard(*this, "IRgProjectModelFactory_AddProject", [&] {
    if (!model || !project) return;
    memoryCardHandedOut_ = false;
    TraceCall(1, kTypeName, "IRgProjectModelFactory_AddProject");
    Ref<IRgOnlineConnection> connection =
        P_GetOnlineConnection(model->Owner().Cast<RgProjectSnapin>());
    if (connection) connection->Access(12);
    const Ref<RgProjectItem> item = model->Items()->AddNew(project, nullptr, nullptr);
    result = item;
    P_FillProjectItems(item);
    if (connection) {
      connection->Access(13);
      connection.Reset();
    }
  });
  return result;
}

void RgProjectFactoryOnline::P_FillProjectItems(Ref<RgProjectItem> projectItem) {
  Guard(*this, "P_FillProjectItems", [&] {
    const Ref<IRgProjectItemHandler> handler = projectItem->Handler();
    const Ref<IRgProjectContainer> container =
        handler ? handler->Object().As<IRgProjectContainer>() : nullptr;
    if (!container) return;
    const Ref<IRgObjectList> children = container->Objects();
    for (const std::string_view classId : kPlcChildren) {
      const Ref<IRgObject> child = children->FindByClass(std::string(classId));
      if (!child) continue;  // the PLC has no such child
      const Ref<RgProjectItem> childItem = projectItem->Items()->AddNew(child, nullptr, nullptr);
      if (classId == clsid::kMemoryCard) P_FillMMCItems(childItem);
      if (classId == clsid::kProgramOnline) P_FillProgramItems(childItem);
    }
  });
}

void RgProjectFactoryOnline::P_FillMMCItems(Ref<RgProjectItem> memoryCardItem) {
  Guard(*this, "P_FillMMCItems", [&] {
    const auto snapIn = memoryCardItem->Model()->Owner().Cast<RgProjectSnapin>();
    const Ref<Object> cardService = snapIn->Services()->RgMMCService();
    if (cardService) memoryCardItem->Items()->AddNew(cardService, nullptr, nullptr);
  });
}

void RgProjectFactoryOnline::P_FillProgramItems(Ref<RgProjectItem> programItem) {
  Guard(*this, "P_FillProgramItems", [&] {
    const auto program = programItem->HandlerObject().As<RgPrjHandlerProgramOnline>();
    if (!program) return;  // no handler of the PLC's program: nothing to fill it with
    const auto snapIn = programItem->Model()->Owner().Cast<RgProjectSnapin>();
    const auto blocks =
        snapIn->Services()->RgBlockService(RgProjectLocationOnline).As<IRgBlockService>();
    if (blocks) program->FillBlocks(blocks->Blocks());
  });
}

void RgProjectFactoryOnline::InitializeItem(Ref<RgProjectItem> item, Ref<Object> object) {
  Guard(*this, "IRgProjectModelFactory_InitializeItem", [&] {
    const Ref<IRgObject> framework = AsFrameworkObject(object);  // not one: no handler
    if (!item || !framework) return;
    const Ref<Object> handler = P_GetHandlerObject(framework);
    if (handler) AttachHandler(item, handler, framework);
  });
}

void RgProjectFactoryOnline::TerminateItem(Ref<RgProjectItem> item) {
  Guard(*this, "IRgProjectModelFactory_TerminateItem", [&] {
    if (item) DetachHandler(item);
  });
}

void RgProjectFactoryOnline::RemoveProject(Ref<RgProjectModel> model, Ref<Object> project) {
  Guard(*this, "IRgProjectModelFactory_RemoveProject", [&] {
    if (!model || !project) return;
    TraceCall(1, kTypeName, "IRgProjectModelFactory_RemoveProject");
    const Ref<RgProjectItemList> list = model->ItemList();
    if (!list->Find(find_by::kObject, Variant(project))) return;
    const Ref<RgProjectItem> item = list->FoundItem();
    item->Items()->Clear();
    model->Items()->Remove(item);
  });
}

void RgProjectFactoryOnline::RefreshProject(Ref<RgProjectModel> model, Ref<Object> project) {
  Guard(*this, "IRgProjectModelFactory_RefreshProject", [&] {
    if (!model || !project) return;
    TraceCall(3, kTypeName, "IRgProjectModelFactory_RefreshProject");
    RemoveProject(model, project);
    AddProject(model, project);
    model->ItemList()->Find(find_by::kObject, Variant(project));
  });
}

}  // namespace mzblprsx
