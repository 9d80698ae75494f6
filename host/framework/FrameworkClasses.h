// Registers the framework classes of the offline tree that the library creates by identifier:
// the object finder (clsid::kObjectFinder), the new-block dialog (clsid::kNewBlockDialog), the
// notification subscription (clsid::kNotifySubscription), and the project model again
// (clsid::kProjectModel, "mzblpexx.RgProjectModel"), now with its CategorySync and its
// DeletedItemSweeper attached. Called by the Environment after the model component's own
// registration, which it replaces.
#pragma once

namespace host {

/// Idempotent; a later registration of the same identifiers replaces these.
void RegisterFrameworkClasses();

}  // namespace host
