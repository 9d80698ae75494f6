#include "platform/DateTime.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>

#include "platform/Error.h"

namespace platform {
namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

struct Civil {
  int64_t year;
  unsigned month;
  unsigned day;
};

Civil CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {y + (m <= 2 ? 1 : 0), m, d};
}

const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// The serials of 100-01-01 and 9999-12-31, the first and last day the runtime's dates hold.
constexpr int64_t kFirstSerialDay = -657434;
constexpr int64_t kLastSerialDay = 2958465;

// A number with leading zeros to the given width (a minus sign first), without the locale.
void AppendPadded(std::string& out, int64_t value, size_t width) {
  char buf[24];
  const uint64_t magnitude =
      value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  const auto end = std::to_chars(buf, buf + sizeof buf, magnitude).ptr;
  const auto length = static_cast<size_t>(end - buf);
  if (value < 0) out += '-';
  if (length < width) out.append(width - length, '0');
  out.append(buf, length);
}

}  // namespace

DateTime::DateTime() : seconds_((DaysFromCivil(1900, 1, 1) - kEpochDays) * kSecondsPerDay) {}

std::optional<DateTime> DateTime::FromParts(int year, int month, int day, int hour, int minute,
                                            int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59) {
    return std::nullopt;
  }
  const int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochDays;
  return DateTime(days * kSecondsPerDay + hour * 3600 + minute * 60 + second);
}

std::optional<DateTime> DateTime::Parse(std::string_view t) {
  // Fixed layout: YYYY-MM-DD HH:MM:SS, 19 characters.
  if (t.size() != 19 || t[4] != '-' || t[7] != '-' || t[10] != ' ' || t[13] != ':' ||
      t[16] != ':') {
    return std::nullopt;
  }
  auto number = [&](size_t pos, size_t len) -> int {
    int v = 0;
    for (size_t i = pos; i < pos + len; ++i) {
      if (t[i] < '0' || t[i] > '9') return -1;
      v = v * 10 + (t[i] - '0');
    }
    return v;
  };
  const int y = number(0, 4), mo = number(5, 2), d = number(8, 2);
  const int h = number(11, 2), mi = number(14, 2), s = number(17, 2);
  if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || s < 0) return std::nullopt;
  return FromParts(y, mo, d, h, mi, s);
}

DateTime DateTime::FromSerial(double serial) {
  // Only the days of years 100 to 9999 are dates; anything beyond, and NaN, overflows as the
  // runtime's other conversions do, before the day count could overflow an integer.
  const double days = std::trunc(serial);
  if (!(days >= static_cast<double>(kFirstSerialDay) &&
        days <= static_cast<double>(kLastSerialDay)))
    throw Error(errc::kOverflow);
  // The runtime counts the fraction from the day's start in both directions of day 0.
  const double fraction = std::fabs(serial - days);
  const auto secs = static_cast<int64_t>(std::llround(fraction * kSecondsPerDay));
  const int64_t seconds = static_cast<int64_t>(days) * kSecondsPerDay + secs;
  if (seconds >= (kLastSerialDay + 1) * kSecondsPerDay) throw Error(errc::kOverflow);
  return DateTime(seconds);
}

DateTime DateTime::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return *FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                    local.tm_min, std::min(local.tm_sec, 59));
}

std::string DateTime::ToString() const {
  const int64_t days = FloorDiv(seconds_, kSecondsPerDay);
  const int64_t rest = seconds_ - days * kSecondsPerDay;
  const Civil c = CivilFromDays(days + kEpochDays);
  std::string out;
  out.reserve(19);
  AppendPadded(out, c.year, 4);
  out += '-';
  AppendPadded(out, c.month, 2);
  out += '-';
  AppendPadded(out, c.day, 2);
  out += ' ';
  AppendPadded(out, rest / 3600, 2);
  out += ':';
  AppendPadded(out, rest / 60 % 60, 2);
  out += ':';
  AppendPadded(out, rest % 60, 2);
  return out;
}

double DateTime::ToSerial() const {
  const int64_t days = FloorDiv(seconds_, kSecondsPerDay);
  const double fraction = static_cast<double>(seconds_ - days * kSecondsPerDay) / kSecondsPerDay;
  // Before day 0 the runtime writes the fraction with the sign of the day part.
  return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
}

int DateTime::Year() const {
  return static_cast<int>(CivilFromDays(FloorDiv(seconds_, kSecondsPerDay) + kEpochDays).year);
}
int DateTime::Month() const {
  return static_cast<int>(CivilFromDays(FloorDiv(seconds_, kSecondsPerDay) + kEpochDays).month);
}
int DateTime::Day() const {
  return static_cast<int>(CivilFromDays(FloorDiv(seconds_, kSecondsPerDay) + kEpochDays).day);
}

}  // namespace platform
