// The fixture of the host services tests: the shared project and PLC open in an application,
// and a sink that hears both and records each notification as one line:
//
//   BlockNamed("FB10")->SetHeader("x");
//   EXPECT_EQ(sink->Take(), "batch block 8192:FB10");
#pragma once

#include <gtest/gtest.h>

#include <map>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "support/HostTestSupport.h"

namespace hostsvc {

using mztest::ErrorOf;
using mztest::ProjectXml;
using mztest::Request;
using platform::Ref;
inline const std::string kGuid(mztest::kGuid);

/// A class by short name ("block", "plcblock", "program", "project", "hw", "file", ...).
inline std::string ShortClass(std::string_view classId) {
  namespace clsid = mzblprsx::clsid;
  static const std::map<std::string_view, std::string> kNames{{clsid::kBlockOffline, "block"},
                                                              {clsid::kBlockOnline, "plcblock"},
                                                              {clsid::kProgramOffline, "program"},
                                                              {clsid::kProjectOffline, "project"},
                                                              {clsid::kHwConfigOffline, "hw"},
                                                              {clsid::kHwConfigOnline, "plchw"},
                                                              {clsid::kSymbolTable, "symbols"},
                                                              {clsid::kVarTables, "vartables"},
                                                              {clsid::kCategory, "category"},
                                                              {clsid::kMemoryCard, "card"},
                                                              {clsid::kMMCFile, "file"}};
  const auto it = kNames.find(classId);
  return it == kNames.end() ? std::string(classId) : it->second;
}

/// Records "single <class> <code>:<id>" and "batch <class> <code>:<id>,<id> <code>:<id>".
class RecordingSink : public mzblprsx::IRgObjectEventSink, public mzblprsx::IRgObjectEventSink2 {
 public:
  std::string_view TypeName() const override { return "RecordingSink"; }
  void OnNotify(int32_t code, Ref<platform::Object> object,
                const platform::Variant& argument) override {
    EXPECT_TRUE(argument.IsEmpty()) << "single notifications carry no argument";
    const auto framework = object.Cast<mzblprsx::IRgObject>();
    Record("single " + ShortClass(framework->ClassID()) + " " + std::to_string(code) + ":" +
           framework->ObjectID());
  }
  void OnNotify2(const mzblprsx::RgNotification& notification) override {
    std::string line = "batch " + ShortClass(notification.sourceClass);
    for (const auto& entry : notification.entries) {
      line += " " + std::to_string(entry.code) + ":";
      for (size_t i = 0; i < entry.objects.size(); ++i) {
        line += (i == 0 ? "" : ",") + entry.objects[i]->ObjectID();
      }
    }
    Record(std::move(line));
  }
  /// Everything recorded since the last call, joined by " | ".
  std::string Take() {
    std::string joined;
    for (const auto& record : records_) joined += (joined.empty() ? "" : " | ") + record;
    records_.clear();
    return joined;
  }
  /// Called after each record (to change the project, unsubscribe, ... while delivered).
  std::function<void(const std::string& record)> onRecord;
  void Record(std::string line) {
    records_.push_back(line);
    if (auto hook = onRecord) hook(line);  // a copy: the hook may replace itself
  }

 private:
  std::vector<std::string> records_;
};

class OpenProjectTest : public ::testing::Test, public mztest::HostProject {
 public:  // table rows (lambdas taking the fixture) reach these
  explicit OpenProjectTest(std::string_view plcXml = mztest::PlcXml())
      : HostProject(ProjectXml(), plcXml) {
    project->Notifications().Subscribe(sink);
    plc->Notifications().Subscribe(sink);
  }
  Ref<RecordingSink> sink = platform::MakeObject<RecordingSink>();
};

}  // namespace hostsvc
