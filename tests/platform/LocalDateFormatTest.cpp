// Dates in the locale's short date and long time: the override, the environment's locale, and
// dates far from the present (the default date of 1900 keeps its clock reading).
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/DateTime.h"
#include "platform/LocalDateFormat.h"
#include "support/ErrorOf.h"

using platform::DateTime;
using platform::LocalDateFormat;
using platformtest::ErrorOf;

namespace {

/// Sets an environment variable for one test (they run serially) and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;  // NOLINT(concurrency-mt-unsafe)
    ::setenv(name, value, 1);                             // NOLINT(concurrency-mt-unsafe)
  }
  ~ScopedEnv() {
    old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_);  // NOLINT(concurrency-mt-unsafe)
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class LocalDates : public ::testing::Test {
 protected:
  ~LocalDates() override { LocalDateFormat::SetLocale(""); }
};

TEST_F(LocalDates, FollowTheOverrideLocaleAndKeepTheClockReadingOfFarDates) {
  const DateTime morning = *DateTime::FromParts(2026, 11, 2, 8, 15, 0);
  const DateTime evening = *DateTime::FromParts(2026, 11, 2, 20, 5, 9);
  const struct {
    const char* locale;
    std::string morning, evening;
  } rows[] = {
      {"de_DE", "02.11.26 08:15:00", "02.11.26 20:05:09"},
      {"en_US", "11/2/26 8:15:00\u202FAM", "11/2/26 8:05:09\u202FPM"},
      {"en-GB", "02/11/2026 08:15:00", "02/11/2026 20:05:09"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.locale);
    LocalDateFormat::SetLocale(row.locale);
    EXPECT_EQ(LocalDateFormat::DateAndTime(morning), row.morning);
    EXPECT_EQ(LocalDateFormat::DateAndTime(evening), row.evening);
    EXPECT_EQ(LocalDateFormat::ShortDate(morning) + " " + LocalDateFormat::LongTime(morning),
              row.morning);
  }
  // The default date keeps its clock reading: formatted without a time zone, no offset of the
  // machine's zone shifts midnight.
  LocalDateFormat::SetLocale("de_DE");
  const ScopedEnv zone("TZ", "America/New_York");
  EXPECT_EQ(LocalDateFormat::DateAndTime(DateTime()), "01.01.00 00:00:00");
  EXPECT_EQ(LocalDateFormat::DateAndTime(*DateTime::FromParts(9999, 12, 31, 23, 59, 59)),
            "31.12.99 23:59:59");
}

TEST_F(LocalDates, TheEnvironmentDecidesWithoutAnOverrideAndUnknownOnesAreRefused) {
  const struct {
    const char* lcAll;
    const char* lang;
    const char* expected;
  } rows[] = {
      {"de_DE.UTF-8", "en_US.UTF-8", "de_DE"},  // LC_ALL first
      {"", "fr_FR.UTF-8@euro", "fr_FR"},        // then LANG, without codeset and modifier
      {"C", "de_DE", "en_US_POSIX"},
      {"", "POSIX", "en_US_POSIX"},
  };
  const ScopedEnv time("LC_TIME", "");
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.lcAll) + "/" + row.lang);
    const ScopedEnv all("LC_ALL", row.lcAll);
    const ScopedEnv lang("LANG", row.lang);
    EXPECT_EQ(LocalDateFormat::LocaleName(), row.expected);
  }
  const ScopedEnv all("LC_ALL", "de_DE.UTF-8");
  EXPECT_EQ(LocalDateFormat::DateAndTime(DateTime()), "01.01.00 00:00:00");
  LocalDateFormat::SetLocale("en_US");
  EXPECT_EQ(LocalDateFormat::LocaleName(), "en_US") << "the override wins over the environment";

  SCOPED_TRACE("an unknown locale is refused and changes nothing");
  LocalDateFormat::SetLocale("de_DE");
  for (const char* name : {"xx_YY", "not a locale", "@@@"}) {
    SCOPED_TRACE(name);
    std::string why;
    EXPECT_EQ(ErrorOf([&] { LocalDateFormat::SetLocale(name); }, &why), 5);
    EXPECT_NE(why.find(name), std::string::npos) << why;
    EXPECT_EQ(LocalDateFormat::LocaleName(), "de_DE");
  }
}

}  // namespace
