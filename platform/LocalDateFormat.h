// Dates as the user's locale writes them: the short date and the long time of the locale, as
// printouts show them.
//
//   LocalDateFormat::DateAndTime(date)   // "1/1/00 12:00:00 AM" (en_US), "01.01.00 00:00:00"
//   (de_DE)
//
// The locale is the process's override when one is set (SetLocale, the command line's
// --locale), else the environment's: LC_ALL, LC_TIME, then LANG, the first one set ("de_DE.UTF-8"
// reads as "de_DE"); "C", "POSIX" or none at all give "en_US_POSIX". The long time is the
// locale's medium time style: hours, minutes and seconds without a time zone, because the
// dates here are local times that carry no zone. Formats come from ICU (CLDR data), so a
// locale's texts may hold non-ASCII characters (a narrow no-break space before "AM").
//
// Safe from several threads: each thread keeps its own formatters.
#pragma once

#include <string>

#include "platform/DateTime.h"

namespace platform {

class LocalDateFormat {
 public:
  /// The locale the formats follow now.
  static std::string LocaleName();
  /// Overrides the environment's locale ("de_DE", "en-GB"); an empty name returns to the
  /// environment's. Error 5 for a name ICU does not know.
  static void SetLocale(const std::string& name);

  static std::string ShortDate(DateTime when);
  static std::string LongTime(DateTime when);
  /// The short date, one blank, the long time.
  static std::string DateAndTime(DateTime when);
};

}  // namespace platform
