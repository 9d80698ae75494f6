// The physical-station relation, created through its moniker: the one class of the application
// frame that no library test reaches (the frame's other parts are driven by the snap-in's tests).
#include <gtest/gtest.h>

#include "host/app/AppClasses.h"
#include "hostapp/AppTestDoubles.h"
#include "mzblprsx/interfaces/IRgRelationService.h"

namespace hostapp_test {
namespace {

class AppClassesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { host::RegisterAppClasses(); }
};

TEST_F(AppClassesTest, StationRelationGivesTheHardwareConfigurationOfAPlc) {
  auto relation = platform::BindToMoniker("clsid:{D6A82CED-8ED4-4Cb3-A5F3-072A10194B3D}")
                      .Cast<mzblprsx::IRgRelationService>();
  const auto plc = host::ProjectFile::ParsePlc(mztest::PlcXml(), "t.plc.xml");
  const auto station = plc->Hardware();

  EXPECT_TRUE(platform::SameObject(relation->GetRelated(plc, 4, 1), station));
  EXPECT_FALSE(relation->GetRelated(plc, 3, 1)) << "other relations give nothing";
  EXPECT_FALSE(relation->GetRelated(plc, 4, 2)) << "other arguments give nothing";
  EXPECT_FALSE(relation->GetRelated(plc->Program(), 4, 1)) << "not a project container";
  EXPECT_FALSE(relation->GetRelated({}, 4, 1));
  EXPECT_FALSE(relation->GetRelated(host::ProjectFile::ParsePlc(mztest::PlcText(""), "e"), 4, 1))
      << "a PLC without hardware configuration";
}

}  // namespace
}  // namespace hostapp_test
