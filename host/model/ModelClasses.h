// Registers the project model component's creatable classes in the process's class registry.
//
//   host::RegisterModelClasses();
//   auto model = platform::CreateObjectAs<mzblprsx::RgProjectModel>("mzblpexx.RgProjectModel");
//
// The model answers to mzblprsx::clsid::kProjectModel and "mzblpexx.RgProjectModel", the item
// mover to clsid::kItemMover and "mzblpexx.RgItemMover". Registering again is harmless.
#pragma once

namespace host {

void RegisterModelClasses();

}  // namespace host
