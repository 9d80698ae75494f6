#include "RecordingSink.h"

#include <gtest/gtest.h>

#include <map>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "support/HostTestSupport.h"

namespace hostsvc {

namespace clsid = mzblprsx::clsid;

std::string ShortClass(std::string_view classId) {
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

void RecordingSink::OnNotify(int32_t code, Ref<platform::Object> object,
                             const platform::Variant& argument) {
  EXPECT_TRUE(argument.IsEmpty()) << "single notifications carry no argument";
  const auto framework = object.Cast<mzblprsx::IRgObject>();
  Record("single " + ShortClass(framework->ClassID()) + " " + std::to_string(code) + ":" +
         framework->ObjectID());
}

void RecordingSink::OnNotify2(const mzblprsx::RgNotification& notification) {
  std::string line = "batch " + ShortClass(notification.sourceClass);
  for (const auto& entry : notification.entries) {
    line += " " + std::to_string(entry.code) + ":";
    for (size_t i = 0; i < entry.objects.size(); ++i) {
      line += (i == 0 ? "" : ",") + entry.objects[i]->ObjectID();
    }
  }
  Record(std::move(line));
}

void RecordingSink::Record(std::string line) {
  records_.push_back(line);
  if (auto hook = onRecord) hook(line);  // a copy: the hook may replace itself
}

std::string RecordingSink::Take() {
  std::string joined;
  for (const auto& record : records_) joined += (joined.empty() ? "" : " | ") + record;
  records_.clear();
  return joined;
}

}  // namespace hostsvc
