#include "SessionThread.h"

#include <utility>

namespace prjsnap {

SessionThread::SessionThread(SnapInSession::Options options)
    : thread_([this, options = std::move(options)]() mutable { Main(std::move(options)); }) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return started_; });
  if (startError_) {
    lock.unlock();
    thread_.join();
    std::rethrow_exception(startError_);
  }
}

SessionThread::~SessionThread() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void SessionThread::Run(const std::function<void()>& job) {
  bool done = false;
  {
    std::lock_guard lock(mutex_);
    jobs_.emplace_back([&] {
      job();
      std::lock_guard inner(mutex_);
      done = true;
    });
  }
  changed_.notify_all();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return done; });
}

void SessionThread::Main(SnapInSession::Options options) {
  try {
    session_ = std::make_unique<SnapInSession>(options);
  } catch (...) {
    startError_ = std::current_exception();
  }
  {
    std::lock_guard lock(mutex_);
    started_ = true;
  }
  changed_.notify_all();
  if (startError_) return;

  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) break;  // stopping, and every queued job has run
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job();  // a packaged task: it keeps what it throws for the caller
    changed_.notify_all();
  }
  session_.reset();
}

}  // namespace prjsnap
