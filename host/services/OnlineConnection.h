// The current connection to the PLC: the access brackets around reading the PLC and the
// variable-table services.
//
//   auto connection = env.Online().Connection().Cast<mzblprsx::IRgOnlineConnection>();
//   connection->Access(12);  ... read the PLC ...  connection->Access(13);
//   connection.Cast<host::OnlineConnection>()->AccessLog();   // {12, 13}
//
// The online service makes a new connection at every connect and closes it at disconnect.
// Trap: a closed connection refuses every call, so a caller that kept it past the disconnect
// gets an error instead of talking to a PLC that is gone.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "mzblprsx/interfaces/IRgOnlineConnection.h"

namespace host {

class VarTableService;

class OnlineConnection : public mzblprsx::IRgOnlineConnection {
 public:
  /// plc: the connected PLC's project container.
  explicit OnlineConnection(platform::Ref<platform::Object> plc);
  ~OnlineConnection() override;

  std::string_view TypeName() const override { return "OnlineConnection"; }

  /// Records the access code (12 before, 13 after reading the PLC); error when closed.
  void Access(int32_t code) override;
  /// The variable-table service of the child (nothing: the PLC's own); the same service for the
  /// same child on every call; error when closed.
  platform::Ref<platform::Object> VarTableService(platform::Ref<platform::Object> child) override;

  /// Every Access code in order.
  const std::vector<int32_t>& AccessLog() const { return accessLog_; }
  /// Access brackets opened (12) and not yet closed (13).
  int32_t OpenAccesses() const;
  bool IsOpen() const { return static_cast<bool>(plc_); }
  /// Ends the connection and releases what it holds.
  void Close();

 private:
  void CheckOpen(const char* operation) const;

  platform::Ref<platform::Object> plc_;
  std::vector<int32_t> accessLog_;
  platform::Ref<host::VarTableService> onlineTables_;
  std::map<const void*, platform::Ref<host::VarTableService>> offlineTables_;  // by identity
};

}  // namespace host
