// Builds and takes apart the object graph of one snap-in (its Init, Attach and Detach).
//
// The manager keeps no state: everything it creates is stored in the snap-in. Detach breaks the
// back references to the snap-in before the snap-in's own references are dropped, so that the
// whole graph can be freed when the host releases the snap-in.
#pragma once

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace platform {
class XmlElement;
}

namespace mzblprsx {

class RgProjectSnapin;
class RgProjectUserCommands;

class RgProjectSnapInManager final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgProjectSnapInManager";

  RgProjectSnapInManager() = default;
  std::string_view TypeName() const override { return kTypeName; }

  /// Creates services, application, models registry, commands and status controller, both
  /// models, wires them, and reads the user commands of the configuration element (may be nothing).
  void Initialize(Ref<RgProjectSnapin> snapIn, Ref<platform::XmlElement> configuration,
                  Ref<Object> host);
  void Attach(Ref<RgProjectSnapin> snapIn);
  void Detach(Ref<RgProjectSnapin> snapIn);

 private:
  void P_GetSnapInCommands(Ref<platform::XmlElement> configuration,
                           Ref<RgProjectUserCommands> commands);

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
