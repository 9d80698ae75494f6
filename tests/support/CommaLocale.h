// Switches the process (C and C++ locales) to German, whose decimal separator is a comma, for as
// long as it lives; tests skip with SkipReason() when the locale is not installed.
#pragma once

#include <locale>
#include <stdexcept>

namespace mztest {

class CommaLocale {
 public:
  CommaLocale() {
    try {
      std::locale::global(std::locale("de_DE.UTF-8"));  // sets the C locale too
      active_ = true;
    } catch (const std::runtime_error&) {  // not installed: the test skips
    }
  }
  ~CommaLocale() { std::locale::global(std::locale::classic()); }
  bool Active() const { return active_; }
  static const char* SkipReason() { return "locale de_DE.UTF-8 missing: install locales-all"; }

 private:
  bool active_ = false;
};

}  // namespace mztest
