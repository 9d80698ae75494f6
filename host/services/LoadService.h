// The application's load service: whether what the library shows of the PLC is still what the
// PLC holds (the load state of an update list), and later download and upload.
//
//   int32_t state = env.Load().LoadState(updateListXml, 16);   // 16: also tell the listeners
//
// The update list is the library's object XML: a ROOT element with one RGOBJECT element per
// object, whose CLSID and OBJID attributes name a framework object (ISOPEN is not looked at).
// The load state answers:
//   0  a PLC is connected and every listed object exists in it (the list is up to date),
//   1  a PLC is connected and at least one listed object does not exist in it,
//   2  no PLC is connected.
// An object exists in the PLC when the PLC's project container, one of its children, or a block
// of its program has the listed class identifier and object identifier (exact texts).
//
// Trap: the list is parsed before the connection is looked at, so a malformed list is an error
// even when no PLC is connected.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgLoadService.h"

namespace host {

class OnlineService;

/// One LoadState call: what was asked and what it answered (nothing when it failed).
struct LoadStateCall {
  std::string updateList;
  int32_t flags = 0;
  std::optional<int32_t> state;
};

class LoadService : public mzblprsx::IRgLoadService {
 public:
  /// The flag of LoadState that asks for LoadStateChanged.
  static constexpr int32_t kNotifyFlag = 16;
  static constexpr int32_t kUpToDate = 0;
  static constexpr int32_t kObjectsMissing = 1;
  static constexpr int32_t kNotConnected = 2;

  /// online: the application's online service, which knows the connected PLC.
  explicit LoadService(platform::Ref<OnlineService> online);
  ~LoadService() override;

  std::string_view TypeName() const override { return "LoadService"; }

  /// The load state of the update list (see the file comment); with kNotifyFlag in flags, also
  /// raises LoadStateChanged(state). Error 5 when the list is not well-formed object XML.
  int32_t LoadState(const std::string& updateList, int32_t flags) override;
  /// (state) raised by LoadState calls that carry kNotifyFlag.
  platform::Signal<int32_t>& LoadStateChanged() { return loadStateChanged_; }

  /// Every LoadState call in order, the failed ones included.
  const std::vector<LoadStateCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

 private:
  platform::Ref<OnlineService> online_;
  platform::Signal<int32_t> loadStateChanged_;
  std::vector<LoadStateCall> calls_;
};

}  // namespace host
