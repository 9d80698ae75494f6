#include "platform/LocalDateFormat.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <memory>
#include <mutex>

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

/// This thread's formatters for one locale, made again when the locale changes.
struct Formatters {
  std::string locale;
  std::unique_ptr<icu::DateFormat> date;
  std::unique_ptr<icu::DateFormat> time;
};

Formatters& FormattersFor(const std::string& localeName) {
  thread_local Formatters formatters;
  if (formatters.date && formatters.locale == localeName) return formatters;
  const icu::Locale locale(localeName.c_str());
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
  return Format(*FormattersFor(LocaleName()).date, when);
}

std::string LocalDateFormat::LongTime(DateTime when) {
  return Format(*FormattersFor(LocaleName()).time, when);
}

std::string LocalDateFormat::DateAndTime(DateTime when) {
  Formatters& formatters = FormattersFor(LocaleName());
  return Format(*formatters.date, when) + " " + Format(*formatters.time, when);
}

}  // namespace platform
