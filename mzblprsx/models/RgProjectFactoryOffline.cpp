#include "mzblprsx/models/RgProjectFactoryOffline.h"

#include <array>
#include <utility>

#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/HandlerClasses.h"

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

}  // namespace

Ref<Object> RgProjectFactoryOffline::P_GetHandlerObject(Ref<Object> object) {
  Ref<Object> result;
  Guard(*this, "P_GetHandlerObject", [&] {
    const std::string classId = object.Cast<IRgObject>()->ClassID();
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
    const Ref<IRgObject> framework = object.As<IRgObject>();  // not one: no handler
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
    if (list->Find(4, Variant(project))) {
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
    model->ItemList()->Find(4, Variant(project));
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
        Ref<IRgObject> child;
        try {
          child = children->ItemByClass(std::string(classId));
        } catch (const platform::Error&) {
          continue;  // the project has no such child
        }
        const Ref<RgProjectItem> childItem = projectItem->Items()->AddNew(child, nullptr, nullptr);
        if (classId == clsid::kProgramOffline) {
          if (const auto handler = childItem->Handler()) handler->Refresh();
        }
      }
    }
    if (projectHandler) projectHandler->Refresh();
  });
}

}  // namespace mzblprsx
