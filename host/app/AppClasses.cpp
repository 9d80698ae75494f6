#include "host/app/AppClasses.h"

#include "host/Environment.h"
#include "host/app/Companion.h"
#include "host/app/InfoWindow.h"
#include "host/app/StationRelation.h"
#include "host/print/PrintTable.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"

namespace host {

void RegisterAppClasses() {
  auto& registry = platform::ClassRegistry::Instance();
  registry.Register(mzblprsx::clsid::kInfoWindow, "mzframex.InfoWindow", [] {
    auto window = platform::MakeObject<InfoWindow>();
    InfoWindow::NoteCreated(window);
    return platform::Ref<platform::Object>(window);
  });
  registry.Register(mzblprsx::clsid::kCompanion, "mzframex.Companion", [] {
    auto companion = platform::MakeObject<Companion>();
    Companion::NoteCreated(companion);
    return platform::Ref<platform::Object>(companion);
  });
  // The application object of the calling thread's application, as the print services find it.
  registry.Register(mzblprsx::clsid::kHostApplication, "mzframex.Application", [] {
    Environment* env = Environment::Current();
    if (env == nullptr) {
      throw platform::Error(platform::errc::kCannotCreate, "no host application on this thread");
    }
    return env->ApplicationObject();
  });
  // The print table that a print object fills and prints through the print service's devices.
  registry.Register(mzblprsx::clsid::kPrintTable, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<PrintTable>());
  });
  registry.Register(mzblprsx::clsid::kStationRelation, "mzframex.StationRelation", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<StationRelation>());
  });
}

}  // namespace host
