#include "host/project/HwCompare.h"

#include <string>

#include "host/project/HardwareConfig.h"
#include "platform/Error.h"

namespace host {

namespace {

// The station behind one side's object, or the error that says why it cannot be compared.
const HardwareConfig& StationOf(const platform::Ref<mzblprsx::IRgObject>& object,
                                std::string_view side) {
  if (!object) {
    throw platform::Error(
        platform::errc::kObjectNotSet,
        "The stations cannot be compared: the " + std::string(side) + " station is missing");
  }
  const auto station = object.As<HardwareConfig>();
  if (!station) {
    throw platform::Error(platform::errc::kInvalidCall, "The stations cannot be compared: the " +
                                                            std::string(side) + " object '" +
                                                            object->DisplayName() +
                                                            "' is not a hardware configuration");
  }
  if (station->State() == HardwareConfig::kNotComparable) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "The stations cannot be compared: the " + std::string(side) +
                              " station '" + station->Name() + "' is in a state (" +
                              std::to_string(HardwareConfig::kNotComparable) +
                              ") that allows no comparison");
  }
  return *station;
}

}  // namespace

void HwCompare::CompareHardware(int32_t /*flags*/, platform::Ref<mzblprsx::IRgObject> offline,
                                platform::Ref<mzblprsx::IRgObject> online) {
  result_ = kNone;
  const HardwareConfig& project = StationOf(offline, "project's");
  const HardwareConfig& plc = StationOf(online, "PLC's");
  result_ = project.ComparesEqual(plc) ? kEqual : kDifferent;
}

}  // namespace host
