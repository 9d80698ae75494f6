// Shared by the host services tests: a small project and PLC, open in an Environment, and a sink
// that records every notification of both as one compact line.
//
//   BlockNamed("FB10")->SetHeader("x");
//   EXPECT_EQ(sink->Take(), "batch block 8192:FB10");
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/Environment.h"
#include "host/project/Block.h"
#include "host/project/Category.h"
#include "host/project/NotificationHub.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/services/NewBlockRequest.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"

namespace hostsvc {

using platform::Ref;

inline const std::string kGuid = "{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}";

/// Project "T": station, symbols (FB10 Motor, OB1 Cycle), variable tables, documentation and a
/// program whose default category 1 "Blocks" lists OB1 and category 2 "Motors" lists FB10,
/// DB10 (instance of FB10), FB11 (protected); FC1 is listed by none; stored order "2 1".
std::string ProjectXml();

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
host::NewBlockRequest Request(int32_t type, int32_t number, std::string symbol = {});
/// The number of the platform::Error that `call` throws; 0 when it throws none.
int32_t ErrorOf(const std::function<void()>& call);

/// ProjectXml() open and a PLC (OB1, FB10, card with "a.bin") connected, `sink` hearing both.
class OpenProjectTest : public ::testing::Test {
 public:  // table rows (lambdas taking the fixture) reach these
  OpenProjectTest();
  ~OpenProjectTest() override;

  Ref<host::Block> BlockNamed(const char* name) const { return program->FindBlockById(name); }
  Ref<host::Category> CategoryNamed(const char* id) const { return program->FindCategoryById(id); }
  /// A category's members as "FB10 DB10 FB11".
  static std::string Members(const host::Category& category);

  host::Environment env;
  Ref<host::OfflineProject> project;
  Ref<host::Program> program;
  Ref<host::PlcProject> plc;
  Ref<RecordingSink> sink = platform::MakeObject<RecordingSink>();
};

}  // namespace hostsvc
