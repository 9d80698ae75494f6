// The application's online service: the connection to a PLC and its events.
//
//   platform::ScopedConnection c = env.Online().OnEvent().Connect(
//       [](int32_t reason, const Variant&) { ... });   // 1 connect, 3 may disconnect, 2 disconnect
//   env.ConnectPlc("samples/conveyor.plc.xml");        // OnEvent(1)
//   env.Online().GetContainer("");                      // the PLC's project container
//
// The Environment connects and disconnects; the service raises the events. A disconnect raises
// OnEvent(3) and then OnEvent(2) while the PLC is still reachable, so listeners can take their
// trees down; afterwards GetContainer and Connection give nothing.
//
// Trap: Forget() drops the PLC without any event; it is meant for the Environment's shutdown.
#pragma once

#include "mzblprsx/interfaces/IRgOnlineService.h"

namespace host {

class OnlineConnection;

class OnlineService : public mzblprsx::IRgOnlineService {
 public:
  /// Reasons of OnEvent.
  static constexpr int32_t kConnect = 1;
  static constexpr int32_t kDisconnect = 2;
  static constexpr int32_t kMayDisconnect = 3;

  OnlineService();
  ~OnlineService() override;

  std::string_view TypeName() const override { return "OnlineService"; }

  /// (reason, argument)
  platform::Signal<int32_t, platform::Variant>& OnEvent() override { return onEvent_; }
  /// The connected PLC's project container, whatever the name; nothing when not connected.
  platform::Ref<platform::Object> GetContainer(const std::string& name) override;
  /// The current connection (an OnlineConnection); nothing when not connected.
  platform::Ref<platform::Object> Connection() override;

  /// Connects to the PLC (its project container) and raises OnEvent(1); a PLC already connected
  /// is disconnected first, with its events.
  void Connect(platform::Ref<platform::Object> plc);
  /// Raises OnEvent(3) and OnEvent(2), then drops the PLC and closes the connection; no-op when
  /// not connected.
  void Disconnect();
  /// Drops the PLC and closes the connection without events.
  void Forget();
  bool IsConnected() const { return static_cast<bool>(plc_); }
  /// The current connection as its host class; nothing when not connected.
  platform::Ref<OnlineConnection> CurrentConnection() const { return connection_; }

 private:
  platform::Signal<int32_t, platform::Variant> onEvent_;
  platform::Ref<platform::Object> plc_;
  platform::Ref<OnlineConnection> connection_;
};

}  // namespace host
