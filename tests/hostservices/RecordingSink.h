// A sink that records every notification it hears as one compact line, for the host services
// tests:
//
//   BlockNamed("FB10")->SetHeader("x");
//   EXPECT_EQ(sink->Take(), "batch block 8192:FB10");
#pragma once

#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"
#include "support/HostTestSupport.h"

namespace hostsvc {

using platform::Ref;

/// Records "single <class> <code>:<id>" and "batch <class> <code>:<id>,<id> <code>:<id>", with
/// classes by short name ("block", "plcblock", "program", "project", "hw", "file", ...).
class RecordingSink : public mzblprsx::IRgObjectEventSink, public mzblprsx::IRgObjectEventSink2 {
 public:
  std::string_view TypeName() const override { return "RecordingSink"; }
  void OnNotify(int32_t code, Ref<platform::Object> object, const platform::Variant&) override;
  void OnNotify2(const mzblprsx::RgNotification& notification) override;
  /// Everything recorded since the last call, joined by " | ".
  std::string Take();
  /// Called after each record (to change the project, unsubscribe, ... while delivered).
  std::function<void(const std::string& record)> onRecord;
  void Record(std::string line);

 private:
  std::vector<std::string> records_;
};

std::string ShortClass(std::string_view classId);

}  // namespace hostsvc
