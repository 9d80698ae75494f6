// Registration of the application frame's creatable classes in the process's class registry:
// the information window, the companion object and the physical-station relation object.
//
//   host::RegisterAppClasses();   // once at start; registering again replaces the entries
//   platform::CreateObject(mzblprsx::clsid::kInfoWindow);
//   platform::CreateObject("mzframex.InfoWindow");      // the same class by program id
//
// Trap: the registry is process-wide, the objects it creates belong to whichever application
// thread creates them (see InfoWindow::LastCreated).
#pragma once

namespace host {

void RegisterAppClasses();

}  // namespace host
