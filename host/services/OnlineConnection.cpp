#include "host/services/OnlineConnection.h"

#include "host/services/VarTableService.h"
#include "platform/Error.h"

namespace host {

namespace {
constexpr int32_t kAccessBegin = 12;
constexpr int32_t kAccessEnd = 13;
}  // namespace

OnlineConnection::OnlineConnection(platform::Ref<platform::Object> plc) : plc_(std::move(plc)) {}

OnlineConnection::~OnlineConnection() = default;

void OnlineConnection::CheckOpen(const char* operation) const {
  if (!plc_) {
    throw platform::Error(platform::errc::kFail,
                          std::string(operation) + ": the connection to the PLC is closed");
  }
}

void OnlineConnection::Access(int32_t code) {
  CheckOpen("Access");
  accessLog_.push_back(code);
}

int32_t OnlineConnection::OpenAccesses() const {
  int32_t open = 0;
  for (const int32_t code : accessLog_) {
    if (code == kAccessBegin) ++open;
    if (code == kAccessEnd) --open;
  }
  return open;
}

platform::Ref<platform::Object> OnlineConnection::VarTableService(
    platform::Ref<platform::Object> child) {
  CheckOpen("VarTableService");
  if (!child) {
    if (!onlineTables_) {
      onlineTables_ = platform::MakeObject<host::VarTableService>(nullptr, plc_, "Online");
    }
    return onlineTables_;
  }
  // The map holds the child alive through its service, so its address cannot be reused.
  auto& service = offlineTables_[platform::Identity(child)];
  if (!service) service = platform::MakeObject<host::VarTableService>(child, nullptr, "Offline");
  return service;
}

void OnlineConnection::Close() {
  plc_.Reset();
  onlineTables_.Reset();
  offlineTables_.clear();
}

}  // namespace host
