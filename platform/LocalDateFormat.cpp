#include "platform/LocalDateFormat.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/Error.h"

namespace platform {
namespace {

std::mutex overrideMutex;
std::string overrideName;  // guarded by overrideMutex

std::string EnvironmentLocale() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);  // NOLINT(concurrency-mt-unsafe): read only
    if (value == nullptr || *value == '\0') continue;
    std::string name(value);
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return "en_US_POSIX";
    return name;
  }
  return "en_US_POSIX";
}

/// Whether ICU has data for the locale (a language it knows; "xx_YY" falls back to "xx").
bool IsKnown(const icu::Locale& locale) {
  if (locale.isBogus() || *locale.getLanguage() == '\0') return false;
  int32_t count = 0;
  const icu::Locale* available = icu::DateFormat::getAvailableLocales(count);
  for (int32_t i = 0; i < count; ++i) {
    if (std::string_view(available[i].getLanguage()) == locale.getLanguage()) return true;
  }
  return false;
}

constexpr int64_t kDay = 86400;
// Distinct days kept before the day texts are dropped (a host that runs for long sees many).
constexpr size_t kMaxDays = 4096;

/// A time of day to the minute, with where its seconds stand.
struct Minute {
  std::string text;                    ///< the time with the seconds 00
  size_t seconds = std::string::npos;  ///< where its two digits are; npos: format each time
};

/// This thread's formatters for one locale, made again when the locale changes, and the texts
/// they made. Formatting by the locale is the dearest part of a printed row, so each day's
/// short date is formatted once, and the long time once per minute of the day (the dates carry
/// no zone, so a time reads the same on every day): the seconds are two digits at a place found
/// by formatting the minute's seconds 00 and 11. A locale whose seconds are not so (other
/// digits, no padding) has every time formatted.
struct Formatters {
  std::string locale;
  std::unique_ptr<icu::DateFormat> date;
  std::unique_ptr<icu::DateFormat> time;
  std::unordered_map<int64_t, std::string> days;
  std::unordered_map<int64_t, Minute> minutes;
};

Formatters& FormattersFor(const std::string& localeName) {
  thread_local Formatters formatters;
  if (formatters.date && formatters.locale == localeName) return formatters;
  const icu::Locale locale(localeName.c_str());
  formatters.days.clear();
  formatters.minutes.clear();
  formatters.date.reset(icu::DateFormat::createDateInstance(icu::DateFormat::kShort, locale));
  formatters.time.reset(icu::DateFormat::createTimeInstance(icu::DateFormat::kMedium, locale));
  if (!formatters.date || !formatters.time) {
    formatters.date.reset();
    throw Error(errc::kInvalidCall, "No date formats for the locale '" + localeName + "'");
  }
  // The dates are local times without a zone: format them in a zone without offsets.
  formatters.date->setTimeZone(*icu::TimeZone::getGMT());
  formatters.time->setTimeZone(*icu::TimeZone::getGMT());
  formatters.locale = localeName;
  return formatters;
}

/// ICU's milliseconds since 1970-01-01 for the date's clock reading.
UDate ToUDate(DateTime when) {
  constexpr int64_t kDaysTo1970 = 25569;  // from the runtime's day 0, 1899-12-30
  return static_cast<UDate>((when.Seconds() - kDaysTo1970 * 86400) * 1000);
}

std::string Format(const icu::DateFormat& format, DateTime when) {
  icu::UnicodeString text;
  format.format(ToUDate(when), text);
  std::string result;
  text.toUTF8String(result);
  return result;
}

int64_t DayOf(int64_t seconds) {
  return (seconds >= 0 ? seconds : seconds - (kDay - 1)) / kDay;
}

std::string ShortDateOf(Formatters& formatters, DateTime when) {
  const int64_t day = DayOf(when.Seconds());
  if (formatters.days.size() >= kMaxDays) formatters.days.clear();
  auto [found, added] = formatters.days.try_emplace(day);
  if (added) found->second = Format(*formatters.date, when);
  return found->second;
}

std::string LongTimeOf(Formatters& formatters, DateTime when) {
  const int64_t timeOfDay = when.Seconds() - DayOf(when.Seconds()) * kDay;
  const auto second = static_cast<int32_t>(timeOfDay % 60);
  const int64_t start = timeOfDay - second;
  auto [found, added] = formatters.minutes.try_emplace(start);
  Minute& minute = found->second;
  if (added) {
    minute.text = Format(*formatters.time, DateTime::FromSeconds(start));
    const std::string probe = Format(*formatters.time, DateTime::FromSeconds(start + 11));
    const std::string& text = minute.text;
    size_t at = 0;  // the first place where the two differ: the seconds
    while (at < text.size() && at < probe.size() && text[at] == probe[at]) ++at;
    if (probe.size() == text.size() && text.compare(at, 2, "00") == 0 &&
        probe.compare(at, 2, "11") == 0 &&
        probe.compare(at + 2, std::string::npos, text, at + 2) == 0) {
      minute.seconds = at;
    }
  }
  if (minute.seconds == std::string::npos) return Format(*formatters.time, when);
  std::string text = minute.text;
  text[minute.seconds] = static_cast<char>('0' + second / 10);
  text[minute.seconds + 1] = static_cast<char>('0' + second % 10);
  return text;
}

}  // namespace

std::string LocalDateFormat::LocaleName() {
  {
    const std::lock_guard lock(overrideMutex);
    if (!overrideName.empty()) return overrideName;
  }
  return EnvironmentLocale();
}

void LocalDateFormat::SetLocale(const std::string& name) {
  if (!name.empty()) {
    const icu::Locale locale = icu::Locale::createCanonical(name.c_str());
    if (!IsKnown(locale)) {
      throw Error(errc::kInvalidCall, "Unknown locale '" + name + "'");
    }
  }
  const std::lock_guard lock(overrideMutex);
  overrideName =
      name.empty() ? std::string() : icu::Locale::createCanonical(name.c_str()).getName();
}

std::string LocalDateFormat::ShortDate(DateTime when) {
  return ShortDateOf(FormattersFor(LocaleName()), when);
}

std::string LocalDateFormat::LongTime(DateTime when) {
  return LongTimeOf(FormattersFor(LocaleName()), when);
}

std::string LocalDateFormat::DateAndTime(DateTime when) {
  Formatters& formatters = FormattersFor(LocaleName());
  return ShortDateOf(formatters, when) + " " + LongTimeOf(formatters, when);
}

}  // namespace platform
