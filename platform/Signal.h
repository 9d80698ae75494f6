// Synchronous single-threaded events with scoped connections.
//
//   platform::Signal<int32_t> changed;
//   platform::ScopedConnection c = changed.Connect([](int32_t v) { ... });
//   changed.Emit(3);      // calls the handler now
//   c.Disconnect();       // or let c go out of scope
//
// A handler may connect or disconnect any handler (itself included) while the signal is being
// emitted: a handler disconnected during an emission is not called afterwards, a handler
// connected during an emission is first called by the next emission. Handlers receive the
// arguments by const reference.
//
// A disconnected handler is destroyed at once (or, when it is running, as soon as it returns),
// so whatever it captured is released even while the signal lives on: a control's handler that
// holds the control itself must not keep it alive after its form has let go of it.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace platform {

namespace detail {
struct SlotState {
  bool connected = true;
  int running = 0;  // calls of the handler in progress (an emission may nest)
  virtual ~SlotState() = default;
  /// Ends the connection and destroys the handler unless a call of it is still in progress.
  void End() {
    connected = false;
    if (running == 0) Release();
  }
  virtual void Release() = 0;
  /// Makes one call of the handler; one disconnected meanwhile is destroyed after it returns.
  template <class Call>
  void Run(const Call& call) {
    struct Running {
      SlotState& slot;
      explicit Running(SlotState& s) : slot(s) { ++slot.running; }
      Running(const Running&) = delete;
      Running& operator=(const Running&) = delete;
      ~Running() {
        if (--slot.running == 0 && !slot.connected) slot.Release();
      }
    } running(*this);
    call();
  }
};
}  // namespace detail

/// A handle to one connection; copying it copies the handle, not the connection.
class Connection {
 public:
  Connection() = default;
  explicit Connection(std::weak_ptr<detail::SlotState> slot) : slot_(std::move(slot)) {}
  void Disconnect() {
    if (auto s = slot_.lock()) s->End();
    slot_.reset();
  }
  bool Connected() const {
    auto s = slot_.lock();
    return s && s->connected;
  }

 private:
  std::weak_ptr<detail::SlotState> slot_;
};

/// Owns a connection and ends it when destroyed or reassigned (the "mo..." event-sink fields).
class ScopedConnection {
 public:
  ScopedConnection() = default;
  ScopedConnection(Connection c) : c_(std::move(c)) {}  // NOLINT(google-explicit-constructor)
  ScopedConnection(const ScopedConnection&) = delete;
  ScopedConnection& operator=(const ScopedConnection&) = delete;
  ScopedConnection(ScopedConnection&& o) noexcept : c_(std::exchange(o.c_, {})) {}
  ScopedConnection& operator=(ScopedConnection&& o) noexcept {
    if (this != &o) {
      c_.Disconnect();
      c_ = std::exchange(o.c_, {});
    }
    return *this;
  }
  ~ScopedConnection() { c_.Disconnect(); }
  void Disconnect() { c_.Disconnect(); }
  bool Connected() const { return c_.Connected(); }

 private:
  Connection c_;
};

template <class... Args>
class Signal {
 public:
  /// A handler takes the arguments by const reference (or as declared, for reference arguments):
  /// an emission copies no argument, whatever the number of handlers.
  using Handler = std::function<void(const Args&...)>;

  Signal() = default;
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;
  ~Signal() {
    if (destroyed_ != nullptr) *destroyed_ = true;
  }

  [[nodiscard]] Connection Connect(Handler handler) {
    if (depth_ == 0) Prune();
    auto slot = std::make_shared<Slot>();
    slot->handler = std::move(handler);
    slots_.push_back(slot);
    return Connection(slot);
  }

  /// Calls every connected handler in connection order. Nothing is copied or allocated: the
  /// slot list is walked by position, and slots disconnected meanwhile are removed only once
  /// the outermost emission has ended. A handler may even destroy the signal.
  void Emit(const Args&... args) {
    Emission emission(*this);
    // Handlers connected during this emission are first called by the next one.
    const size_t count = slots_.size();
    for (size_t i = 0; i < count; ++i) {
      Slot* const slot = slots_[i].get();
      if (!slot->connected) continue;
      // Only the slot that runs is held, in case its handler lets go of the signal.
      const std::shared_ptr<Slot> running = slots_[i];
      slot->Run([&] { slot->handler(args...); });
      if (emission.destroyed) return;
    }
  }

  size_t ConnectionCount() const {
    size_t n = 0;
    for (const auto& s : slots_) n += s->connected ? 1 : 0;
    return n;
  }

 private:
  struct Slot : detail::SlotState {
    Handler handler;
    void Release() override { handler = nullptr; }
  };

  // One emission in progress; restores the signal's state however the emission ends (a handler
  // may throw), and tells the emission around it when a handler destroyed the signal.
  struct Emission {
    bool destroyed = false;
    Signal& signal;
    bool* const outer;
    explicit Emission(Signal& s) : signal(s), outer(std::exchange(s.destroyed_, &destroyed)) {
      ++signal.depth_;
    }
    Emission(const Emission&) = delete;
    Emission& operator=(const Emission&) = delete;
    ~Emission() {
      if (destroyed) {
        if (outer != nullptr) *outer = true;
        return;
      }
      signal.destroyed_ = outer;
      if (--signal.depth_ == 0) signal.Prune();
    }
  };

  void Prune() {
    std::erase_if(slots_, [](const std::shared_ptr<Slot>& s) { return !s->connected; });
  }
  std::vector<std::shared_ptr<Slot>> slots_;
  int depth_ = 0;              // emissions in progress (they may nest)
  bool* destroyed_ = nullptr;  // set by the destructor for the innermost running emission
};

}  // namespace platform
