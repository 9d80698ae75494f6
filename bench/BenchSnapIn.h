// The project snap-in loaded on a reference host application, as a host starts it (Init,
// Attach, verb 1), for benchmarks that go through the real host and its notifications.
//
//   mzbench::BenchSnapIn app;
//   app.Env().OpenProjectText(text, "bench.prj.xml");   // the snap-in builds its tree
//   app.SnapIn()->Services()->RgObjectStreamService(1);
//
// Trap: references to the snap-in's objects must be released before the BenchSnapIn, which
// detaches the snap-in and then destroys the application.
#pragma once

#include "host/Environment.h"
#include "platform/Ref.h"

namespace mzblprsx {
class RgProjectSnapin;
}  // namespace mzblprsx

namespace mzbench {

class BenchSnapIn {
 public:
  BenchSnapIn();
  ~BenchSnapIn();
  BenchSnapIn(const BenchSnapIn&) = delete;
  BenchSnapIn& operator=(const BenchSnapIn&) = delete;

  host::Environment& Env() { return env_; }
  const platform::Ref<mzblprsx::RgProjectSnapin>& SnapIn() const { return snapIn_; }

 private:
  host::Environment env_;
  platform::Ref<mzblprsx::RgProjectSnapin> snapIn_;
};

}  // namespace mzbench
