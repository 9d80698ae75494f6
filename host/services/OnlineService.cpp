#include "host/services/OnlineService.h"

#include "host/services/OnlineConnection.h"
#include "platform/Error.h"

namespace host {

OnlineService::OnlineService() = default;

OnlineService::~OnlineService() {
  Forget();
}

platform::Ref<platform::Object> OnlineService::GetContainer(const std::string& /*name*/) {
  return plc_;
}

platform::Ref<platform::Object> OnlineService::Connection() {
  return connection_;
}

void OnlineService::Connect(platform::Ref<platform::Object> plc) {
  if (!plc) {
    throw platform::Error(platform::errc::kObjectNotSet, "Cannot connect to nothing: no PLC given");
  }
  Disconnect();
  plc_ = plc;
  connection_ = platform::MakeObject<OnlineConnection>(std::move(plc));
  onEvent_.Emit(kConnect, platform::Variant());
}

void OnlineService::Disconnect() {
  if (!plc_) return;
  onEvent_.Emit(kMayDisconnect, platform::Variant());
  onEvent_.Emit(kDisconnect, platform::Variant());
  Forget();
}

void OnlineService::Forget() {
  if (connection_) connection_->Close();
  connection_.Reset();
  plc_.Reset();
}

}  // namespace host
