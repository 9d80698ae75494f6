// The library's one error path and its instance and entry tracing.
//
// Every procedure runs its body through Guard:
//
//   bool RgProjects::Foo(int32_t location) {
//     bool result = false;
//     Guard(*this, "Foo", [&] {
//       ...                      // any failure leaves the body here
//       result = true;
//     });
//     return result;             // what was set so far: the default when the body failed early
//   }
//
// On a failure Guard calls ReportError with the object's class name and the procedure's literal
// name; ReportError stamps "mzblprsx.<Class>.<Procedure>" into the error's Source and hands it to
// the host's error service. When the service absorbs the error, Guard returns normally; when it
// fails the call, the error leaves Guard (and so the procedure) towards the caller, which reports
// it again with its own location.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Error.h"
#include "platform/Object.h"
#include "platform/Ref.h"

namespace mzblprsx {

class IRgFrameworkGlobals;

/// The framework globals object of the calling thread's application (created on first use by
/// the host, then shared). There is one per thread: it is remembered weakly per thread, and
/// asked of the class registry again once the application that owned it has let it go.
platform::Ref<IRgFrameworkGlobals> FrameworkGlobals();

/// The library's module name, the first part of every error source.
inline constexpr std::string_view kModuleName = "mzblprsx";

/// Stamps the location into the error's Source and hands the five fields to the host's error
/// service. Returns when the service absorbs the error; throws when the service fails the call.
void ReportError(platform::Error& error, std::string_view className,
                 std::string_view procedureName);

/// Runs a procedure body under the common error path (see the file comment).
template <class Body>
void Guard(std::string_view className, std::string_view procedure, Body&& body) {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    platform::Error error = platform::Error::FromCurrentException();
    ReportError(error, className, procedure);
  }
}

template <class Body>
void Guard(const platform::Object& self, std::string_view procedure, Body&& body) {
  Guard(self.TypeName(), procedure, std::forward<Body>(body));
}

/// Runs each step of a release under its own Guard, so that a failing step skips none of the
/// others: one link left unbroken keeps the whole object graph alive. Every failure reaches the
/// error service; once every step has run, the first failure the service let travel leaves here.
template <class... Steps>
void GuardEach(std::string_view className, std::string_view procedure, Steps&&... steps) {
  std::exception_ptr travelling;
  const auto run = [&](auto&& step) {
    try {
      Guard(className, procedure, step);
    } catch (...) {
      if (!travelling) travelling = std::current_exception();
    }
  };
  (run(std::forward<Steps>(steps)), ...);
  if (travelling) std::rethrow_exception(travelling);
}

template <class... Steps>
void GuardEach(const platform::Object& self, std::string_view procedure, Steps&&... steps) {
  GuardEach(self.TypeName(), procedure, std::forward<Steps>(steps)...);
}

/// Records a procedure's entry with its parameter texts ("Location=1") at the given level.
void TraceCall(int32_t level, std::string_view className, std::string_view procedure,
               const std::vector<std::string>& parameters = {});

/// Registers an instance with the trace service for as long as it lives (the class hooks
/// Class_Initialize and Class_Terminate of every class). A member of every library class.
class InstanceTrace {
 public:
  explicit InstanceTrace(std::string_view className);
  ~InstanceTrace();
  InstanceTrace(const InstanceTrace&) = delete;
  InstanceTrace& operator=(const InstanceTrace&) = delete;

  int32_t Number() const { return number_; }

 private:
  std::string_view className_;
  int32_t number_ = 0;
};

}  // namespace mzblprsx
