// Local date-times at one-second resolution, as the automation runtime's Date.
//
// Stored as whole seconds since 1899-12-30 00:00:00, the runtime's day 0, so that the serial
// (ToSerial) matches the runtime's numeric value of a date. The text form is exactly
// "%Y-%m-%d %H:%M:%S" ("2026-11-02 08:15:00"); Parse accepts nothing else.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class DateTime {
 public:
  /// 1 January 1900, 00:00:00: the default of every date field.
  DateTime();
  /// A date from its parts; std::nullopt when a part is out of its range (month 13, 31 April...).
  static std::optional<DateTime> FromParts(int year, int month, int day, int hour = 0,
                                           int minute = 0, int second = 0);
  /// Parses "YYYY-MM-DD HH:MM:SS" exactly (years 100 to 9999); std::nullopt for anything else.
  static std::optional<DateTime> Parse(std::string_view text);
  /// The runtime's serial: days since 1899-12-30, the time of day as the fraction. Error 6
  /// (overflow) for a serial outside years 100 to 9999, NaN and infinity.
  static DateTime FromSerial(double serial);
  static DateTime FromSeconds(int64_t seconds) { return DateTime(seconds); }
  /// The current local time.
  static DateTime Now();

  /// "YYYY-MM-DD HH:MM:SS".
  std::string ToString() const;
  double ToSerial() const;
  int64_t Seconds() const { return seconds_; }

  int Year() const;
  int Month() const;
  int Day() const;

  auto operator<=>(const DateTime&) const = default;

 private:
  explicit DateTime(int64_t seconds) : seconds_(seconds) {}
  int64_t seconds_;
};

}  // namespace platform
