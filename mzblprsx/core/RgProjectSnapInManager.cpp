#include "mzblprsx/core/RgProjectSnapInManager.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/core/RgProjectUserCommands.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgTraceService.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgPrjStatusController.h"
#include "mzblprsx/models/RgProjectFactoryOffline.h"
#include "mzblprsx/models/RgProjectFactoryOnline.h"
#include "mzblprsx/models/RgProjects.h"
#include "platform/XmlElement.h"

namespace mzblprsx {

using platform::MakeObject;

void RgProjectSnapInManager::Initialize(Ref<RgProjectSnapin> snapIn,
                                        Ref<platform::XmlElement> configuration, Ref<Object> host) {
  Guard(*this, "Initialize", [&] {
    snapIn->SetServices(MakeObject<RgProjectServices>());
    snapIn->SetApplication(MakeObject<RgProjectApplication>());
    snapIn->SetProjects(MakeObject<RgProjects>());
    snapIn->SetCommands(MakeObject<RgProjectUserCommands>());
    snapIn->SetStatusController(MakeObject<RgPrjStatusController>());

    snapIn->SetOfflineModel(snapIn->Projects()->CreateModel(RgProjectLocationOffline, snapIn,
                                                            MakeObject<RgProjectFactoryOffline>()));
    snapIn->SetOnlineModel(snapIn->Projects()->CreateModel(RgProjectLocationOnline, snapIn,
                                                           MakeObject<RgProjectFactoryOnline>()));

    snapIn->Services()->SetSnapIn(snapIn);
    snapIn->Application()->SetSnapIn(snapIn);
    snapIn->Application()->SetRgApplication(host);
    snapIn->Projects()->SetApplication(snapIn->Application());
    snapIn->Commands()->SetProjectSnapIn(snapIn);
    snapIn->Commands()->SetProjectView(nullptr);
    snapIn->StatusController()->SetProjectSnapIn(snapIn);
    P_GetSnapInCommands(configuration, snapIn->Commands());
  });
}

void RgProjectSnapInManager::P_GetSnapInCommands(Ref<platform::XmlElement> configuration,
                                                 Ref<RgProjectUserCommands> commands) {
  Guard(*this, "P_GetSnapInCommands", [&] {
    if (!configuration || !commands) return;
    const Ref<platform::XmlElement> element = configuration->SelectSingleNode("COMMANDS");
    if (element) commands->Create(element->Xml());
  });
}

void RgProjectSnapInManager::Attach(Ref<RgProjectSnapin> snapIn) {
  Guard(*this, "Attach", [&] {
    snapIn->Application()->SetProjectBarWindow(true);
    snapIn->Projects()->SetProjectService(snapIn->Services()->RgProjectService());
    snapIn->Projects()->SetOnlineService(snapIn->Services()->RgOnlineService());
  });
}

void RgProjectSnapInManager::Detach(Ref<RgProjectSnapin> snapIn) {
  // Each link is broken on its own: after a partial Init, or with a host call that fails, a
  // failing step must not leave the later links, and through them every object, alive.
  GuardEach(
      *this, "Detach", [&] { snapIn->Application()->SetProjectBarWindow(false); },
      [&] { snapIn->Commands()->RemoveAll(); },
      [&] { snapIn->Commands()->SetProjectSnapIn(nullptr); },
      [&] { snapIn->Commands()->SetProjectView(nullptr); },
      [&] { snapIn->Projects()->SetApplication(nullptr); },
      [&] { snapIn->Projects()->SetProjectService(nullptr); },
      [&] { snapIn->Projects()->SetOnlineService(nullptr); },
      [&] { snapIn->Application()->SetSnapIn(nullptr); },
      [&] { snapIn->Application()->SetRgApplication(nullptr); },
      [&] { snapIn->Services()->SetSnapIn(nullptr); },
      [&] { snapIn->StatusController()->SetProjectSnapIn(nullptr); },
      [&] { snapIn->SetOfflineModel(nullptr); }, [&] { snapIn->SetOnlineModel(nullptr); },
      [&] { snapIn->Projects()->TerminateModel(RgProjectLocationOffline); },
      [&] { snapIn->Projects()->TerminateModel(RgProjectLocationOnline); },
      [&] { snapIn->SetCommands(nullptr); }, [&] { snapIn->SetProjects(nullptr); },
      [&] { snapIn->SetApplication(nullptr); }, [&] { snapIn->SetServices(nullptr); },
      [&] { snapIn->SetStatusController(nullptr); },
      [&] {
        const Ref<IRgTraceService> trace = FrameworkGlobals()->TraceService();
        const int32_t count = trace->GetReferenceCount(snapIn);
        trace->TraceCall(1, std::string(kTypeName), "Detach",
                         {"SnapIn-RefCount=" + std::to_string(count)});
      });
}

}  // namespace mzblprsx
