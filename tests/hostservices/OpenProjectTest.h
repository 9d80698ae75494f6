// The fixture of the host services tests: the shared project and PLC open in an application,
// and a sink that hears both.
#pragma once

#include <gtest/gtest.h>

#include "RecordingSink.h"
#include "support/HostTestSupport.h"

namespace hostsvc {

using mztest::ErrorOf;
using mztest::ProjectXml;
using mztest::Request;
inline const std::string kGuid(mztest::kGuid);

class OpenProjectTest : public ::testing::Test, public mztest::HostProject {
 public:  // table rows (lambdas taking the fixture) reach these
  OpenProjectTest() {
    project->Notifications().Subscribe(sink);
    plc->Notifications().Subscribe(sink);
  }
  Ref<RecordingSink> sink = platform::MakeObject<RecordingSink>();
};

}  // namespace hostsvc
