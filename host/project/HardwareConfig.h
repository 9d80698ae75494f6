// The hardware configuration (station) of a project (kHwConfigOffline) or of the PLC
// (kHwConfigOnline): a name, the date of its last change, its size and its state code.
//
// The object identifier is "HW" on both sides, so that the project's and the PLC's
// configuration name each other.
//
// The library reads the date through IRgHwConfig. A change of name, date, size or state notifies
// 64 (NotificationHub); deleting it from its project notifies 128.
//
// Project and PLC compare their stations by name, size and state (ComparesEqual, through
// HwCompare); the date is not compared, since a download dates the PLC's configuration anew. A
// station in state kNotComparable cannot be compared at all.
//
// Trap: the handlers read the date as text (ModifiedText, "YYYY-MM-DD HH:MM:SS").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/project/ProjectDocument.h"
#include "mzblprsx/interfaces/IRgHwConfig.h"
#include "platform/DateTime.h"

namespace host {

class HardwareConfig : public ProjectDocument, public virtual mzblprsx::IRgHwConfig {
 public:
  HardwareConfig(bool online, std::string name);

  std::string_view TypeName() const override { return "HardwareConfig"; }

  // IRgHwConfig
  std::string LastModifiedText() override { return ModifiedText(); }
  int32_t DocumentState() override { return state_; }

  bool Online() const { return online_; }
  platform::DateTime LastModified() const { return lastModified_; }
  void SetLastModified(platform::DateTime when);
  /// "YYYY-MM-DD HH:MM:SS".
  std::string ModifiedText() const { return lastModified_.ToString(); }
  int32_t Size() const { return size_; }
  /// Error 5 for a negative size.
  void SetSize(int32_t size);
  /// The state of a station that cannot be compared with the other side's.
  static constexpr int32_t kNotComparable = 8192;

  /// True when both stations have the same name (exactly), size and state.
  bool ComparesEqual(const HardwareConfig& other) const;

  /// The framework's state code of the station (0: nothing special).
  int32_t State() const { return state_; }
  void SetState(int32_t state);

 private:
  void Changed();

  bool online_;
  platform::DateTime lastModified_;
  int32_t size_ = 0;
  int32_t state_ = 0;
};

}  // namespace host
