// One application of a transfer on its own thread: the snap-in session is created, used and
// ended on that thread, as the framework globals and the user-interface state are per thread.
//
//   SessionThread source(options);                       // the session starts on its thread
//   auto bytes = source.Call([&](SnapInSession& s) { return Copy(s); });
//   // ... the other application pastes ...
//   source.Call([&](SnapInSession& s) { s.Env().Project()->FileObject()->Save(0); });
//
// Call runs the function on the session's thread and waits; what it throws is thrown again in
// the caller. Library objects that a call hands out must be released in a later call on the same
// thread, never by the caller.
//
// Trap: an exception thrown while the session starts (a file that does not load) comes out of
// the constructor; the thread has ended by then.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>

#include "SnapInSession.h"

namespace prjsnap {

class SessionThread {
 public:
  explicit SessionThread(SnapInSession::Options options);
  /// Ends the session on its thread (PreDetach, Detach, release) and joins the thread.
  ~SessionThread();
  SessionThread(const SessionThread&) = delete;
  SessionThread& operator=(const SessionThread&) = delete;

  /// Runs `function(session)` on the session's thread and returns its result.
  template <class F>
  auto Call(F&& function) -> std::invoke_result_t<F&, SnapInSession&> {
    using R = std::invoke_result_t<F&, SnapInSession&>;
    std::packaged_task<R()> task([&] { return function(*session_); });
    auto result = task.get_future();
    Run([&task] { task(); });
    return result.get();
  }

 private:
  /// Queues the job and waits until the thread has run it.
  void Run(const std::function<void()>& job);
  void Main(SnapInSession::Options options);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> jobs_;
  bool started_ = false;
  bool stopping_ = false;
  std::exception_ptr startError_;
  std::unique_ptr<SnapInSession> session_;  // created and destroyed on thread_
  std::thread thread_;
};

}  // namespace prjsnap
