// Helpers shared by the project tests: a minimal valid project text to build cases from, and
// the one way to run a loader and get the error it raised.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Error.h"

namespace host::testing {

inline constexpr std::string_view kGuid = "{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}";

/// A project whose root is on line 1 and whose body starts on line 2.
inline std::string ProjectText(std::string_view body) {
  return "<project name=\"T\" guid=\"" + std::string(kGuid) + "\">\n" + std::string(body) +
         "</project>\n";
}

/// The same for a PLC.
inline std::string PlcText(std::string_view body) {
  return "<plc name=\"P\" guid=\"" + std::string(kGuid) + "\">\n" + std::string(body) + "</plc>\n";
}

/// The error that `load` raised; nothing when it succeeded.
inline std::optional<platform::Error> ErrorOf(const std::function<void()>& load) {
  try {
    load();
  } catch (const platform::Error& error) {
    return error;
  }
  return std::nullopt;
}

}  // namespace host::testing
