// Synchronous single-threaded events with scoped connections.
//
//   platform::Signal<int32_t> changed;
//   platform::ScopedConnection c = changed.Connect([](int32_t v) { ... });
//   changed.Emit(3);      // calls the handler now
//   c.Disconnect();       // or let c go out of scope
//
// A handler may connect or disconnect any handler (itself included) while the signal is being
// emitted: a handler disconnected during an emission is not called afterwards, a handler
// connected during an emission is first called by the next emission.
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
  Signal() = default;
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;

  [[nodiscard]] Connection Connect(std::function<void(Args...)> handler) {
    Prune();
    auto slot = std::make_shared<Slot>();
    slot->handler = std::move(handler);
    slots_.push_back(slot);
    return Connection(slot);
  }

  /// Calls every connected handler in connection order.
  void Emit(Args... args) {
    // A snapshot, so that handlers may change the list; the shared_ptrs keep slots alive.
    const auto snapshot = slots_;
    for (const auto& slot : snapshot) {
      if (slot->connected) slot->Run([&] { slot->handler(args...); });
    }
  }

  size_t ConnectionCount() const {
    size_t n = 0;
    for (const auto& s : slots_) n += s->connected ? 1 : 0;
    return n;
  }

 private:
  struct Slot : detail::SlotState {
    std::function<void(Args...)> handler;
    void Release() override { handler = nullptr; }
  };

  void Prune() {
    std::erase_if(slots_, [](const std::shared_ptr<Slot>& s) { return !s->connected; });
  }
  std::vector<std::shared_ptr<Slot>> slots_;
};

}  // namespace platform
